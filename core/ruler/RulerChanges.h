#pragma once

#include <QFlags>

// What a change of the ruler's state asks the window to bring up to date. The window applies
// them in one step, in the order listed, and each brings along what follows from it.
enum class RulerChange : unsigned {
    Turned = 1 << 0,         // the orientation flipped: the window's width and height swap
    Shape = 1 << 1,          // the window's length or thickness: the bar and the controls
    Monitor = 1 << 2,        // the bar may now measure on another monitor
    Factors = 1 << 3,        // the pixels per unit of every unit
    MarkerPercents = 1 << 4, // the percentages the markers keep for a percent-unit resize
    Scale = 1 << 5,          // the scale strip
    Arrow = 1 << 6,          // the arrow's place
    Markers = 1 << 7,        // the markers' pictures and places
    Reading = 1 << 8,        // the number on the bar
    UnitSymbol = 1 << 9,     // the unit button's symbol
    UnitList = 1 << 10,      // the units in the unit menu
    // With Reading: the number stays as it is set, since the arrow was moved under it (a
    // percent-unit resize) or it is known exactly (a calibration's reference length).
    KeepReading = 1 << 11,
};
Q_DECLARE_FLAGS(RulerChanges, RulerChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(RulerChanges)

// Everything but a turn: the first layout, a new skin, a new screen ratio.
constexpr RulerChanges everyChange = RulerChanges::fromInt(((1u << 11) - 1) & ~1u);

// The changes together with all that follows from them: a new shape draws everything anew on
// its monitor; new factors redraw the scale, the reading and the markers' readings.
RulerChanges withConsequences(RulerChanges changes);
