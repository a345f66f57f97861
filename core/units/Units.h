#pragma once

#include "core/settings/RulerState.h"
#include "core/units/FixedPoint.h"

#include <QString>

// The least and the largest size or tick spacing of a unit: what the units editor accepts, and
// what the settings reader brings a stored unit into, so the ruler and the editor always agree.
inline constexpr FixedPoint LeastUnitNumber = FixedPoint::fromRaw(1);
inline constexpr FixedPoint LargestUnitNumber = FixedPoint::fromInt(10'000'000);
// The unit button on the ruler has room for no longer symbol.
inline constexpr int LongestUnitSymbol = 4;

// A unit's name as the user sees it: the built-in units' names follow the language, the user's
// own are shown as written. The stored name never changes.
template <typename Translate>
QString shownUnitName(int index, const QString &storedName, Translate translate) {
    return index < BuiltInUnitCount ? translate(storedName) : storedName;
}

// Takes the next ";"-separated field off a unit line: the text before the first ";", which is
// removed from the line together with the ";". A line without ";" is returned whole and left
// as it is.
QString DalsiPole(QString &radek);

// Rebuilds Jednotky from the "Jednotky" section of SouborNastaveni (keys "1".."100", ending at
// the first missing key). The four built-in units are always present afterwards, and every
// entry is safe to compute and draw with: malformed fields are repaired, never fatal.
void NactiJednotky(RulerState &s);

// Replaces the "Jednotky" section with all entries of Jednotky in one write. Does nothing in
// read-only mode. Returns false when the file could not be written (reported once through
// RulerState::reportUnwritable).
bool UlozJednotky(RulerState &s);

// Recomputes the pixels per unit of every unit and PixeluNaJednotku. The stored length Delka
// serves once (at start-up the scale strip has no final size yet) and is then cleared; after
// that the percent unit follows stripLength, the strip's length along the scale.
void PrepocitejJednotky(RulerState &s, int stripLength);

// Unit numbers as stored and shown: general format, shortest form, at most 15 significant
// digits, the default locale's decimal separator, no group separators.
QString formatUnitNumber(double value);
// Accepts either "," or "." as the decimal separator, so files written under another locale
// still load. Rejects empty text, garbage, infinities and NaN.
double parseUnitNumber(const QString &text, bool *ok);
