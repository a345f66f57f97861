#include "core/units/RulerMath.h"

#include "core/units/RulerLimits.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

int roundHalfEven(double value) {
    // Far beyond any screen, and far enough from the integer limits that offsets can still be
    // added to the result.
    constexpr double limit = 1e9;
    if (!std::isfinite(value))
        return 0;
    // The default rounding mode rounds halves to even.
    return int(std::nearbyint(std::clamp(value, -limit, limit)));
}

int nearestMarker(const QVector<tzalozka> &markers, int pos) {
    int best = -1;
    long long bestDistance = 30000;
    for (int i = 0; i < markers.size(); ++i) {
        if (!markers[i].Aktivni)
            continue;
        const long long distance = std::llabs(static_cast<long long>(markers[i].Pozice) - pos);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

CalibrationReference calibrationReference(int jednotka) {
    if (jednotka == UnitCentimetre)
        return {10, QStringLiteral("10 cm")};
    return {3, QStringLiteral("3 in")};
}

int SpocitejRozliseni(int p, int jednotka) {
    if (jednotka == UnitCentimetre)
        return roundHalfEven(p * 0.254);
    return p / 3;
}

int percentPosition(double percent, int length, bool obracene) {
    const int fromZero = roundHalfEven(percent * length / 100.0);
    return obracene ? length - fromZero : fromZero;
}

int keyedLength(int current, int step, int floor) {
    const long long wanted = static_cast<long long>(current) + step;
    if (step < 0)
        return static_cast<int>(std::min<long long>(current, std::max<long long>(floor, wanted)));
    return static_cast<int>(std::max<long long>(current, std::min<long long>(longestBar, wanted)));
}

QString distancesText(const QString &readingLine, const QString &markerHeading,
                      const QStringList &markerReadings) {
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = readingLine + lineEnd;
    if (!markerReadings.isEmpty()) {
        text += markerHeading + lineEnd;
        for (const QString &reading : markerReadings)
            text += reading + lineEnd;
    }
    return text;
}
