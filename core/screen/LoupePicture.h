#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>
#include <optional>

// The loupe: a square of screen pixels around the pointer, magnified.

// The magnifications the loupe offers, smallest first; the wheel and the keys step through them.
inline constexpr int loupeZooms[] = {2, 3, 4, 6, 8, 12, 16, 24, 32};
constexpr int defaultLoupeZoom = 8;
// From this magnification up a grid shows where one pixel ends and the next begins.
constexpr int loupeGridZoom = 6;
// The magnified picture is about this many device pixels wide.
constexpr int loupeViewSize = 168;

// The magnification `steps` places up (negative: down) from zoom, held within the offered ones.
int steppedLoupeZoom(int zoom, int steps);

// Device pixels on each side of the square sampled at zoom: an odd count, so that the pixel
// under the pointer lies exactly in the middle.
int loupeSampleSize(int zoom);

// The square of device pixels sampled around the pointer's device pixel.
QRect loupeSampleArea(QPoint pointer, int zoom);

// The sample magnified without smoothing, with a one-pixel grid from loupeGridZoom up and a
// crosshair around the middle pixel in black or white, whichever stands out against it.
// Unread pixels (see OwnWindows.h) are hatched, so that no colour is shown where none was read.
QImage loupePicture(const QImage &sample, int zoom);

// "#rrggbb".
QString colourName(QRgb colour);

// The text under the loupe's picture: the pointer's device pixel, then its colour or, when it
// was not read, the note that says why; on a second line the reading across the scale, if any.
QString loupeReadout(QPoint device, std::optional<QRgb> colour, const QString &note,
                     const QString &distance);

// Where the loupe window goes, in device pixels: beside the pointer, below and to the right
// where it fits, else mirrored, always off the sampled area so that it never shows itself, and
// on the screen when it fits there at all.
QPoint loupePlace(QSize loupe, const QRect &sampled, const QRect &screen);
