#include "core/ruler/RulerModel.h"

#include "core/settings/MonitorSettings.h"
#include "core/settings/RulerState.h"
#include "core/units/DevicePixels.h"
#include "core/units/DistanceFormat.h"
#include "core/units/RulerMath.h"
#include "core/units/Units.h"

RulerChanges withConsequences(RulerChanges changes) {
    if (changes & RulerChange::Turned)
        changes |= RulerChange::Shape;
    // A bar of another shape may stand on another monitor and counts other scale pixels.
    if (changes & RulerChange::Shape)
        changes |= RulerChange::Monitor | RulerChange::Factors | RulerChange::Arrow;
    if (changes & RulerChange::Factors)
        changes |= RulerChange::Scale | RulerChange::Reading | RulerChange::Markers;
    return changes;
}

RulerModel::RulerModel(RulerState &state, std::function<int()> barLength)
    : m_state(state), m_barLength(std::move(barLength)) {}

int RulerModel::distanceFromZero(int offset) const {
    return m_state.Obracene ? barLength() - offset : offset;
}

int RulerModel::measuredPixels() const {
    return m_state.edgeSpan ? m_state.edgeSpan->length() : distanceFromZero(m_state.PoziceMeridla);
}

double RulerModel::reading() const {
    return readingValue(measuredPixels(), m_state.PixeluNaJednotku);
}

double RulerModel::markerPercent(int offset) const {
    const double pixelsPerPercent = m_state.Jednotky.value(UnitPercent).Pixelu;
    return pixelsPerPercent > 0 ? roundToHundredths(distanceFromZero(offset) / pixelsPerPercent)
                                : 0;
}

RulerChanges RulerModel::measureAt(int offset) {
    m_state.PoziceMeridla = offset;
    return RulerChange::Reading | RulerChange::Arrow;
}

RulerChanges RulerModel::addMarker(int offset) {
    m_state.Zalozky.add(offset, markerPercent(offset));
    return RulerChange::Markers;
}

RulerChanges RulerModel::removeMarkerNear(int offset) {
    return m_state.Zalozky.removeNearest(offset) >= 0 ? RulerChanges(RulerChange::Markers)
                                                      : RulerChanges();
}

RulerChanges RulerModel::clearMarkers() {
    m_state.Zalozky.clear();
    return RulerChange::Markers;
}

RulerChanges RulerModel::turn() {
    m_state.Horizontalni = !m_state.Horizontalni;
    // The same pixels read anew: the resolution across may differ from the one down.
    return RulerChange::Turned;
}

RulerChanges RulerModel::swapZeroEnd() {
    m_state.Obracene = !m_state.Obracene;
    // The zero end may now stand on another monitor, whose resolution the bar then measures
    // by; the markers stay and stand at other percentages.
    return RulerChange::Monitor | RulerChange::Scale | RulerChange::Reading | RulerChange::Markers |
           RulerChange::MarkerPercents;
}

RulerChanges RulerModel::selectUnit(int unit) {
    m_state.Jednotka = unit >= 0 && unit < m_state.Jednotky.size() ? unit : 0;
    m_state.PixeluNaJednotku = m_state.Jednotky[m_state.Jednotka].Pixelu;
    return RulerChange::UnitSymbol | RulerChange::Scale | RulerChange::Reading |
           RulerChange::Markers | RulerChange::MarkerPercents;
}

RulerChanges RulerModel::nextBuiltInUnit() {
    return selectUnit(m_state.Jednotka + 1 > UnitPercent ? 0 : m_state.Jednotka + 1);
}

RulerChanges RulerModel::lengthChanged(bool keepPercent) {
    const RulerChanges shape = RulerChange::Shape;
    if (!keepPercent || m_state.Jednotka != UnitPercent)
        return shape | RulerChange::MarkerPercents;
    m_state.Zalozky.placeAtPercent(barLength(), m_state.Obracene);
    m_state.PoziceMeridla =
        percentPosition(roundToHundredths(m_state.Odecet), barLength(), m_state.Obracene);
    return shape | RulerChange::KeepReading;
}

void RulerModel::rescale(double before, double after) {
    m_state.PoziceMeridla = rescaledPixel(m_state.PoziceMeridla, before, after);
    m_state.Zalozky.move(
        [before, after](int offset) { return rescaledPixel(offset, before, after); });
}

bool RulerModel::followMonitor(const std::optional<MonitorInfo> &monitor) {
    if (!monitor)
        return false;
    const bool another = monitor->identity != m_state.monitor.identity;
    useMonitor(m_state, *monitor);
    return another;
}

void RulerModel::recordMarkerPercents() {
    m_state.Zalozky.recordPercent([this](int offset) { return markerPercent(offset); });
}

void RulerModel::recomputeFactors() {
    PrepocitejJednotky(m_state, barLength());
}
