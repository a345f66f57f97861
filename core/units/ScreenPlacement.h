#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

// Where a window must go to be fully visible. Where every pixel of it is shown by one screen or
// another (across the border of two monitors, or the length of the whole desktop), it stays.
// Otherwise it goes onto the screen it overlaps most (or, when it
// overlaps none, the one nearest to it), moved by as little as it takes. A window longer than
// the screen only has its start edge brought onto the screen. Nothing changes when screens is
// empty. Works in 64-bit so that no place or size overflows the sums.
QPoint placeOnScreen(const QRect &window, const QList<QRect> &screens);
