#include "PointerPainter.h"

#include "Canvas.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The hot column in pixels of the picture at this scale, and the middle of it in the
// picture's unscaled coordinates.
int hotColumn(int centre, int scale) {
    return scale == 1 ? centre : scale * centre + 1;
}
qreal hotMiddle(int centre, int scale) {
    return (hotColumn(centre, scale) + 0.5) / scale;
}

// A one pixel wide line at the hot column, framed by a half-transparent pixel on each side.
void hotLine(QPainter &painter, int centre, int scale, int top, int bottom, const QColor &fill,
             const QColor &edge) {
    const int column = hotColumn(centre, scale);
    painter.fillRect(QRect(column - 1, top * scale, 3, (bottom - top) * scale), edge);
    painter.fillRect(QRect(column, top * scale, 1, (bottom - top) * scale), fill);
}

} // namespace

QImage paintArrow(const PointerLook &look, int scale) {
    using namespace ArtSize;
    QImage image = newCanvas(arrowWidth * scale, arrowHeight * scale);
    QPainter painter(&image);
    // The stem is one sharp column, so the reading is exact; its edges only frame it.
    QColor edge = look.arrowOutline;
    edge.setAlpha(150);
    hotLine(painter, arrowCenter, scale, 7, arrowHeight, look.arrowFill, edge);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const qreal tip = hotMiddle(arrowCenter, scale);
    const qreal reach = arrowCenter; // the head's half width
    QPainterPath head;
    head.moveTo(tip, 0.5);
    head.lineTo(tip + reach, 9);
    head.lineTo(tip, 7.5);
    head.lineTo(tip - reach, 9);
    head.closeSubpath();
    painter.setPen(QPen(look.arrowOutline, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(look.arrowFill);
    painter.drawPath(head);
    return image;
}

QImage paintMark(const PointerLook &look, int scale) {
    using namespace ArtSize;
    QImage image = newCanvas(markWidth * scale, markHeight * scale);
    QPainter painter(&image);
    QColor edge = look.markOutline;
    edge.setAlpha(110);
    hotLine(painter, markCenter, scale, 0, 11, look.markFill, edge);

    // A small diamond below the ticks tells markers from ticks at a glance.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const qreal middle = hotMiddle(markCenter, scale);
    const qreal reach = markCenter + 0.2;
    QPainterPath diamond;
    diamond.moveTo(middle, 9);
    diamond.lineTo(middle + reach, 12.2);
    diamond.lineTo(middle, 15.2);
    diamond.lineTo(middle - reach, 12.2);
    diamond.closeSubpath();
    painter.setPen(QPen(look.markOutline, 0.8));
    painter.setBrush(look.markFill);
    painter.drawPath(diamond);
    return image;
}
