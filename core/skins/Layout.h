#pragma once

#include <QPoint>
#include <QSize>

// Where a skinned control goes. Each coordinate is measured from the window's near edge when it
// is 0 or more and from the far edge when it is negative, so controls placed at the far end
// follow it when the ruler is resized.

// Image buttons, the resize arrow and the unit label: (x, y) is the top-left corner, or with a
// negative value the distance of the right (bottom) edge from the window's right (bottom) edge.
QPoint placeControl(QPoint skinPlace, QSize control, QSize window);

// The distance label grows to the left as its text gets longer, so its x names its right edge.
QPoint placeNumberLabel(QPoint skinPlace, QSize label, QSize window);
