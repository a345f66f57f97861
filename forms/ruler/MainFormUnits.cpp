// The ruler window's units, its two menus and calibration.

#include "forms/ruler/MainForm.h"

#include "core/drawing/UnitMenuDrawing.h"
#include "core/settings/MonitorSettings.h"
#include "core/settings/RulerState.h"
#include "core/units/DistanceFormat.h"
#include "core/units/RulerMath.h"
#include "forms/ruler/UnitMenuItem.h"
#include "widgets/ImageControl.h"

#include <QLabel>
#include <QMenu>

void TMainForm::ObnovMenuJednotky() {
    for (int i = 0; i < m_state.Jednotky.size(); ++i) {
        if (i >= m_polozkyJednotek.size()) {
            auto *item = new UnitMenuItem(this);
            connect(item, &QAction::triggered, this, [this, item] { ZmenJednotku(item); });
            m_polozkyJednotek.append(item);
            if (popupJednotky)
                popupJednotky->addAction(item);
        }
        UnitMenuItem *item = m_polozkyJednotek[i];
        item->setText(nazevJednotky(i));
        item->setToolTip(m_state.Jednotky[i].Znacka);
        item->setVisible(true);
    }
    for (int i = m_state.Jednotky.size(); i < m_polozkyJednotek.size(); ++i)
        m_polozkyJednotek[i]->setVisible(false);
}

void TMainForm::ZmenJednotku(QObject *sender) {
    if (sender == buttonJednotka) {
        setUnit(m_state.Jednotka + 1 > UnitPercent ? 0 : m_state.Jednotka + 1);
    } else if (auto *item = qobject_cast<UnitMenuItem *>(sender);
               item && m_polozkyJednotek.contains(item)) {
        setUnit(int(m_polozkyJednotek.indexOf(item)));
    }
}

void TMainForm::setUnit(int jednotka) {
    m_state.Jednotka = jednotka < m_state.Jednotky.size() ? jednotka : 0;
    m_state.PixeluNaJednotku = m_state.Jednotky[m_state.Jednotka].Pixelu;
    ukazZnacku();
    kresliMeritko();
    ZobrazVzdalenost();
    zaznamenejProcenta();
    saveSoon();
}

QFont TMainForm::unitSymbolFont() const {
    QFont bold = font();
    bold.setBold(true);
    return bold;
}

// The symbol shows whole, in a smaller font when four wide letters need it.
void TMainForm::ukazZnacku() {
    const QString symbol = m_state.Jednotky[m_state.Jednotka].Znacka;
    buttonJednotka->setText(symbol);
    buttonJednotka->setFont(
        fontFitting(unitSymbolFont(), symbol, buttonJednotka->contentsRect().width()));
}

void TMainForm::OtevriMenu(QObject *sender) {
    auto *button = qobject_cast<QWidget *>(sender);
    if (button != buttonMenu && button != buttonDalsiJednotky)
        return;
    QMenu *menu = button == buttonMenu ? functionMenu() : unitMenu();
    const QRect window(pos(), size());
    QPoint point;
    if (m_state.Horizontalni) {
        point = QPoint(window.left() + button->x(), window.top() + window.height());
        // The unit menu ends at the button's right edge.
        if (button == buttonDalsiJednotky)
            point.rx() += button->width() - menu->sizeHint().width();
    } else {
        point = QPoint(window.left() + window.width(), window.top() + button->y());
    }
    menu->popup(point);
}

void TMainForm::OtevritMenu2() {
    OtevriMenu(buttonDalsiJednotky);
}

void TMainForm::EfektTlacitkaJednotkaStart() {
    QPalette palette = buttonJednotka->palette();
    palette.setColor(QPalette::WindowText, m_skin.unitColour2);
    buttonJednotka->setPalette(palette);
}

void TMainForm::EfektTlacitkaJednotkaEnd() {
    QPalette palette = buttonJednotka->palette();
    palette.setColor(QPalette::WindowText, m_skin.unitColour);
    buttonJednotka->setPalette(palette);
}

// ---------------------------------------------------------------------------------------------
// Calibration: started from the menu or the settings dialog, it takes one click on the
// horizontal bar and one on the vertical bar; asking for it again on the way cancels it.

void TMainForm::Kalibrace(QObject *sender) {
    if (sender == imageMeritko)
        takeCalibrationClick();
    else if (m_state.Kalibruje)
        cancelCalibration();
    else
        startCalibration();
}

void TMainForm::startCalibration() {
    // A physical ruler reads centimetres or inches; the unit stays chosen afterwards.
    if (m_state.Jednotka != UnitCentimetre && m_state.Jednotka != UnitInch)
        setUnit(UnitCentimetre);
    if (!m_state.Horizontalni)
        HorizontVertik();
    // The physical ruler is laid with its zero at the start edge, so the scale must count
    // from there too.
    if (m_state.Obracene)
        Obratit();
    m_state.Kalibruje = true;
    const QString gap = QStringLiteral("\r\n\r\n");
    ZobrazitZpravu(
        QMessageBox::Information,
        translated(QStringLiteral("Připravte si klasické (např. plastové tavlinko).")) + gap +
            translated(QStringLiteral("Po kliknutí na OK, přiložte klasické tavlinko k tomu "
                                      "elektronickému tak, aby měli nulu ve stejném bodě.")) +
            gap +
            translated(QStringLiteral("Pak klikněte myší na místo v horní části tavlinka, kde "
                                      "klasické tavlinko ukazuje %s."),
                       {calibrationReference(m_state.Jednotka).text}));
}

void TMainForm::cancelCalibration() {
    m_state.Kalibruje = false;
    ZobrazitZpravu(QMessageBox::Information,
                   translated(QStringLiteral("Kalibrace byla přerušena.")));
}

void TMainForm::takeCalibrationClick() {
    const CalibrationReference reference = calibrationReference(m_state.Jednotka);
    const int rozliseni = SpocitejRozliseni(m_state.PoziceMeridla, m_state.Jednotka);
    if (rozliseni < NejmensiRozliseni) {
        // A click next to the zero would leave centimetres and inches without pixels.
        ZobrazitZpravu(QMessageBox::Information,
                       translated(QStringLiteral("Toto místo je příliš blízko nuly. Klikněte na "
                                                 "místo, kde klasické tavlinko ukazuje %s."),
                                  {reference.text}));
        return;
    }
    const bool horizontal = m_state.Horizontalni;
    // Only the monitor the ruler is on is calibrated; the others keep their values.
    setMonitorResolution(m_state, horizontal ? QPoint(rozliseni, m_state.RozliseniY)
                                             : QPoint(m_state.RozliseniX, rozliseni));
    PrepocitejJednotky();
    kresliMeritko();
    ZobrazitZpravu(
        QMessageBox::Information,
        translated(horizontal ? QStringLiteral("Výborně! A nyní proveďte totéž ve svislé poloze.")
                              : QStringLiteral("Kalibrace byla dokončena.")));
    HorizontVertik();
    // The click was made where the physical ruler shows the reference length; by definition
    // that is what the ruler now reads there, in either position.
    setReading(reference.length);
    if (!horizontal)
        m_state.Kalibruje = false;
}
