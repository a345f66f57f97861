#include "core/units/KnownLength.h"

#include "core/units/Units.h"

#include <algorithm>
#include <cmath>

namespace {

// Steps computed through powers of ten carry rounding errors far below a pixel; a step that
// lands exactly on the least gap must count as reaching it.
constexpr double gapTolerance = 1e-9;

bool storable(const QString &text) {
    return !text.trimmed().isEmpty() && !text.contains(u';');
}

// The lengths offered end where a unit's size reaches the ends of its range; the division
// may land a rounding error beyond them.
constexpr double divisionError = 1e-12;

} // namespace

double tickSpacing125(double pixelu) {
    if (!(pixelu > 0) || !std::isfinite(pixelu))
        return 1;
    double power = std::pow(10.0, std::floor(std::log10(leastTickGap / pixelu)));
    for (;;) {
        for (const double step : {1.0, 2.0, 5.0})
            if (step * power * pixelu >= leastTickGap * (1 - gapTolerance))
                return step * power;
        power *= 10;
    }
}

std::optional<std::pair<int, int>> knownLengthEnds(int arrow, const MarkerList &markers,
                                                   const std::optional<EdgeSpan> &span) {
    if (span && span->start != span->end)
        return std::minmax(span->start, span->end);
    QVector<int> placed;
    for (const tzalozka &marker : markers)
        if (marker.Aktivni)
            placed << marker.Pozice;
    if (placed.isEmpty())
        return std::nullopt;
    // The earlier placed marker wins a tie, as the stable sort keeps it first.
    std::stable_sort(placed.begin(), placed.end(), [arrow](int a, int b) {
        return std::abs(qint64(a) - arrow) < std::abs(qint64(b) - arrow);
    });
    const int other = placed.size() >= 2 ? placed[1] : arrow;
    if (other == placed[0])
        return std::nullopt;
    return std::minmax(placed[0], other);
}

std::pair<FixedPoint, FixedPoint> knownLengthRange(int pixels) {
    // size = pixels / length, counted in ten-thousandths: length >= pixels / largest size and
    // length <= pixels / least size, rounded inwards.
    const qint64 scaled = qint64(std::max(pixels, 1)) * FixedPoint::Scale * FixedPoint::Scale;
    const qint64 shortest = (scaled + LargestUnitNumber.raw() - 1) / LargestUnitNumber.raw();
    const qint64 longest = scaled / LeastUnitNumber.raw();
    return {std::max(LeastUnitNumber, FixedPoint::fromRaw(shortest)),
            std::min(LargestUnitNumber, FixedPoint::fromRaw(longest))};
}

std::optional<tjednotka> knownLengthUnit(int pixels, double length, const QString &name,
                                         const QString &symbol) {
    if (pixels <= 0 || !(length > 0) || !storable(name) || name.trimmed() == u"-" ||
        !storable(symbol))
        return std::nullopt;
    tjednotka unit;
    unit.Nazev = name.trimmed();
    unit.Znacka = symbol.trimmed();
    unit.Zaklad = UnitPixel;
    const double least = LeastUnitNumber.toDouble();
    const double largest = LargestUnitNumber.toDouble();
    const double size = pixels / length;
    if (size < least * (1 - divisionError) || size > largest * (1 + divisionError))
        return std::nullopt;
    unit.Hodnota = std::clamp(size, least, largest);
    unit.Carka = std::clamp(tickSpacing125(unit.Hodnota), least, largest);
    return unit;
}

int putUserUnit(QVector<tjednotka> &units, const tjednotka &unit) {
    for (int i = BuiltInUnitCount; i < units.size(); ++i) {
        if (units[i].Nazev == unit.Nazev) {
            units[i] = unit;
            return i;
        }
    }
    units.append(unit);
    return int(units.size()) - 1;
}
