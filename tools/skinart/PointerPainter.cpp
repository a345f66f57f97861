#include "PointerPainter.h"

#include "Canvas.h"

#include <QPainter>
#include <QPainterPath>

QImage paintArrow(const PointerLook &look) {
    using namespace ArtSize;
    QImage image = newCanvas(arrowWidth, arrowHeight);
    QPainter painter(&image);
    // The stem is one sharp column, so the reading is exact; its edges only frame it.
    QColor edge = look.arrowOutline;
    edge.setAlpha(150);
    painter.fillRect(QRect(arrowCenter - 1, 7, 3, arrowHeight - 7), edge);
    painter.fillRect(QRect(arrowCenter, 7, 1, arrowHeight - 7), look.arrowFill);

    painter.setRenderHint(QPainter::Antialiasing);
    const qreal tip = arrowCenter + 0.5;
    QPainterPath head;
    head.moveTo(tip, 0.5);
    head.lineTo(arrowWidth - 0.5, 9);
    head.lineTo(tip, 7.5);
    head.lineTo(0.5, 9);
    head.closeSubpath();
    painter.setPen(QPen(look.arrowOutline, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(look.arrowFill);
    painter.drawPath(head);
    return image;
}

QImage paintMark(const PointerLook &look) {
    using namespace ArtSize;
    QImage image = newCanvas(markWidth, markHeight);
    QPainter painter(&image);
    QColor edge = look.markOutline;
    edge.setAlpha(110);
    painter.fillRect(QRect(markCenter - 1, 0, 3, 11), edge);
    painter.fillRect(QRect(markCenter, 0, 1, 11), look.markFill);

    // A small diamond below the ticks tells markers from ticks at a glance.
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal middle = markCenter + 0.5;
    QPainterPath diamond;
    diamond.moveTo(middle, 9);
    diamond.lineTo(markWidth - 0.3, 12.2);
    diamond.lineTo(middle, 15.2);
    diamond.lineTo(0.3, 12.2);
    diamond.closeSubpath();
    painter.setPen(QPen(look.markOutline, 0.8));
    painter.setBrush(look.markFill);
    painter.drawPath(diamond);
    return image;
}
