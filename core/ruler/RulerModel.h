#pragma once

#include "core/ruler/RulerChanges.h"
#include "core/screen/Monitors.h"

#include <functional>
#include <optional>

struct RulerState;

// The ruler's arithmetic on its state: what a press, a marker, a turn, a swap of the zero end,
// a unit or a new length do to the numbers, and what of the window they change. The window
// brings that up to date; nothing here knows of it beyond the bar's length.
class RulerModel {
public:
    // barLength gives the bar's length along its axis in device pixels, as the window is now.
    RulerModel(RulerState &state, std::function<int()> barLength);

    int barLength() const { return m_barLength(); }
    // Device pixels from the zero end to an offset from the bar's start edge.
    int distanceFromZero(int offset) const;
    // The distance the reading shows, in device pixels: a span between two edges is a length
    // of its own, whichever end carries the zero.
    int measuredPixels() const;
    // The reading for measuredPixels in the current unit.
    double reading() const;
    // The offset's distance from zero in percent of the bar, as a marker keeps it.
    double markerPercent(int offset) const;

    RulerChanges measureAt(int offset);
    RulerChanges addMarker(int offset);
    RulerChanges removeMarkerNear(int offset);
    RulerChanges clearMarkers();
    RulerChanges turn();
    RulerChanges swapZeroEnd();
    // An index past the units takes the first one.
    RulerChanges selectUnit(int unit);
    // The unit button steps through the built-in units.
    RulerChanges nextBuiltInUnit();
    // The bar has taken a new length. In the percent unit, when asked to, the arrow and the
    // markers move so that their readings stay; otherwise they stay and their readings follow.
    RulerChanges lengthChanged(bool keepPercent);
    // The bar's positions, counted in device pixels of one ratio, for a screen of another.
    void rescale(double before, double after);
    // Makes the monitor under the bar the one measured on; true when it is another one.
    bool followMonitor(const std::optional<MonitorInfo> &monitor);
    void recordMarkerPercents();
    // The pixels per unit of every unit, for the bar as long as it is now.
    void recomputeFactors();

private:
    RulerState &m_state;
    std::function<int()> m_barLength;
};
