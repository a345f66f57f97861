#include "forms/ruler/RulerView.h"

#include "core/drawing/BuiltInPictures.h"
#include "core/drawing/ColourKey.h"
#include "core/drawing/ScaleDrawing.h"
#include "core/drawing/UnitMenuDrawing.h"
#include "core/ruler/RulerModel.h"
#include "core/settings/RulerState.h"
#include "core/skins/Layout.h"
#include "core/units/DevicePixels.h"
#include "core/units/DistanceFormat.h"
#include "core/units/Units.h"
#include "forms/ruler/RulerContext.h"
#include "widgets/AccessibleControl.h"
#include "widgets/CoolForm.h"
#include "widgets/ImageControl.h"

#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>

#include <algorithm>
#include <iterator>

namespace {

constexpr double centimetresPerInch = 2.54;

// Each button, the skin's picture it shows, and the built-in drawing that shows where a skin has
// none.
struct ButtonPicture {
    ImageControl *RulerView::*control;
    QImage SkinBitmaps::*picture;
    const char *builtInFile;
};
constexpr ButtonPicture buttonPictures[] = {
    {&RulerView::buttonHorizVert, &SkinBitmaps::buttonRotate, "ButtonRotate.bmp"},
    {&RulerView::buttonObratit, &SkinBitmaps::buttonInvert, "ButtonInvert.bmp"},
    {&RulerView::buttonMenu, &SkinBitmaps::buttonTools, "ButtonTools.bmp"},
    {&RulerView::buttonInfo, &SkinBitmaps::buttonInfo, "ButtonInfo.bmp"},
    {&RulerView::buttonKonec, &SkinBitmaps::buttonExit, "ButtonExit.bmp"},
    {&RulerView::buttonDalsiJednotky, &SkinBitmaps::buttonUnits, "ButtonUnits.bmp"},
    {&RulerView::imageVelikost, &SkinBitmaps::resizeArrow, "ResizeArrow.bmp"}};

bool lacksButtonPicture(const SkinBitmaps &pictures) {
    return std::any_of(
        std::begin(buttonPictures), std::end(buttonPictures),
        [&pictures](const ButtonPicture &button) { return (pictures.*button.picture).isNull(); });
}

} // namespace

RulerView::RulerView(QWidget &window, RulerContext &context)
    : QObject(&window), m_window(window), m_context(context) {
    createControls();
}

ImageControl *RulerView::createImageButton(const char *name, const QString &hint, QPoint place) {
    auto *button = new ImageControl(&m_window);
    button->setObjectName(QLatin1String(name));
    button->setAutoSize(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(hint);
    setAccessibleRole(button, QAccessible::Button);
    button->move(place);
    return button;
}

void RulerView::connectPress(ImageControl *image) {
    connect(image, &ImageControl::pressed, this, [this, image](QMouseEvent *event) {
        // On a scaled screen the fraction of a logical pixel tells the device pixel apart, and
        // Qt keeps it only in the position within the window: a control's own position is
        // rounded. An event given to the control directly carries its own position there
        // instead, far from where the control lies in the window.
        const QPointF local = event->position() + QPointF(image->mapTo(&m_window, QPoint(0, 0)));
        const QPointF scene = event->scenePosition();
        emit pressed(event->modifiers(), (scene - local).manhattanLength() < 2 ? scene : local);
    });
}

void RulerView::createControls() {
    CoolForm = new TCoolForm(&m_window);
    CoolForm->setObjectName(QStringLiteral("CoolForm"));
    QFile mask(QStringLiteral(":/forms/MainForm.Mask2"));
    if (mask.open(QIODevice::ReadOnly))
        CoolForm->readMask2(mask.readAll());
    CoolForm->setAccessibleName(QStringLiteral("Pravítko (tažením přesunete)"));
    setAccessibleRole(CoolForm, QAccessible::Pane);

    labelMeridlo = new QLabel(QStringLiteral("0"), &m_window);
    labelMeridlo->setObjectName(QStringLiteral("labelMeridlo"));
    labelMeridlo->setTextFormat(Qt::PlainText);
    labelMeridlo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont readingFont = m_window.font();
    readingFont.setPixelSize(19);
    readingFont.setStyleStrategy(numbersOnly);
    labelMeridlo->setFont(readingFont);
    labelMeridlo->setGeometry(436, 40, 10, 24);

    imageVelikost = new ImageControl(&m_window);
    imageVelikost->setObjectName(QStringLiteral("imageVelikost"));
    imageVelikost->setGeometry(448, 21, 19, 19);
    imageVelikost->setCursor(Qt::SizeHorCursor);
    imageVelikost->setAccessibleName(QStringLiteral("Délka pravítka (táhněte)"));
    setAccessibleRole(imageVelikost, QAccessible::Grip);

    imageMeritko = new ImageControl(&m_window);
    imageMeritko->setObjectName(QStringLiteral("imageMeritko"));
    imageMeritko->setGeometry(0, 0, 472, ScaleStripHeight);
    imageMeritko->setCursor(Qt::CrossCursor);
    connectPress(imageMeritko);
    setAccessibleRole(imageMeritko, QAccessible::Graphic);

    buttonHorizVert = createImageButton(
        "buttonHorizVert", QStringLiteral("Přepnout mezi vodorovnou a svislou polohou"), {16, 40});
    buttonObratit = createImageButton(
        "buttonObratit", QStringLiteral("Vyměnit stranu, na které je nula."), {48, 37});
    buttonMenu = createImageButton("buttonMenu", QStringLiteral("Další funkce ..."), {80, 40});
    buttonInfo = createImageButton("buttonInfo", QStringLiteral("O programu"), {144, 40});
    buttonKonec = createImageButton("buttonKonec", QStringLiteral("Konec"), {168, 40});

    buttonJednotka = new QLabel(QStringLiteral("Px"), &m_window);
    buttonJednotka->setObjectName(QStringLiteral("buttonJednotka"));
    buttonJednotka->setTextFormat(Qt::PlainText); // the unit symbols come from the settings file
    buttonJednotka->setGeometry(448, 40, 24, 24);
    buttonJednotka->setFont(unitSymbolFont());
    buttonJednotka->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    buttonJednotka->setCursor(Qt::PointingHandCursor);
    buttonJednotka->setToolTip(QStringLiteral("Kliknutím změníte jednotku"));
    buttonJednotka->setContextMenuPolicy(Qt::CustomContextMenu);
    setAccessibleRole(buttonJednotka, QAccessible::Button);

    imageSipka = new ImageControl(&m_window);
    imageSipka->setObjectName(QStringLiteral("imageSipka"));
    imageSipka->setAutoSize(true);
    imageSipka->setGeometry(0, 0, 9, 21);
    imageSipka->setCursor(Qt::CrossCursor);
    connectPress(imageSipka);
    imageSipka->setAccessibleName(QStringLiteral("Šipka měření"));
    setAccessibleRole(imageSipka, QAccessible::Indicator);

    buttonDalsiJednotky =
        createImageButton("buttonDalsiJednotky", QStringLiteral("Další jednotky..."), {464, 42});
    buttonDalsiJednotky->setContextMenuPolicy(Qt::CustomContextMenu);
}

// ---------------------------------------------------------------------------------------------
// Skin

void RulerView::setSkin(const SkinData &skin) {
    m_skin = skin;
    showSkin();
}

const SkinSection &RulerView::section() const {
    return m_context.state().Horizontalni ? m_skin.horizontal : m_skin.vertical;
}

void RulerView::showButtonPictures(const SkinBitmaps &pictures) {
    for (const ButtonPicture &button : buttonPictures)
        if (const QImage &picture = pictures.*button.picture; !picture.isNull())
            (this->*button.control)->setPicture(picture);
}

void RulerView::showSkin() {
    const double ratio = m_context.ratio();
    m_shown = shownBitmaps(m_skin, ratio);
    // The built-in pictures first where the skin lacks one, for the screen's ratio; then the
    // skin's over them. The skins that come with the ruler have them all, so the built-in ones
    // are read only when a skin first lacks one.
    if (lacksButtonPicture(m_skin)) {
        if (m_builtIn.buttonRotate.isNull())
            for (const ButtonPicture &button : buttonPictures)
                m_builtIn.*button.picture = builtInPicture(QStringLiteral(":/icons/buttons/") +
                                                           QLatin1String(button.builtInFile));
        showButtonPictures(shownBitmaps(m_builtIn, ratio));
    }
    showButtonPictures(m_shown);

    QPalette palette = labelMeridlo->palette();
    palette.setColor(QPalette::WindowText, m_skin.numberColour);
    labelMeridlo->setPalette(palette);
    EfektTlacitkaJednotkaEnd();
}

// ---------------------------------------------------------------------------------------------
// Bar and scale

void RulerView::placeStrip() {
    const bool horizontal = m_context.state().Horizontalni;
    if (horizontal)
        imageMeritko->setGeometry(0, 0, m_window.width(), ScaleStripHeight);
    else
        imageMeritko->setGeometry(0, 0, ScaleStripWidth, m_window.height());
    CoolForm->setGeometry(m_window.rect());
    imageSipka->setPicture(horizontal ? m_shown.arrow : m_shown.varrow);
    imageVelikost->setCursor(horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor);
}

namespace {

ScaleParams scaleParams(const RulerState &state, const SkinData &skin, int length, double ratio) {
    ScaleParams params;
    params.length = length;
    params.carka = state.Jednotky.value(state.Jednotka).Carka;
    params.pixeluNaJednotku = state.PixeluNaJednotku;
    params.obracene = state.Obracene;
    params.ratio = ratio;
    params.tickColour = skin.meterColour;
    params.numberColour = skin.meterNumbersColour;
    return params;
}

} // namespace

void RulerView::KresliTavlinkoHoriz() {
    const double ratio = m_context.ratio();
    QImage strip;
    ::KresliTavlinkoHoriz(strip, scaleParams(m_context.state(), m_skin,
                                             deviceLength(imageMeritko->width(), ratio), ratio));
    QImage shown = transparentByColour(strip, scaleBackground());
    shown.setDevicePixelRatio(ratio);
    imageMeritko->setPicture(shown);
}

void RulerView::KresliTavlinkoVertik() {
    const double ratio = m_context.ratio();
    QImage strip;
    ::KresliTavlinkoVertik(strip, scaleParams(m_context.state(), m_skin,
                                              deviceLength(imageMeritko->height(), ratio), ratio));
    QImage shown = transparentByColour(strip, scaleBackground());
    shown.setDevicePixelRatio(ratio);
    imageMeritko->setPicture(shown);
}

void RulerView::drawScale() {
    if (m_context.state().Horizontalni)
        KresliTavlinkoHoriz();
    else
        KresliTavlinkoVertik();
}

void RulerView::Ramecek() {
    // Composed in device pixels from pieces at the screen's resolution, so the bar is sharp
    // and no wider than the window's surface.
    const double ratio = m_context.ratio();
    const QSize window = deviceSize(m_window.size(), ratio);
    QImage bar;
    if (m_context.state().Horizontalni)
        bar = ::Ramecek(m_shown.start, m_shown.middle, m_shown.end, true, window,
                        deviceLength(m_skin.horizontal.ruleHeight, ratio));
    else
        bar = ::Ramecek(m_shown.vstart, m_shown.vmiddle, m_shown.vend, false, window,
                        deviceLength(m_skin.vertical.ruleHeight, ratio));
    bar.setDevicePixelRatio(ratio);
    CoolForm->setPicture(bar);
}

void RulerView::PoziceTlacitek() {
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

void RulerView::showReading(const QString &text) {
    labelMeridlo->setText(text);
    labelMeridlo->adjustSize();
    labelMeridlo->move(placeNumberLabel(section().number, labelMeridlo->size(), CoolForm->size()));
}

// ---------------------------------------------------------------------------------------------
// Arrow and markers

QPoint RulerView::pointerPlace(int offset, const QImage &plain, const QImage &shown,
                               int centre) const {
    // The skin names the centre in pixels of its plain picture; on a scaled screen it is the
    // device pixel of the shown picture that lies under it.
    if (m_context.state().Horizontalni)
        return {offset - deviceCentre(centre, plain.width(), shown.width()), 0};
    return {0, offset - deviceCentre(centre, plain.height(), shown.height())};
}

void RulerView::UmistiSipku() {
    const int offset = m_context.state().PoziceMeridla;
    if (m_context.state().Horizontalni)
        imageSipka->placePicture(
            pointerPlace(offset, m_skin.arrow, m_shown.arrow, m_skin.horizontal.arrowCenter));
    else
        imageSipka->placePicture(
            pointerPlace(offset, m_skin.varrow, m_shown.varrow, m_skin.vertical.arrowCenter));
}

void RulerView::UmistiZalozku(int i) {
    const MarkerList &markers = m_context.state().Zalozky;
    if (i < 0 || i >= markers.size())
        return;
    const tzalozka &zalozka = markers[i];
    ImageControl *image = m_markerImages.value(i);
    if (!zalozka.Aktivni || !image)
        return;
    if (m_context.state().Horizontalni) {
        image->setPicture(m_shown.mark);
        image->placePicture(
            pointerPlace(zalozka.Pozice, m_skin.mark, m_shown.mark, m_skin.horizontal.markCenter));
    } else {
        image->setPicture(m_shown.vmark);
        image->placePicture(
            pointerPlace(zalozka.Pozice, m_skin.vmark, m_shown.vmark, m_skin.vertical.markCenter));
    }
}

ImageControl *RulerView::createMarkerImage(int i) {
    auto *image = new ImageControl(&m_window);
    image->setObjectName(QStringLiteral("zalozka%1").arg(i + 1));
    image->setAutoSize(true);
    image->setCursor(Qt::CrossCursor);
    connectPress(image);
    setAccessibleRole(image, QAccessible::Graphic);
    return image;
}

void RulerView::showMarkers() {
    // A picture whose marker is gone goes with it. The press that deletes a marker may be a
    // press on that very marker, so its picture goes once the event is over.
    const MarkerList &markers = m_context.state().Zalozky;
    for (qsizetype i = 0; i < m_markerImages.size(); ++i) {
        ImageControl *&image = m_markerImages[i];
        if (image && (i >= markers.size() || !markers[i].Aktivni)) {
            image->hide();
            image->deleteLater();
            image = nullptr;
        }
    }
    m_markerImages.resize(markers.size());
    for (int i = 0; i < markers.size(); ++i) {
        if (!markers[i].Aktivni)
            continue;
        const bool added = !m_markerImages[i];
        if (added)
            m_markerImages[i] = createMarkerImage(i);
        UmistiZalozku(i);
        if (added)
            m_markerImages[i]->show();
    }
}

// ---------------------------------------------------------------------------------------------
// Unit button

QFont RulerView::unitSymbolFont() const {
    QFont bold = m_window.font();
    bold.setBold(true);
    // Set without shaping: a symbol of a few letters needs none, the built-in symbols look the
    // same either way, and the bold font's shaping tables, read for nothing else, stay unread.
    // Only a kerning pair in a user's own symbol stands a pixel apart.
    bold.setStyleStrategy(QFont::PreferNoShaping);
    return bold;
}

QString RulerView::unitSymbol() const {
    const RulerState &state = m_context.state();
    const bool known = state.Jednotka >= 0 && state.Jednotka < state.Jednotky.size();
    return known ? state.Jednotky[state.Jednotka].Znacka : buttonJednotka->text();
}

void RulerView::showUnitSymbol() {
    const QString symbol = unitSymbol();
    buttonJednotka->setText(symbol);
    buttonJednotka->setFont(
        fontFitting(unitSymbolFont(), symbol, buttonJednotka->contentsRect().width()));
}

void RulerView::EfektTlacitkaJednotkaStart() {
    QPalette palette = buttonJednotka->palette();
    palette.setColor(QPalette::WindowText, m_skin.unitColour2);
    buttonJednotka->setPalette(palette);
}

void RulerView::EfektTlacitkaJednotkaEnd() {
    QPalette palette = buttonJednotka->palette();
    palette.setColor(QPalette::WindowText, m_skin.unitColour);
    buttonJednotka->setPalette(palette);
}

// ---------------------------------------------------------------------------------------------
// What assistive technology reads

void RulerView::describe() {
    // What the reading, the unit label, the scale and the markers show changes with every
    // measurement, unit, length and language.
    const RulerState &state = m_context.state();
    const QString symbol = unitSymbol();
    const auto withSymbol = [this, &symbol](int pixels) {
        return m_context.formatDistance(pixels) + u' ' + symbol;
    };
    labelMeridlo->setAccessibleName(m_context.translate(
        QStringLiteral("Naměřená vzdálenost: %s"), {FormatujCislo(state.Odecet) + u' ' + symbol}));
    describeMonitorPixels();
    const bool known = state.Jednotka >= 0 && state.Jednotka < state.Jednotky.size();
    const QString unitName =
        known ? shownUnitName(state.Jednotka, state.Jednotky[state.Jednotka].Nazev,
                              [this](const QString &name) { return m_context.translate(name); })
              : symbol;
    buttonJednotka->setAccessibleName(
        m_context.translate(QStringLiteral("Jednotka: %s"), {unitName}));
    const RulerModel &model = m_context.model();
    imageMeritko->setAccessibleName(
        m_context.translate(QStringLiteral("Stupnice: jednotka %s, délka %s"),
                            {unitName, withSymbol(model.barLength())}));
    for (int i = 0; i < state.Zalozky.size(); ++i) {
        if (ImageControl *image = m_markerImages.value(i))
            image->setAccessibleName(
                m_context.translate(QStringLiteral("Záložka: %s"),
                                    {withSymbol(model.distanceFromZero(state.Zalozky[i].Pozice))}));
    }
}

void RulerView::describeMonitorPixels() {
    const RulerState &state = m_context.state();
    const double ratio = m_context.ratio();
    const int pixels = m_context.model().measuredPixels();
    const int dpi = state.Horizontalni ? state.RozliseniX : state.RozliseniY;
    const QLocale locale;
    const QString monitor =
        state.monitor.name.isEmpty() ? state.monitor.identity : state.monitor.name;
    const QString text = m_context.translate(
        QStringLiteral("%s px zařízení = %s logických px při %s % = %s cm na monitoru %s"),
        {QString::number(pixels), locale.toString(pixels / ratio, 'f', 1),
         QString::number(qRound(ratio * 100)),
         locale.toString(dpi > 0 ? pixels * centimetresPerInch / dpi : 0.0, 'f', 2), monitor});
    labelMeridlo->setToolTip(text);
    labelMeridlo->setAccessibleDescription(text);
}
