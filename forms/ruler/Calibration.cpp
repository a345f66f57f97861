#include "forms/ruler/Calibration.h"

#include "core/ruler/RulerModel.h"
#include "core/settings/MonitorSettings.h"
#include "core/settings/RulerState.h"
#include "core/units/RulerMath.h"
#include "forms/ruler/ReadingAnnouncer.h"
#include "forms/ruler/RulerContext.h"

void Calibration::Kalibrace() {
    if (m_context.state().Kalibruje)
        cancel();
    else
        start();
}

void Calibration::start() {
    RulerState &state = m_context.state();
    RulerModel &model = m_context.model();
    // A physical ruler reads centimetres or inches; the unit stays chosen afterwards.
    RulerChanges changes;
    if (state.Jednotka != UnitCentimetre && state.Jednotka != UnitInch)
        changes |= model.selectUnit(UnitCentimetre);
    if (!state.Horizontalni)
        changes |= model.turn();
    // The physical ruler is laid with its zero at the start edge, so the scale must count
    // from there too.
    if (state.Obracene)
        changes |= model.swapZeroEnd();
    m_context.refresh(changes);
    state.Kalibruje = true;
    const QString gap = QStringLiteral("\r\n\r\n");
    m_context.report(
        QMessageBox::Information,
        m_context.translate(QStringLiteral("Připravte si klasické (např. plastové tavlinko).")) +
            gap +
            m_context.translate(QStringLiteral("Po kliknutí na OK, přiložte klasické tavlinko k "
                                               "tomu elektronickému tak, aby měli nulu ve "
                                               "stejném bodě.")) +
            gap +
            m_context.translate(QStringLiteral("Pak klikněte myší na místo v horní části "
                                               "tavlinka, kde klasické tavlinko ukazuje %s."),
                                {calibrationReference(state.Jednotka).text}));
}

void Calibration::cancel() {
    m_context.state().Kalibruje = false;
    m_context.report(QMessageBox::Information,
                     m_context.translate(QStringLiteral("Kalibrace byla přerušena.")));
}

void Calibration::takePress() {
    RulerState &state = m_context.state();
    const CalibrationReference reference = calibrationReference(state.Jednotka);
    const int resolution = SpocitejRozliseni(state.PoziceMeridla, state.Jednotka);
    if (resolution < NejmensiRozliseni) {
        // A press next to the zero would leave centimetres and inches without pixels.
        m_context.report(QMessageBox::Information,
                         m_context.translate(QStringLiteral("Toto místo je příliš blízko nuly. "
                                                            "Klikněte na místo, kde klasické "
                                                            "tavlinko ukazuje %s."),
                                             {reference.text}));
        return;
    }
    const bool horizontal = state.Horizontalni;
    // Only the monitor the ruler is on is calibrated; the others keep their values. The new
    // scale shows while the user reads what comes next.
    setMonitorResolution(state, horizontal ? QPoint(resolution, state.RozliseniY)
                                           : QPoint(state.RozliseniX, resolution));
    m_context.refresh(RulerChange::Factors);
    m_context.report(
        QMessageBox::Information,
        m_context.translate(horizontal
                                ? QStringLiteral("Výborně! A nyní proveďte totéž ve svislé poloze.")
                                : QStringLiteral("Kalibrace byla dokončena.")));
    // The press was made where the physical ruler shows the reference length; by definition
    // that is what the ruler now reads there, in either position.
    const RulerChanges turned = m_context.model().turn();
    state.Odecet = reference.length;
    m_context.refresh(turned | RulerChange::KeepReading);
    m_context.announcer().announceReading();
    if (!horizontal)
        state.Kalibruje = false;
}
