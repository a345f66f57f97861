#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <Qt>

#include <optional>

// The point the arrow keys move in the loupe, in device pixels of the desktop.

// How far an arrow key moves the point: one device pixel in the arrow's direction, ten with
// Shift. Left and Right run along a horizontal bar and across a vertical one, Up and Down the
// other way. Nothing for any other key.
std::optional<QPoint> arrowStep(int key, Qt::KeyboardModifiers modifiers);

// The point after a step. It moves onto another screen only where one lies beside the screen
// it is on; otherwise it stops at the last pixel of its own screen, so that the keys never
// take it where nothing can be seen. A point on no screen is first brought onto the first.
QPoint steppedOnDesktop(QPoint from, QPoint step, const QList<QRect> &screens);
