#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

// A transparent canvas to draw one picture on.
QImage newCanvas(int width, int height);

// Turns a drawing with alpha into an opaque keyed bitmap: covered pixels are blended over the
// bar they will sit on (`under`, read at `origin` + the pixel), uncovered pixels take the key
// colour. The bottom-left pixel always ends up as the key, since the window reads it from there.
QImage flattenOnBar(const QImage &drawing, const QImage &under, QPoint origin);

// Exchanges the axes, so a picture drawn for the lying bar serves the standing one.
QImage transposed(const QImage &image);

// The bar as the window composes it: start piece, middle copies from its end onward (one more
// than fit), end piece last at the far edge.
QImage composeBar(const QImage &start, const QImage &middle, const QImage &end, int length,
                  bool vertical);

// Where the window puts a control of the given size for a skin place (negative = from the far
// edge); for the distance label, x names its right edge.
QRect placeControl(QPoint place, QSize size, QSize window, bool rightEdge = false);

// Both stop the program with a message when the file cannot be written: half-written artwork
// must not go unnoticed.
void saveBmp(const QImage &image, const QString &path);
// A 32-bit BMP that keeps the alpha channel (a version 4 header with an alpha mask): read by
// Qt's built-in bitmap reader, without the PNG and zlib code a PNG would need.
void saveBmpWithAlpha(const QImage &image, const QString &path);
void savePng(const QImage &image, const QString &path);
