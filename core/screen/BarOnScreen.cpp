#include "core/screen/BarOnScreen.h"

QRect BarOnScreen::outsideScale(int from, int to) const {
    if (horizontal)
        return {start.x() + from, start.y() - 1, to - from, 1};
    return {start.x() - 1, start.y() + from, 1, to - from};
}

std::optional<int> BarOnScreen::offsetOf(QPoint device) const {
    const int offset = horizontal ? device.x() - start.x() : device.y() - start.y();
    if (offset < 0 || offset >= length)
        return std::nullopt;
    return offset;
}
