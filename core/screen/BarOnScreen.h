#pragma once

#include <QPoint>
#include <QRect>
#include <optional>

// Where the ruler's bar lies on the desktop, in device pixels, and the screen pixels that
// measuring looks at: those just outside the scale edge, which is the top edge of a horizontal
// bar and the left edge of a vertical one. Offsets count along the bar from its start edge.
struct BarOnScreen {
    QPoint start; // the device pixel of the window's top-left corner
    int length = 0;
    bool horizontal = true;

    // The pixels outside the scale edge at offsets [from, to): one row or one column.
    QRect outsideScale(int from, int to) const;
    // The offset along the bar of a device pixel that lies across the bar's length.
    std::optional<int> offsetOf(QPoint device) const;
};
