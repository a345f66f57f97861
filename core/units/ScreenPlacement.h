#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

// Where a window must go to be fully visible: on the screen it overlaps most (or, when it
// overlaps none, the one nearest to it), moved by as little as it takes. A window longer than
// the screen only has its start edge brought onto the screen. Nothing changes when screens is
// empty. Works in 64-bit so that no place or size overflows the sums.
QPoint placeOnScreen(const QRect &window, const QList<QRect> &screens);
