#pragma once

#include <QColor>
#include <QImage>

// Skins and the scale strip mark their see-through parts with a key colour instead of an alpha
// channel, so that plain 24-bit bitmaps can carry them.

// image as RGB32, without copying when it already is.
QImage asRgb32(const QImage &image);

// An ARGB copy of image in which every pixel of the key colour is fully transparent.
QImage transparentByColour(const QImage &image, const QColor &key);
