#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

// What the screen shows, read a small rectangle at a time, in device pixels of the desktop.

// Whether this session lets a program read the screen at all; a native Wayland session does
// not. The reason goes to *whyNot, untranslated.
bool screenCanBeRead(QString *whyNot = nullptr);

// Whether the program runs in a Wayland session, natively or as an X11 program under XWayland.
bool underWaylandSession();

// Why a read of the screen gave no pixels, untranslated: under XWayland most compositors keep
// the X server rootless, without a picture of the screen to read.
QString whyScreenReadFailed();

// The device pixels of `area` as the screen shows them; a null image when they cannot be read.
// Pixels beyond the screen are unread (see core/screen/OwnWindows.h).
QImage readScreen(const QRect &area);

// The device pixel under the pointer. `window` is any window of the program: on X11 the
// pointer is asked of the display through it, exact at every device pixel ratio.
QPoint pointerOnScreen(const QWidget &window);
