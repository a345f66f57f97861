// The ruler window's measuring, markers, copying and saving of readings.

#include "forms/ruler/MainForm.h"

#include "core/settings/RulerState.h"
#include "core/settings/TextFile.h"
#include "core/units/DevicePixels.h"
#include "core/units/DistanceFormat.h"
#include "core/units/RulerMath.h"
#include "forms/ruler/SaveDialogSettings.h"
#include "widgets/AccessibleControl.h"
#include "widgets/ImageControl.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>

int TMainForm::delkaOkna() const {
    return m_state.Horizontalni ? width() : height();
}

int TMainForm::delkaPravitka() const {
    return deviceLength(delkaOkna(), m_pomer);
}

int TMainForm::vzdalenostOdNuly(int pozice) const {
    return m_state.Obracene ? delkaPravitka() - pozice : pozice;
}

QString TMainForm::FormatujVzdalenost(int d) const {
    return ::FormatujVzdalenost(d, m_state.PixeluNaJednotku);
}

void TMainForm::setReading(const QString &text) {
    // The label is right-aligned and grows to the left, keeping the right edge the skin gave.
    const int right = labelMeridlo->x() + labelMeridlo->width();
    labelMeridlo->setText(text);
    labelMeridlo->adjustSize();
    labelMeridlo->move(right - labelMeridlo->width(), labelMeridlo->y());
    updateAccessibleNames();
}

void TMainForm::ZobrazVzdalenost() {
    // A span between two edges is a length of its own, whichever end carries the zero.
    setReading(FormatujVzdalenost(m_state.Rozpeti ? m_state.Rozpeti->length()
                                                  : vzdalenostOdNuly(m_state.PoziceMeridla)));
}

QPoint TMainForm::pointerPlace(int pozice, const QImage &plain, const QImage &shown,
                               int centre) const {
    // The skin names the centre in pixels of its plain picture; on a scaled screen it is the
    // device pixel of the shown picture that lies under it.
    if (m_state.Horizontalni)
        return {pozice - deviceCentre(centre, plain.width(), shown.width()), 0};
    return {0, pozice - deviceCentre(centre, plain.height(), shown.height())};
}

void TMainForm::UmistiSipku() {
    if (m_state.Horizontalni)
        imageSipka->placePicture(pointerPlace(m_state.PoziceMeridla, m_skin.arrow, m_shown.arrow,
                                              m_skin.horizontal.arrowCenter));
    else
        imageSipka->placePicture(pointerPlace(m_state.PoziceMeridla, m_skin.varrow, m_shown.varrow,
                                              m_skin.vertical.arrowCenter));
}

void TMainForm::UmistiZalozku(int i) {
    const tzalozka &zalozka = m_state.Zalozky[i];
    ImageControl *image = m_obrazkyZalozek.value(i);
    if (!zalozka.Aktivni || !image)
        return;
    if (m_state.Horizontalni) {
        image->setPicture(m_shown.mark);
        image->placePicture(
            pointerPlace(zalozka.Pozice, m_skin.mark, m_shown.mark, m_skin.horizontal.markCenter));
    } else {
        image->setPicture(m_shown.vmark);
        image->placePicture(
            pointerPlace(zalozka.Pozice, m_skin.vmark, m_shown.vmark, m_skin.vertical.markCenter));
    }
}

double TMainForm::procentaZalozky(int pozice) const {
    const double pixelsPerPercent = m_state.Jednotky.value(UnitPercent).Pixelu;
    return pixelsPerPercent > 0 ? roundToHundredths(vzdalenostOdNuly(pozice) / pixelsPerPercent)
                                : 0;
}

void TMainForm::zaznamenejProcenta() {
    // A percent-unit resize re-places the markers from these readings, so they are kept true
    // after every change that leaves the markers standing: a swap, a span, a resize in
    // another unit.
    for (tzalozka &zalozka : m_state.Zalozky)
        if (zalozka.Aktivni)
            zalozka.Procenta = procentaZalozky(zalozka.Pozice);
}

void TMainForm::Kliknuto(Qt::KeyboardModifiers shift, int x, int y) {
    if (shift & Qt::ControlModifier)
        m_state.RezimMysi = 1;
    if (shift & Qt::ShiftModifier)
        m_state.RezimMysi = 2;
    // The scale, the arrow and the markers all measure at the point under the cursor.
    const int pozice = m_state.Horizontalni ? x : y;
    const quint8 rezim = m_state.RezimMysi;
    m_state.RezimMysi = 0;
    if (rezim == 1) {
        NovaZalozka(pozice);
    } else if (rezim == 2) {
        SmazZalozku(pozice);
    } else {
        m_state.PoziceMeridla = pozice;
        ZobrazVzdalenost();
        UmistiSipku();
        if (m_state.Kalibruje)
            Kalibrace(imageMeritko);
    }
}

void TMainForm::NovaZalozka(int pos) {
    tzalozka zalozka;
    zalozka.Pozice = pos;
    zalozka.Aktivni = true;
    zalozka.Procenta = procentaZalozky(pos);
    m_state.Zalozky.append(zalozka);

    auto *image = new ImageControl(this);
    image->setObjectName(QStringLiteral("zalozka%1").arg(m_state.Zalozky.size()));
    image->setAutoSize(true);
    image->setCursor(Qt::CrossCursor);
    connectPress(image);
    setAccessibleRole(image, QAccessible::Graphic);
    m_obrazkyZalozek.append(image);
    UmistiZalozku(m_state.Zalozky.size() - 1);
    updateAccessibleNames();
    image->show();
}

void TMainForm::discardMarkerImage(ImageControl *image) {
    // The press that deletes a marker may be a press on that very marker, so its picture goes
    // once the event is over.
    if (!image)
        return;
    image->hide();
    image->deleteLater();
}

void TMainForm::SmazZalozku(int pos) {
    const int best = nearestMarker(m_state.Zalozky, pos);
    if (best < 0)
        return;
    m_state.Zalozky[best].Aktivni = false;
    discardMarkerImage(m_obrazkyZalozek[best]);
    m_obrazkyZalozek[best] = nullptr;
}

void TMainForm::FunkceZalozek(QObject *sender) {
    if (sender == menuZVytvorit) {
        m_state.RezimMysi = 1;
    } else if (sender == menuZSmazat) {
        m_state.RezimMysi = 2;
    } else if (sender == menuZSmazatVse) {
        for (ImageControl *image : std::as_const(m_obrazkyZalozek))
            discardMarkerImage(image);
        m_obrazkyZalozek.clear();
        m_state.Zalozky.clear();
    }
}

void TMainForm::Zkopiruj() {
    if (labelMeridlo->text().isEmpty())
        return;
    QGuiApplication::clipboard()->setText(labelMeridlo->text());
}

void TMainForm::UlozNaDisk() {
    if (labelMeridlo->text().isEmpty())
        return;
    QFileDialog dialog(this, SaveDialog->Title);
    dialog.setObjectName(QStringLiteral("SaveDialogWindow"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(SaveDialog->nameFilters());
    dialog.setDefaultSuffix(QString(SaveDialog->DefaultExt).remove(QStringLiteral("*.")));
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    UlozVzdalenostiDoSouboru(dialog.selectedFiles().constFirst());
}

bool TMainForm::UlozVzdalenostiDoSouboru(const QString &fileName) {
    const QString symbol = buttonJednotka->text();
    QStringList markers;
    for (const tzalozka &zalozka : std::as_const(m_state.Zalozky))
        if (zalozka.Aktivni)
            markers << FormatujVzdalenost(vzdalenostOdNuly(zalozka.Pozice)) + QLatin1Char(' ') +
                           symbol;
    const QString text =
        distancesText(translated(QStringLiteral("Naměřená vzdálenost je %s."),
                                 {labelMeridlo->text() + QLatin1Char(' ') + symbol}),
                      translated(QStringLiteral("Pozice záložek :")), markers);
    // A failure (a full disk, a read-only folder) never leaves a half-written file behind.
    QString error;
    if (writeFileAtomically(fileName, text.toUtf8(), &error))
        return true;
    ZobrazitZpravu(QMessageBox::Warning, translated(QStringLiteral("Soubor %s nelze uložit."),
                                                    {QDir::toNativeSeparators(fileName)}));
    return false;
}
