#include "core/screen/KeyedPoint.h"

#include <algorithm>

namespace {

constexpr int shiftedStep = 10;

QPoint boundedTo(QPoint point, const QRect &area) {
    return {std::clamp(point.x(), area.left(), area.right()),
            std::clamp(point.y(), area.top(), area.bottom())};
}

} // namespace

std::optional<QPoint> arrowStep(int key, Qt::KeyboardModifiers modifiers) {
    const int pixels = modifiers & Qt::ShiftModifier ? shiftedStep : 1;
    switch (key) {
    case Qt::Key_Left:
        return QPoint(-pixels, 0);
    case Qt::Key_Right:
        return QPoint(pixels, 0);
    case Qt::Key_Up:
        return QPoint(0, -pixels);
    case Qt::Key_Down:
        return QPoint(0, pixels);
    default:
        return std::nullopt;
    }
}

QPoint steppedOnDesktop(QPoint from, QPoint step, const QList<QRect> &screens) {
    if (screens.isEmpty())
        return from + step;
    const auto holding = [&screens](QPoint point) {
        return std::find_if(screens.begin(), screens.end(),
                            [point](const QRect &screen) { return screen.contains(point); });
    };
    auto own = holding(from);
    if (own == screens.end()) {
        own = screens.begin();
        from = boundedTo(from, *own);
    }
    const QPoint to = from + step;
    if (holding(to) != screens.end())
        return to;
    return boundedTo(to, *own);
}
