// The ruler window's measuring and markers.

#include "forms/ruler/MainForm.h"

#include "core/settings/RulerState.h"
#include "forms/ruler/Calibration.h"
#include "forms/ruler/MainFormContext.h"

void TMainForm::ZobrazVzdalenost() {
    updateLayout(RulerChange::Reading);
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
        updateLayout(m_model.measureAt(pozice));
        // A calibration step tells its own reading.
        if (m_state.Kalibruje)
            m_calibration->takePress();
        else
            m_context->announcer().announceReading();
    }
}

void TMainForm::NovaZalozka(int pos) {
    updateLayout(m_model.addMarker(pos));
    m_context->announcer().announceNewestMarker();
}

void TMainForm::SmazZalozku(int pos) {
    updateLayout(m_model.removeMarkerNear(pos));
}
