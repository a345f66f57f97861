#pragma once

#include <QLocale>
#include <QMetaType>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <compare>
#include <limits>
#include <optional>

// A decimal number with exactly four decimal places, held as a signed 64-bit count of
// ten-thousandths. Stepping and range checks on it are exact, which a double cannot promise
// for values such as 0.0001. Sums and differences saturate at the ends of the range instead of
// wrapping around.
class FixedPoint {
public:
    static constexpr qint64 Scale = 10000;

    constexpr FixedPoint() = default;
    static constexpr FixedPoint fromRaw(qint64 tenThousandths) {
        return FixedPoint(tenThousandths);
    }
    static constexpr FixedPoint fromInt(qint64 whole) { return FixedPoint(whole * Scale); }
    // Rounds to the nearest ten-thousandth (ties to even); NaN gives 0, values beyond the range
    // give its nearest end.
    static FixedPoint fromDouble(double value);
    static constexpr FixedPoint max() { return FixedPoint(std::numeric_limits<qint64>::max()); }
    static constexpr FixedPoint min() { return FixedPoint(std::numeric_limits<qint64>::min()); }

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }

    FixedPoint operator+(FixedPoint other) const;
    FixedPoint operator-(FixedPoint other) const;
    constexpr auto operator<=>(const FixedPoint &) const = default;

private:
    constexpr explicit FixedPoint(qint64 raw) : m_raw(raw) {}
    qint64 m_raw = 0;
};

// The general text of a value: up to four decimals with trailing zeros (and a bare separator)
// dropped, the locale's decimal separator, no group separators: 2.5 -> "2,5", 3 -> "3".
QString formatFixedPoint(FixedPoint value, const QLocale &locale = QLocale());

// Reads a decimal number written with the locale's decimal separator: optional blanks around,
// an optional sign, digits with at most one separator, an optional exponent ("1,5e3").
// Digits beyond the fourth decimal round to the nearest (ties to even). Gives nothing for text
// that is not such a number or lies outside the range.
std::optional<FixedPoint> parseFixedPoint(QStringView text, const QLocale &locale = QLocale());

// Lets QVariant convert FixedPoint to and from double and QString, so that properties of this
// type can be set by name from either. Safe to call more than once.
void registerFixedPointConversions();

Q_DECLARE_METATYPE(FixedPoint)
