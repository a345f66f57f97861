#pragma once

#include "core/settings/RulerState.h"

#include <QString>
#include <QVector>

// The arithmetic behind measuring, markers and calibration, kept free of widgets.

// Rounds to the nearest integer with halves to even, as every pixel position on the ruler is.
int roundHalfEven(double value);

// Index of the active marker nearest to pos; of equally near ones the earliest placed. -1 when
// no active marker lies closer than 30000 pixels.
int nearestMarker(const QVector<tzalozka> &markers, int pos);

// The length a physical ruler is read at while calibrating in a unit: 10 cm in the centimetre
// unit, 3 inches otherwise; the number the reading then shows and the text the messages name.
struct CalibrationReference {
    double length;
    QString text;
};
CalibrationReference calibrationReference(int jednotka);

// Pixels per inch from a click p pixels from the zero end at the reference length.
int SpocitejRozliseni(int p, int jednotka);
// Below this a click is too near the zero end to be the reference length.
constexpr int NejmensiRozliseni = 10;

// Offset from the start edge at which a reading of `percent` of `length` lies, counted from the
// zero end, which is the far end when obracene is set.
int percentPosition(double percent, int length, bool obracene);

// The length a length key sets, from current by step (negative shortens). Shortening stops
// at floor, and a bar already shorter than that (turned, or stored so) stays as it is rather
// than jump up; lengthening never shortens and stops at the longest bar.
int keyedLength(int current, int step, int floor);

// The saved-distances text: the reading line, then, when markers exist, the heading line and
// one line per marker. Lines end with CR LF.
QString distancesText(const QString &readingLine, const QString &markerHeading,
                      const QStringList &markerReadings);
