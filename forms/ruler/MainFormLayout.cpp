// The ruler window's skin, drawing and layout, and the one step that lays it out anew.

#include "forms/ruler/MainForm.h"

#include "core/drawing/BuiltInPictures.h"
#include "core/drawing/ColourKey.h"
#include "core/settings/MonitorSettings.h"
#include "core/settings/RulerState.h"
#include "core/skins/Layout.h"
#include "core/units/DevicePixels.h"
#include "core/units/Units.h"
#include "forms/ruler/NativePlace.h"
#include "widgets/CoolForm.h"
#include "widgets/ImageControl.h"
#include "widgets/MessageBoxes.h"

#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QScreen>

#include <cstdlib>

const SkinSection &TMainForm::section() const {
    return m_state.Horizontalni ? m_skin.horizontal : m_skin.vertical;
}

void TMainForm::NactiSkin(const QString &folder) {
    QString error;
    if (!NactiSkinData(folder, m_skin, &error)) {
        showMessageBox(QMessageBox::Critical, error, this);
        // Keep the ruler usable: whatever the broken skin did not supply is drawn.
        const std::tuple<QImage *, int, int> pieces[] = {
            {&m_skin.start, 1, 64},  {&m_skin.middle, 5, 64},  {&m_skin.end, 1, 64},
            {&m_skin.vstart, 90, 1}, {&m_skin.vmiddle, 90, 5}, {&m_skin.vend, 90, 1}};
        for (const auto &[image, w, h] : pieces)
            if (image->isNull())
                VychoziDilek(*image, w, h);
        if (m_skin.arrow.isNull())
            VychoziUkazatel(m_skin.arrow, 9, 21, false, false);
        if (m_skin.varrow.isNull())
            VychoziUkazatel(m_skin.varrow, 21, 9, true, false);
        if (m_skin.mark.isNull())
            VychoziUkazatel(m_skin.mark, 3, 10, false, true);
        if (m_skin.vmark.isNull())
            VychoziUkazatel(m_skin.vmark, 10, 3, true, true);
    }
    zobrazSkin();
}

void TMainForm::ukazTlacitka(const SkinBitmaps &pictures) {
    const std::pair<ImageControl *, const QImage *> buttons[] = {
        {buttonHorizVert, &pictures.buttonRotate}, {buttonObratit, &pictures.buttonInvert},
        {buttonMenu, &pictures.buttonTools},       {buttonInfo, &pictures.buttonInfo},
        {buttonKonec, &pictures.buttonExit},       {buttonDalsiJednotky, &pictures.buttonUnits},
        {imageVelikost, &pictures.resizeArrow}};
    for (const auto &[control, picture] : buttons)
        if (!picture->isNull())
            control->setPicture(*picture);
}

void TMainForm::zobrazSkin() {
    m_shown = shownBitmaps(m_skin, m_pomer);
    // The built-in pictures first, for the screen's ratio; then the skin's over them.
    ukazTlacitka(shownBitmaps(m_vestavene, m_pomer));
    ukazTlacitka(m_shown);

    QPalette palette = labelMeridlo->palette();
    palette.setColor(QPalette::WindowText, m_skin.numberColour);
    labelMeridlo->setPalette(palette);
    EfektTlacitkaJednotkaEnd();
    updateLayout();
}

void TMainForm::placeStrip() {
    if (m_state.Horizontalni)
        imageMeritko->setGeometry(0, 0, width(), ScaleStripHeight);
    else
        imageMeritko->setGeometry(0, 0, ScaleStripWidth, height());
    CoolForm->setGeometry(rect());
}

void TMainForm::updateLayout() {
    // The window's shape: as thick as the skin's bar, as long as it is.
    const int thickness = qMax(1, section().ruleHeight);
    resize(m_state.Horizontalni ? QSize(width(), thickness) : QSize(thickness, height()));
    placeStrip();
    // Centimetres and inches are those of the monitor the bar measures on.
    if (const auto monitor = monitorPodPravitkem())
        useMonitor(m_state, *monitor);
    // The unit factors count the scale strip's device pixels; the scale is drawn with them.
    PrepocitejJednotky();
    imageSipka->setPicture(m_state.Horizontalni ? m_shown.arrow : m_shown.varrow);
    imageVelikost->setCursor(m_state.Horizontalni ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    kresliMeritko();
    Ramecek();
    // The controls stand where the skin puts them on the window of this shape.
    PoziceTlacitek();
    UmistiSipku();
    ukazZalozky();
    updateAccessibleNames();
    m_laidOut = true;
    saveSoon();
}

ScaleParams TMainForm::scaleParams(int length) const {
    ScaleParams params;
    params.length = length;
    params.carka = m_state.Jednotky.value(m_state.Jednotka).Carka;
    params.pixeluNaJednotku = m_state.PixeluNaJednotku;
    params.obracene = m_state.Obracene;
    params.ratio = m_pomer;
    params.tickColour = m_skin.meterColour;
    params.numberColour = m_skin.meterNumbersColour;
    return params;
}

void TMainForm::KresliTavlinkoHoriz() {
    QImage strip;
    ::KresliTavlinkoHoriz(strip, scaleParams(deviceLength(imageMeritko->width(), m_pomer)));
    QImage shown = transparentByColour(strip, scaleBackground());
    shown.setDevicePixelRatio(m_pomer);
    imageMeritko->setPicture(shown);
}

void TMainForm::KresliTavlinkoVertik() {
    QImage strip;
    ::KresliTavlinkoVertik(strip, scaleParams(deviceLength(imageMeritko->height(), m_pomer)));
    QImage shown = transparentByColour(strip, scaleBackground());
    shown.setDevicePixelRatio(m_pomer);
    imageMeritko->setPicture(shown);
}

void TMainForm::kresliMeritko() {
    if (m_state.Horizontalni)
        KresliTavlinkoHoriz();
    else
        KresliTavlinkoVertik();
    updateAccessibleNames();
}

void TMainForm::Ramecek() {
    // Composed in device pixels from pieces at the screen's resolution, so the bar is sharp
    // and no wider than the window's surface.
    const QSize window = deviceSize(size(), m_pomer);
    QImage bar;
    if (m_state.Horizontalni)
        bar = ::Ramecek(m_shown.start, m_shown.middle, m_shown.end, true, window,
                        deviceLength(m_skin.horizontal.ruleHeight, m_pomer));
    else
        bar = ::Ramecek(m_shown.vstart, m_shown.vmiddle, m_shown.vend, false, window,
                        deviceLength(m_skin.vertical.ruleHeight, m_pomer));
    bar.setDevicePixelRatio(m_pomer);
    CoolForm->setPicture(bar);
}

void TMainForm::PoziceTlacitek() {
    const SkinSection &place = section();
    const QSize window = CoolForm->size();
    const std::tuple<ImageControl *, QPoint, const QImage *> buttons[] = {
        {buttonHorizVert, place.buttonRotate, &m_skin.buttonRotate},
        {buttonObratit, place.buttonInvert, &m_skin.buttonInvert},
        {buttonMenu, place.buttonTools, &m_skin.buttonTools},
        {buttonInfo, place.buttonInfo, &m_skin.buttonInfo},
        {buttonKonec, place.buttonExit, &m_skin.buttonExit},
        {buttonDalsiJednotky, place.buttonUnits, &m_skin.buttonUnits}};
    for (const auto &[control, skinPlace, bitmap] : buttons)
        control->move(placeControl(skinPlace, bitmap->size(), window));
    imageVelikost->move(placeControl(place.resizeArrow, imageVelikost->size(), window));
    labelMeridlo->move(placeNumberLabel(place.number, labelMeridlo->size(), window));
    buttonJednotka->move(placeControl(place.unit, buttonJednotka->size(), window));
}

void TMainForm::PrepocitejJednotky() {
    ::PrepocitejJednotky(
        m_state, deviceLength(m_state.Horizontalni ? imageMeritko->width() : imageMeritko->height(),
                              m_pomer));
}

// ---------------------------------------------------------------------------------------------
// Screens of another device pixel ratio

bool TMainForm::event(QEvent *event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
        event->type() == QEvent::Show)
        sledujMisto(event->type());
    if (event->type() == QEvent::ScreenChangeInternal && m_shownOnce)
        sledujPomer();
    if ((event->type() == QEvent::Move || event->type() == QEvent::ScreenChangeInternal) &&
        m_shownOnce)
        sledujMonitor();
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        saveSoon();
    return handled;
}

QPoint TMainForm::qtDevicePlace() const {
    const QScreen *display = screen();
    return devicePlace(pos(), {display ? display->geometry() : QRect(), devicePixelRatio()});
}

void TMainForm::sledujMisto(QEvent::Type type) {
    if (!platformTellsPlace())
        return;
    const QPoint qtPlace = qtDevicePlace();
    if (type == QEvent::Move) {
        // An axis along which the window has not moved keeps its device pixel: the logical
        // place still names it, and the window stands within one logical pixel of it (on
        // another screen the same logical place lies elsewhere).
        const QPoint named = logicalPlace(m_mistoNaPlose, screenAreas());
        const double ratio = devicePixelRatio();
        const auto moved = [ratio](int exact, int qt, int namedAt, int at) {
            return namedAt != at || std::abs(exact - qt) >= ratio;
        };
        if (moved(m_mistoNaPlose.x(), qtPlace.x(), named.x(), x()))
            m_mistoNaPlose.setX(qtPlace.x());
        if (moved(m_mistoNaPlose.y(), qtPlace.y(), named.y(), y()))
            m_mistoNaPlose.setY(qtPlace.y());
    }
    // Qt puts the window back at its logical place with every move and resize.
    if (m_mistoNaPlose != qtPlace)
        placeAtDevicePixel(*this, m_mistoNaPlose);
}

void TMainForm::sledujPomer() {
    const double pomer = devicePixelRatio();
    // While the ruler starts, its stored place takes it to its screen before there is a bar to
    // carry over; the start takes that screen's ratio itself.
    if (pomer == m_pomer || !m_laidOut)
        return;
    // The window keeps its logical size on the new screen, so the arrow and the markers keep
    // their places on the bar; the readings follow the new count of device pixels.
    const double before = m_pomer;
    m_state.PoziceMeridla = rescaledPixel(m_state.PoziceMeridla, before, pomer);
    m_state.Zalozky.move(
        [before, pomer](int pozice) { return rescaledPixel(pozice, before, pomer); });
    m_pomer = pomer;
    if (m_state.CelaObrazovka)
        nastavDelku(kZacatkuPlochy());
    // The skin's pictures are made anew for the new ratio, and everything laid out with them.
    zobrazSkin();
    ZobrazVzdalenost();
}

// ---------------------------------------------------------------------------------------------
// Monitors of other densities

namespace {
constexpr double centimetresPerInch = 2.54;
}

std::optional<MonitorInfo> TMainForm::monitorPodPravitkem() const {
    const QList<MonitorInfo> monitors = Monitory ? Monitory() : QList<MonitorInfo>();
    QList<QRect> areas;
    for (const MonitorInfo &monitor : monitors)
        areas << monitor.area;
    const int under = monitorUnderBar(areas, geometry(), m_state.Horizontalni, m_state.Obracene);
    if (under < 0)
        return std::nullopt;
    return monitors[under];
}

void TMainForm::sledujMonitor() {
    if (!m_laidOut)
        return;
    const auto monitor = monitorPodPravitkem();
    if (!monitor || monitor->identity == m_state.Monitor.identity)
        return;
    // The arrow and the markers keep their pixels; what they read follows the new monitor.
    updateLayout();
    ZobrazVzdalenost();
}

void TMainForm::ukazPixelyMonitoru() {
    const int pixels = measuredPixels();
    const int dpi = m_state.Horizontalni ? m_state.RozliseniX : m_state.RozliseniY;
    const QLocale locale;
    const QString monitor =
        m_state.Monitor.name.isEmpty() ? m_state.Monitor.identity : m_state.Monitor.name;
    const QString text = translated(
        QStringLiteral("%s px zařízení = %s logických px při %s % = %s cm na monitoru %s"),
        {QString::number(pixels), locale.toString(pixels / m_pomer, 'f', 1),
         QString::number(qRound(m_pomer * 100)),
         locale.toString(dpi > 0 ? pixels * centimetresPerInch / dpi : 0.0, 'f', 2), monitor});
    labelMeridlo->setToolTip(text);
    labelMeridlo->setAccessibleDescription(text);
}
