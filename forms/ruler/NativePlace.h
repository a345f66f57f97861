#pragma once

#include <QPoint>

class QWidget;

// Qt places a window at whole logical pixels, which on a fractional scale (1.5) reach only
// some device pixels: device 301 lies between logical 200 (device 300) and 201 (device 302).
// Where the platform takes a place in device pixels (X11), the window is put there directly.
// Returns false where it cannot be.
bool placeAtDevicePixel(QWidget &window, QPoint device);
