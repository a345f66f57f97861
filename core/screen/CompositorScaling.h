#pragma once

#include <QList>
#include <QSize>

// Whether a Wayland compositor enlarges the windows of X11 programs itself: the X screen of
// XWayland (its whole size in device pixels) holds fewer pixels than the monitors show (the
// current modes of the compositor's outputs). Then one pixel of an X11 window covers several
// of the screen's, and the ruler's one-pixel ticks are neither sharp nor exact. Monitors that
// do not fill the X screen's rectangle leave room to spare, so only a clear shortfall counts.
bool compositorScalesX11(QSize xScreen, const QList<QSize> &outputModes);
