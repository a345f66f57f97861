#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;

// The ruler measures in device pixels, the screen's real pixels, while Qt places windows and
// controls in logical pixels: device pixels divided by the screen's device pixel ratio. These
// conversions follow the rounding Qt itself applies, so that what the ruler computes is what
// the screen shows. At a ratio of 1 every one of them returns its argument.

// Device pixels covered by a logical length: Qt sizes a window's surface the same way.
int deviceLength(int logical, double ratio);
QSize deviceSize(QSize logical, double ratio);

// The logical length whose device length comes nearest to `device`. For ratios of 1 or more,
// logicalLength(deviceLength(n, r), r) == n, so lengths survive a save and a load.
int logicalLength(int device, double ratio);

// The logical length after a step of `deviceStep` device pixels: the one nearest to the
// stepped device length, but always at least one logical pixel away in the step's direction,
// so a step is never lost on a ratio where one device pixel is less than a logical one.
int steppedLogicalLength(int logical, int deviceStep, double ratio);

// The device pixel under a logical coordinate, fractional positions of mouse events included.
// A pointer exactly on a pixel's edge (the usual case, since the pointer moves in whole device
// pixels) belongs to that pixel even when the logical coordinate was rounded slightly below.
int devicePixelAt(double logical, double ratio);

// A device offset carried to another ratio so that it keeps its logical place: what becomes
// of the arrow and the markers when the window moves to a screen of another ratio.
int rescaledPixel(int device, double fromRatio, double toRatio);

// The device column (row) of a picture shown at device size that stands where column (row)
// `centre` of its plain, logical-size picture stood: the pixel whose middle lies under the
// middle of the plain one.
int deviceCentre(int centre, int logicalSize, int deviceSize);

// Device pixels per inch for a screen's logical dots per inch.
int deviceDotsPerInch(double logicalDpi, double ratio);
// The same for a screen, horizontally and vertically; (96, 96) without one.
QPoint screenDeviceDpi(const QScreen *screen);

// One screen of the desktop: its logical geometry, whose top-left corner Qt keeps at the
// screen's device position, and its ratio.
struct ScreenArea {
    QRect logical;
    double ratio = 1;
    QRect device() const { return {logical.topLeft(), deviceSize(logical.size(), ratio)}; }
};
QList<ScreenArea> screenAreas();

// Window places between device pixels of the desktop and Qt's logical coordinates. Qt places
// a window by the screen it is on; a device place is read back by the screen that holds it
// (the first screen when none does).
QPoint devicePlace(QPoint logical, const ScreenArea &screen);
QPoint logicalPlace(QPoint device, const QList<ScreenArea> &screens);

// The whole desktop in device pixels: the bounding rectangle of every screen.
QRect deviceDesktop(const QList<ScreenArea> &screens);
