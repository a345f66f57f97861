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

QString TMainForm::readingText() const {
    return FormatujCislo(m_state.Odecet);
}

QString TMainForm::unitSymbol() const {
    const bool known = m_state.Jednotka >= 0 && m_state.Jednotka < m_state.Jednotky.size();
    return known ? m_state.Jednotky[m_state.Jednotka].Znacka : buttonJednotka->text();
}

void TMainForm::setReading(double value) {
    m_state.Odecet = value;
    // The label is right-aligned and grows to the left, keeping the right edge the skin gave.
    const int right = labelMeridlo->x() + labelMeridlo->width();
    labelMeridlo->setText(readingText());
    labelMeridlo->adjustSize();
    labelMeridlo->move(right - labelMeridlo->width(), labelMeridlo->y());
    updateAccessibleNames();
}

int TMainForm::measuredPixels() const {
    // A span between two edges is a length of its own, whichever end carries the zero.
    return m_state.Rozpeti ? m_state.Rozpeti->length() : vzdalenostOdNuly(m_state.PoziceMeridla);
}

void TMainForm::ZobrazVzdalenost() {
    setReading(readingValue(measuredPixels(), m_state.PixeluNaJednotku));
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
    if (i < 0 || i >= m_state.Zalozky.size())
        return;
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
    m_state.Zalozky.recordPercent([this](int pozice) { return procentaZalozky(pozice); });
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
            takeCalibrationClick();
    }
}

void TMainForm::NovaZalozka(int pos) {
    m_state.Zalozky.add(pos, procentaZalozky(pos));
    ukazZalozky();
}

void TMainForm::SmazZalozku(int pos) {
    if (m_state.Zalozky.removeNearest(pos) >= 0)
        ukazZalozky();
}

void TMainForm::FunkceZalozek(QObject *sender) {
    if (sender == menuZVytvorit) {
        m_state.RezimMysi = 1;
    } else if (sender == menuZSmazat) {
        m_state.RezimMysi = 2;
    } else if (sender == menuZSmazatVse) {
        m_state.Zalozky.clear();
        ukazZalozky();
    }
}

ImageControl *TMainForm::createMarkerImage(int i) {
    auto *image = new ImageControl(this);
    image->setObjectName(QStringLiteral("zalozka%1").arg(i + 1));
    image->setAutoSize(true);
    image->setCursor(Qt::CrossCursor);
    connectPress(image);
    setAccessibleRole(image, QAccessible::Graphic);
    return image;
}

void TMainForm::discardMarkerImage(ImageControl *image) {
    // The press that deletes a marker may be a press on that very marker, so its picture goes
    // once the event is over.
    if (!image)
        return;
    image->hide();
    image->deleteLater();
}

void TMainForm::ukazZalozky() {
    // One picture for each active slot of the list, at the slot's number; a picture whose
    // marker is gone goes with it.
    const MarkerList &markers = m_state.Zalozky;
    for (qsizetype i = 0; i < m_obrazkyZalozek.size(); ++i) {
        if (m_obrazkyZalozek[i] && (i >= markers.size() || !markers[i].Aktivni)) {
            discardMarkerImage(m_obrazkyZalozek[i]);
            m_obrazkyZalozek[i] = nullptr;
        }
    }
    m_obrazkyZalozek.resize(markers.size());
    for (int i = 0; i < markers.size(); ++i) {
        if (!markers[i].Aktivni)
            continue;
        const bool added = !m_obrazkyZalozek[i];
        if (added)
            m_obrazkyZalozek[i] = createMarkerImage(i);
        UmistiZalozku(i);
        if (added)
            m_obrazkyZalozek[i]->show();
    }
    updateAccessibleNames();
}

void TMainForm::Zkopiruj() {
    QGuiApplication::clipboard()->setText(readingText());
}

void TMainForm::UlozNaDisk() {
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
    const QString symbol = unitSymbol();
    QStringList markers;
    for (const tzalozka &zalozka : std::as_const(m_state.Zalozky))
        if (zalozka.Aktivni)
            markers << FormatujVzdalenost(vzdalenostOdNuly(zalozka.Pozice)) + QLatin1Char(' ') +
                           symbol;
    const QString text = distancesText(translated(QStringLiteral("Naměřená vzdálenost je %s."),
                                                  {readingText() + QLatin1Char(' ') + symbol}),
                                       translated(QStringLiteral("Pozice záložek :")), markers);
    // A failure (a full disk, a read-only folder) never leaves a half-written file behind.
    QString error;
    if (writeFileAtomically(fileName, text.toUtf8(), &error))
        return true;
    ZobrazitZpravu(QMessageBox::Warning, translated(QStringLiteral("Soubor %s nelze uložit."),
                                                    {QDir::toNativeSeparators(fileName)}));
    return false;
}
