#include "core/units/FixedPoint.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr qint64 Largest = std::numeric_limits<qint64>::max();
constexpr qint64 Smallest = std::numeric_limits<qint64>::min();
// Exponents are capped here while reading; anything this large over- or underflows anyway.
constexpr int ExponentCap = 100000;

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Reads the sign in front of a number, either ASCII or the locale's own.
bool readSign(QStringView text, qsizetype &pos, const QLocale &locale, bool &negative) {
    if (pos >= text.size())
        return false;
    const QStringView rest = text.mid(pos);
    if (rest.front() == u'-' || rest.startsWith(locale.negativeSign())) {
        negative = true;
        pos += rest.front() == u'-' ? 1 : locale.negativeSign().size();
        return true;
    }
    if (rest.front() == u'+' || rest.startsWith(locale.positiveSign())) {
        pos += rest.front() == u'+' ? 1 : locale.positiveSign().size();
        return true;
    }
    return false;
}

// Turns the decimal digits `digits` (no leading zeros) with `wholeCount` digits before the
// point of ten-thousandths into a magnitude, rounding the dropped digits to the nearest, ties
// to even. Gives nothing when the magnitude does not fit 19 digits.
std::optional<quint64> roundToMagnitude(const std::string &digits, qint64 wholeCount) {
    if (wholeCount > 19)
        return std::nullopt;
    if (wholeCount < 0)
        return 0; // the first dropped digit is an implied zero
    const auto kept = std::min<size_t>(size_t(wholeCount), digits.size());
    quint64 magnitude = 0;
    for (size_t i = 0; i < kept; ++i)
        magnitude = magnitude * 10 + quint64(digits[i] - '0');
    for (qint64 i = qint64(digits.size()); i < wholeCount; ++i) {
        if (magnitude > std::numeric_limits<quint64>::max() / 10)
            return std::nullopt;
        magnitude *= 10;
    }
    if (kept < digits.size()) {
        const char first = digits[kept];
        const bool restNonZero = digits.find_first_not_of('0', kept + 1) != std::string::npos;
        if (first > '5' || (first == '5' && (restNonZero || (magnitude & 1))))
            ++magnitude;
    }
    return magnitude;
}

} // namespace

FixedPoint FixedPoint::fromDouble(double value) {
    if (std::isnan(value))
        return FixedPoint();
    const double scaled = value * Scale;
    // 2^63 is exact as a double; everything below it converts without overflow.
    constexpr double Limit = 9223372036854775808.0;
    if (scaled >= Limit)
        return max();
    if (scaled <= -Limit)
        return min();
    return FixedPoint(qint64(std::nearbyint(scaled)));
}

FixedPoint FixedPoint::operator+(FixedPoint other) const {
    if (other.m_raw > 0 && m_raw > Largest - other.m_raw)
        return max();
    if (other.m_raw < 0 && m_raw < Smallest - other.m_raw)
        return min();
    return FixedPoint(m_raw + other.m_raw);
}

FixedPoint FixedPoint::operator-(FixedPoint other) const {
    if (other.m_raw > 0 && m_raw < Smallest + other.m_raw)
        return min();
    if (other.m_raw < 0 && m_raw > Largest + other.m_raw)
        return max();
    return FixedPoint(m_raw - other.m_raw);
}

QString formatFixedPoint(FixedPoint value, const QLocale &locale) {
    const bool negative = value.raw() < 0;
    const quint64 magnitude = negative ? 0 - quint64(value.raw()) : quint64(value.raw());
    QString text = QString::number(magnitude / FixedPoint::Scale);
    if (negative)
        text.prepend(u'-');
    const quint64 fraction = magnitude % FixedPoint::Scale;
    if (fraction != 0) {
        QString decimals = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        text += locale.decimalPoint() + decimals;
    }
    return text;
}

std::optional<FixedPoint> parseFixedPoint(QStringView text, const QLocale &locale) {
    text = text.trimmed();
    const QString separator = locale.decimalPoint();
    qsizetype pos = 0;
    bool negative = false;
    readSign(text, pos, locale, negative);

    std::string digits;
    qint64 wholeCount = 0;
    bool seenSeparator = false;
    while (pos < text.size()) {
        if (isAsciiDigit(text[pos])) {
            if (digits.empty() && text[pos] == u'0') {
                // Leading zeros carry no value; after the point they move it left.
                if (seenSeparator)
                    --wholeCount;
            } else {
                digits.push_back(char(text[pos].unicode()));
                if (!seenSeparator)
                    ++wholeCount;
            }
            ++pos;
        } else if (!seenSeparator && text.mid(pos).startsWith(separator)) {
            seenSeparator = true;
            pos += separator.size();
        } else {
            break;
        }
    }
    const qsizetype mantissaEnd = pos;
    const bool anyDigit = std::any_of(text.begin(), text.begin() + mantissaEnd, isAsciiDigit);
    if (!anyDigit)
        return std::nullopt;

    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        ++pos;
        bool negativeExponent = false;
        readSign(text, pos, locale, negativeExponent);
        const qsizetype exponentStart = pos;
        int exponent = 0;
        while (pos < text.size() && isAsciiDigit(text[pos])) {
            exponent = std::min(ExponentCap, exponent * 10 + (text[pos].unicode() - u'0'));
            ++pos;
        }
        if (pos == exponentStart)
            return std::nullopt;
        wholeCount += negativeExponent ? -exponent : exponent;
    }
    if (pos != text.size())
        return std::nullopt;
    if (digits.empty())
        return FixedPoint();

    const auto magnitude = roundToMagnitude(digits, wholeCount + 4);
    if (!magnitude)
        return std::nullopt;
    constexpr quint64 PositiveLimit = quint64(Largest);
    if (*magnitude > PositiveLimit + (negative ? 1 : 0))
        return std::nullopt;
    return FixedPoint::fromRaw(negative ? qint64(0 - *magnitude) : qint64(*magnitude));
}

void registerFixedPointConversions() {
    static const bool registered = [] {
        QMetaType::registerConverter<FixedPoint, double>(&FixedPoint::toDouble);
        QMetaType::registerConverter<double, FixedPoint>(&FixedPoint::fromDouble);
        QMetaType::registerConverter<FixedPoint, QString>(
            [](FixedPoint value) { return formatFixedPoint(value); });
        QMetaType::registerConverterFunction(
            [](const void *from, void *to) {
                const auto value = parseFixedPoint(*static_cast<const QString *>(from));
                if (value)
                    *static_cast<FixedPoint *>(to) = *value;
                return value.has_value();
            },
            QMetaType::fromType<QString>(), QMetaType::fromType<FixedPoint>());
        return true;
    }();
    Q_UNUSED(registered);
}
