#include "app/DistanceFormat.h"

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

QString FormatujCislo(double value) {
    const double rounded = roundToHundredths(value);
    if (!std::isfinite(rounded))
        return QStringLiteral("0");
    // Adding 0 turns a rounded -0 into 0, so a tiny negative distance never shows as "-0".
    return shownNumberLocale().toString(rounded + 0.0, 'g', 10);
}

QString FormatujVzdalenost(double pixels, double pixeluNaJednotku) {
    if (pixeluNaJednotku == 0)
        return QStringLiteral("0");
    return FormatujCislo(pixels / pixeluNaJednotku);
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
