#include "core/units/DistanceFormat.h"

#include <QLocale>

#include <cmath>

double roundToHundredths(double value) {
    // std::nearbyint follows the default rounding mode, which rounds ties to even.
    return std::nearbyint(value / 0.01) * 0.01;
}

static QLocale shownNumberLocale() {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale;
}

NumberFormat::NumberFormat()
    : m_locale(shownNumberLocale()), m_decimalPoint(m_locale.decimalPoint()),
      m_minus(m_locale.negativeSign()), m_westernDigits(m_locale.zeroDigit() == u"0") {}

QString NumberFormat::format(double value) const {
    const double hundredths = std::nearbyint(value / 0.01);
    if (!std::isfinite(hundredths))
        return QStringLiteral("0");
    // Below 10^8 two decimals never exceed ten significant digits, so whole hundredths written
    // out digit by digit give exactly what the general format gives.
    if (m_westernDigits && std::abs(hundredths) < 1e10) {
        const qint64 whole = static_cast<qint64>(std::abs(hundredths));
        QString text = whole == 0 || hundredths > 0 ? QString() : m_minus;
        text += QString::number(whole / 100);
        const int fraction = static_cast<int>(whole % 100);
        if (fraction != 0) {
            text += m_decimalPoint;
            text += QLatin1Char(char('0' + fraction / 10));
            if (fraction % 10 != 0)
                text += QLatin1Char(char('0' + fraction % 10));
        }
        return text;
    }
    // Adding 0 turns a rounded -0 into 0, so a tiny negative distance never shows as "-0".
    return m_locale.toString(hundredths * 0.01 + 0.0, 'g', 10);
}

QString FormatujCislo(double value) {
    return NumberFormat().format(value);
}

double readingValue(double pixels, double pixeluNaJednotku) {
    return pixeluNaJednotku == 0 ? 0 : pixels / pixeluNaJednotku;
}

QString FormatujVzdalenost(double pixels, double pixeluNaJednotku) {
    return FormatujCislo(readingValue(pixels, pixeluNaJednotku));
}

double ctiCislo(const QString &text, bool *ok) {
    bool read = false;
    const QString trimmed = text.trimmed();
    double value = shownNumberLocale().toDouble(trimmed, &read);
    if (!read)
        value = QLocale::c().toDouble(trimmed, &read);
    if (!read || !std::isfinite(value)) {
        value = 0;
        read = false;
    }
    if (ok)
        *ok = read;
    return value;
}
