#pragma once

#include "core/settings/RulerState.h"
#include "core/units/FixedPoint.h"

#include <QString>
#include <QVector>

#include <optional>
#include <utility>

// A unit made from something of known length on the screen: a map's scale bar, a dimension on
// a drawing, a scanned ruler. It is an ordinary user unit based on the pixel, so the unit list,
// the units editor and the settings file take it like any other.

// Ticks closer than this many device pixels run together into a grey band.
constexpr double leastTickGap = 8;

// The tick spacing for a unit `pixelu` device pixels long: the smallest of 1, 2 and 5 times a
// power of ten whose ticks stand at least leastTickGap pixels apart.
double tickSpacing125(double pixelu);

// The two offsets that mark the known length, lower offset first: a span measured between edges
// while it is shown, since that is what the user just measured; else with two or more active
// markers the two nearest to the arrow, with one marker the arrow and that marker. Nothing
// when there are no such two places or they coincide.
std::optional<std::pair<int, int>> knownLengthEnds(int arrow, const MarkerList &markers,
                                                   const std::optional<EdgeSpan> &span);

// The lengths that `pixels` device pixels may be given: those for which a unit's size stays
// within what a unit may be, least first.
std::pair<FixedPoint, FixedPoint> knownLengthRange(int pixels);

// The unit in which `pixels` device pixels read `length`, named and with its tick spacing; or
// nothing when its size falls outside what a unit may be, or the name or symbol cannot be
// stored (empty, the separator's "-", or holding the field separator ";"). The tick spacing
// is brought into what a unit may have.
std::optional<tjednotka> knownLengthUnit(int pixels, double length, const QString &name,
                                         const QString &symbol);

// Puts a user unit into the list: over the user unit of the same name, else at the end.
// Returns its index.
int putUserUnit(QVector<tjednotka> &units, const tjednotka &unit);
