// The ruler window's skin, its one layout step, and screens of other ratios.

#include "forms/ruler/MainForm.h"

#include "core/settings/RulerState.h"
#include "core/units/DevicePixels.h"
#include "core/units/DistanceFormat.h"
#include "core/units/RulerLimits.h"
#include "forms/ruler/MainFormContext.h"
#include "forms/ruler/RulerMenus.h"
#include "forms/ruler/RulerView.h"
#include "forms/ruler/SettingsSaver.h"

void TMainForm::NactiSkin(const QString &folder) {
    SkinData skin;
    QString error;
    if (!NactiSkinData(folder, skin, &error)) {
        m_context->report(QMessageBox::Critical, error);
        drawMissingPieces(skin);
    }
    m_view->setSkin(skin);
    // A new ruler shows a reading of 0 until the first press, whichever end carries the zero.
    updateLayout(m_laidOut ? everyChange : everyChange | RulerChange::KeepReading);
}

void TMainForm::updateLayout(RulerChanges changes) {
    changes = withConsequences(changes);
    if (changes & RulerChange::Turned) {
        // The length stays: what was the window's width becomes its height. A bar that spans
        // the desktop spans it the other way now, or it would reach past a screen that is
        // less high than wide.
        resize(size().transposed());
        if (m_state.CelaObrazovka) {
            setLength(m_place.toDesktopStart(m_state.Horizontalni, m_ratio));
            changes |= RulerChange::MarkerPercents;
        }
    }
    if (changes & RulerChange::Shape) {
        // As thick as the skin's bar, as long as it is.
        const int thickness = qMax(1, m_view->section().ruleHeight);
        resize(m_state.Horizontalni ? QSize(width(), thickness) : QSize(thickness, height()));
        m_view->placeStrip();
    }
    // Centimetres and inches are those of the monitor the bar measures on.
    if (changes & RulerChange::Monitor) {
        const auto monitor =
            monitorOfBar(monitors(), geometry(), m_state.Horizontalni, m_state.Obracene);
        if (m_model.followMonitor(monitor))
            changes = withConsequences(changes | RulerChange::Factors);
        // A move on the same monitor changes nothing that shows.
        if (changes == RulerChanges(RulerChange::Monitor))
            return;
    }
    if (changes & RulerChange::Factors)
        m_model.recomputeFactors();
    if (changes & RulerChange::MarkerPercents)
        m_model.recordMarkerPercents();
    if (changes & RulerChange::Scale)
        m_view->drawScale();
    if (changes & RulerChange::Shape) {
        m_view->Ramecek();
        m_view->PoziceTlacitek();
    }
    if (changes & RulerChange::Arrow)
        m_view->UmistiSipku();
    if (changes & RulerChange::Markers)
        m_view->showMarkers();
    if (changes & RulerChange::UnitSymbol)
        m_view->showUnitSymbol();
    if (changes & RulerChange::UnitList)
        m_menus->ObnovMenuJednotky();
    if (changes & RulerChange::Reading) {
        if (!(changes & RulerChange::KeepReading))
            m_state.Odecet = m_model.reading();
        m_view->showReading(FormatujCislo(m_state.Odecet));
    }
    m_view->describe();
    m_laidOut = true;
    m_saver->saveSoon();
}

void TMainForm::setLength(int logicalLength) {
    const int length = qBound(shortestBar, logicalLength, longestBar);
    resize(m_state.Horizontalni ? QSize(length, height()) : QSize(width(), length));
    m_view->placeStrip();
}

// ---------------------------------------------------------------------------------------------
// Screens of another device pixel ratio, monitors of other densities

bool TMainForm::event(QEvent *event) {
    const bool handled = QWidget::event(event);
    const QEvent::Type type = event->type();
    if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show)
        m_place.follow(type);
    if (type == QEvent::ScreenChangeInternal && m_shownOnce)
        followRatio();
    // The arrow and the markers keep their pixels on another monitor; what they read follows
    // it.
    if ((type == QEvent::Move || type == QEvent::ScreenChangeInternal) && m_laidOut)
        updateLayout(RulerChange::Monitor);
    if (type == QEvent::Move || type == QEvent::Resize)
        m_saver->saveSoon();
    return handled;
}

void TMainForm::followRatio() {
    const double ratio = devicePixelRatio();
    // While the ruler starts, its stored place takes it to its screen before there is a bar to
    // carry over; the start takes that screen's ratio itself.
    if (ratio == m_ratio || !m_laidOut)
        return;
    // The window keeps its logical size on the new screen, so the arrow and the markers keep
    // their places on the bar; the readings follow the new count of device pixels.
    m_model.rescale(m_ratio, ratio);
    m_ratio = ratio;
    if (m_state.CelaObrazovka)
        setLength(m_place.toDesktopStart(m_state.Horizontalni, m_ratio));
    // The skin's pictures are made anew for the new ratio, and everything laid out with them.
    m_view->showSkin();
    updateLayout();
}
