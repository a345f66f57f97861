#include "core/units/ScreenPlacement.h"

#include <QRegion>

#include <algorithm>
#include <optional>

namespace {

qint64 overlapArea(const QRect &a, const QRect &b) {
    const qint64 w = std::min<qint64>(qint64(a.x()) + a.width(), qint64(b.x()) + b.width()) -
                     std::max<qint64>(a.x(), b.x());
    const qint64 h = std::min<qint64>(qint64(a.y()) + a.height(), qint64(b.y()) + b.height()) -
                     std::max<qint64>(a.y(), b.y());
    return w > 0 && h > 0 ? w * h : 0;
}

// Distance along one axis between the spans [a, a + al) and [b, b + bl); 0 when they meet.
qint64 gap(qint64 a, qint64 al, qint64 b, qint64 bl) {
    if (a + al <= b)
        return b - (a + al);
    if (b + bl <= a)
        return a - (b + bl);
    return 0;
}

qint64 squaredDistance(const QRect &a, const QRect &b) {
    const qint64 dx = gap(a.x(), a.width(), b.x(), b.width());
    const qint64 dy = gap(a.y(), a.height(), b.y(), b.height());
    return dx * dx + dy * dy;
}

// The start of a span of length l moved into [from, from + room) by as little as possible; a
// span longer than the room only keeps its start inside it.
int fitInto(qint64 start, qint64 l, qint64 from, qint64 room) {
    const qint64 last = l <= room ? room - l : room - 1;
    return int(std::max(from, std::min(start, from + last)));
}

QPoint fitInto(const QRect &window, const QRect &area) {
    return {fitInto(window.x(), window.width(), area.x(), area.width()),
            fitInto(window.y(), window.height(), area.y(), area.height())};
}

bool shownWhole(const QRect &window, const QRegion &shown) {
    return (QRegion(window) - shown).isEmpty();
}

// The nearest place at which the screens together show all of the window: fitted into one
// screen, or into the desktop's bounding rectangle for a window longer than any one screen.
std::optional<QPoint> nearestShownPlace(const QRect &window, const QList<QRect> &screens,
                                        const QRegion &shown) {
    QList<QRect> areas = screens;
    areas << shown.boundingRect();
    std::optional<QPoint> nearest;
    qint64 nearestDistance = 0;
    for (const QRect &area : areas) {
        const QPoint place = fitInto(window, area);
        const QPoint move = place - window.topLeft();
        const qint64 distance = qint64(move.x()) * move.x() + qint64(move.y()) * move.y();
        if (shownWhole(QRect(place, window.size()), shown) &&
            (!nearest || distance < nearestDistance)) {
            nearest = place;
            nearestDistance = distance;
        }
    }
    return nearest;
}

} // namespace

QPoint placeOnScreen(const QRect &window, const QList<QRect> &screens) {
    if (screens.isEmpty())
        return window.topLeft();
    QRegion shown;
    for (const QRect &screen : screens)
        shown += screen;
    if (shownWhole(window, shown))
        return window.topLeft();
    if (const auto place = nearestShownPlace(window, screens, shown))
        return *place;
    const QRect *best = &screens.first();
    for (const QRect &screen : screens) {
        const qint64 area = overlapArea(window, screen);
        const qint64 bestArea = overlapArea(window, *best);
        if (area > bestArea || (area == 0 && bestArea == 0 &&
                                squaredDistance(window, screen) < squaredDistance(window, *best)))
            best = &screen;
    }
    return fitInto(window, *best);
}
