#pragma once

#include <QLocale>
#include <QString>

// Rounds to two decimals with ties to even: divide by 0.01, round, multiply by 0.01. The
// readings, the marker percentages and the scale numbers all go through this one rule.
double roundToHundredths(double value);

// A number as the ruler shows it: rounded to two decimals, at most 10 significant digits, no
// trailing zeros ("3", not "3.00"), the default locale's decimal separator and no group
// separators. A value that is not finite shows as "0", so a broken unit never prints "inf".
QString FormatujCislo(double value);

// FormatujCislo for callers that write many numbers, such as the scale: the locale is looked up
// once, and the usual case (fewer than eight integer digits, Western digits) skips the general
// formatter.
class NumberFormat {
public:
    NumberFormat();
    QString format(double value) const;

private:
    QLocale m_locale;
    QString m_decimalPoint;
    QString m_minus;
    bool m_westernDigits = true;
};

// A distance in pixels in a unit of pixeluNaJednotku pixels. A factor of 0 (a unit with zero
// size or a ruler of zero length) gives 0 instead of dividing by zero.
double readingValue(double pixels, double pixeluNaJednotku);
// The reading for a distance in pixels: readingValue as FormatujCislo shows it.
QString FormatujVzdalenost(double pixels, double pixeluNaJednotku);

// Reads back a number shown by FormatujCislo (default locale's separator; the C locale's "."
// is accepted too). Returns 0 and sets *ok to false when the text is no number.
double ctiCislo(const QString &text, bool *ok = nullptr);
