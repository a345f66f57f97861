#include "Glyphs.h"

#include "Canvas.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>

#include <cmath>

namespace {

constexpr qreal strokeWidth = 2.3;

QPainterPath stroked(const QPainterPath &centreLine) {
    QPainterPathStroker stroker;
    stroker.setWidth(strokeWidth);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(centreLine);
}

// A filled arrowhead whose tip lies `length` beyond `base` in direction `towards`.
QPainterPath arrowHead(QPointF base, QPointF towards, qreal length, qreal halfWidth) {
    const QLineF axis(QPointF(0, 0), towards);
    const QPointF unit = axis.unitVector().p2();
    const QPointF normal(-unit.y(), unit.x());
    QPainterPath head;
    head.moveTo(base + unit * length);
    head.lineTo(base + normal * halfWidth);
    head.lineTo(base - normal * halfWidth);
    head.closeSubpath();
    return head;
}

// The button symbols, drawn in a 24 x 24 box.
QPainterPath glyphPath(Glyph glyph) {
    QPainterPath path;
    switch (glyph) {
    case Rotate: {
        // A turning arrow: horizontal becomes vertical.
        const QPointF centre(12, 12.5);
        const qreal radius = 5.6;
        const qreal startAngle = 100, sweep = 250;
        QPainterPath arc;
        arc.arcMoveTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                      startAngle);
        arc.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                  startAngle, sweep);
        path = stroked(arc);
        const qreal end = (startAngle + sweep) * M_PI / 180;
        const QPointF tip = centre + QPointF(std::cos(end), -std::sin(end)) * radius;
        const QPointF tangent(-std::sin(end), -std::cos(end));
        path = path.united(arrowHead(tip - tangent * 0.5, tangent, 3.6, 3.6));
        break;
    }
    case Invert: {
        // Two arrows passing each other: the zero moves to the other end.
        QPainterPath lines;
        lines.moveTo(6, 8.5);
        lines.lineTo(15, 8.5);
        lines.moveTo(18, 15.5);
        lines.lineTo(9, 15.5);
        path = stroked(lines);
        path = path.united(arrowHead(QPointF(15, 8.5), QPointF(1, 0), 3.8, 3.4));
        path = path.united(arrowHead(QPointF(9, 15.5), QPointF(-1, 0), 3.8, 3.4));
        break;
    }
    case Tools: {
        QPainterPath lines;
        for (const qreal y : {7.5, 12.0, 16.5}) {
            lines.moveTo(7, y);
            lines.lineTo(17, y);
        }
        path = stroked(lines);
        break;
    }
    case Info: {
        QPainterPath stem;
        stem.moveTo(12, 11);
        stem.lineTo(12, 17.5);
        QPainterPathStroker stroker;
        stroker.setWidth(2.8);
        stroker.setCapStyle(Qt::RoundCap);
        path = stroker.createStroke(stem);
        QPainterPath dot;
        dot.addEllipse(QPointF(12, 6.8), 1.8, 1.8);
        path = path.united(dot);
        break;
    }
    case Exit: {
        QPainterPath cross;
        cross.moveTo(8, 8);
        cross.lineTo(16, 16);
        cross.moveTo(16, 8);
        cross.lineTo(8, 16);
        path = stroked(cross);
        break;
    }
    case GlyphCount:
        break;
    }
    return path;
}

void paintCandy(QPainter &painter, const QRectF &disc, const QColor &face) {
    QRadialGradient body(disc.center() + QPointF(-3, -4), disc.width() * 0.75);
    body.setColorAt(0, face.lighter(135));
    body.setColorAt(1, face.darker(112));
    painter.setPen(QPen(face.darker(165), 1));
    painter.setBrush(body);
    painter.drawEllipse(disc);

    // The glossy cap that makes it look like a sweet.
    const QRectF cap(disc.left() + 3.5, disc.top() + 1.2, disc.width() - 7, disc.height() * 0.42);
    QLinearGradient shine(cap.topLeft(), cap.bottomLeft());
    shine.setColorAt(0, QColor(255, 255, 255, 190));
    shine.setColorAt(1, QColor(255, 255, 255, 25));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(cap);
}

void paintBrass(QPainter &painter, const QRectF &disc, const QColor &face) {
    QLinearGradient body(disc.topLeft(), disc.bottomRight());
    body.setColorAt(0, face.lighter(150));
    body.setColorAt(0.5, face);
    body.setColorAt(1, face.darker(160));
    painter.setPen(QPen(face.darker(260), 1));
    painter.setBrush(body);
    painter.drawEllipse(disc);

    // A turned, slightly sunken face inside a raised rim.
    const QRectF inner = disc.adjusted(2.5, 2.5, -2.5, -2.5);
    QLinearGradient dish(inner.topLeft(), inner.bottomRight());
    dish.setColorAt(0, face.darker(118));
    dish.setColorAt(1, face.lighter(128));
    painter.setPen(QPen(QColor(255, 240, 200, 110), 0.8));
    painter.setBrush(dish);
    painter.drawEllipse(inner);
}

void paintSlick(QPainter &painter, const QRectF &disc, const QColor &face) {
    QLinearGradient body(disc.topLeft(), disc.bottomLeft());
    body.setColorAt(0, face.lighter(135));
    body.setColorAt(1, face.darker(125));
    painter.setPen(QPen(QColor(0, 0, 0, 230), 1));
    painter.setBrush(body);
    painter.drawEllipse(disc);

    QLinearGradient rim(disc.topLeft(), disc.bottomLeft());
    rim.setColorAt(0, QColor(255, 255, 255, 90));
    rim.setColorAt(0.55, QColor(255, 255, 255, 0));
    painter.setPen(QPen(QBrush(rim), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(disc.adjusted(1, 1, -1, -1));
}

void paintGlyph(QPainter &painter, ButtonStyle style, const QPainterPath &shape,
                const QColor &colour) {
    painter.setPen(Qt::NoPen);
    if (style == ButtonStyle::Brass) {
        // Engraved: a light lower lip, then the cut itself.
        painter.fillPath(shape.translated(0, 0.8), QColor(255, 238, 190, 150));
    } else {
        painter.fillPath(shape.translated(0, 0.9),
                         QColor(0, 0, 0, style == ButtonStyle::Candy ? 70 : 160));
    }
    painter.fillPath(shape, colour);
}

} // namespace

QImage paintButton(const ButtonLook &look, Glyph glyph, int scale) {
    const int size = ArtSize::button;
    QImage image = newCanvas(size * scale, size * scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const QRectF disc(0.5, 0.5, size - 1, size - 1);
    switch (look.style) {
    case ButtonStyle::Candy:
        paintCandy(painter, disc, look.face[glyph]);
        break;
    case ButtonStyle::Brass:
        paintBrass(painter, disc, look.face[glyph]);
        break;
    case ButtonStyle::Slick:
        paintSlick(painter, disc, look.face[glyph]);
        break;
    }
    const qreal glyphScale = size / 24.0;
    QTransform toButton;
    toButton.scale(glyphScale, glyphScale);
    paintGlyph(painter, look.style, toButton.map(glyphPath(glyph)), look.glyph[glyph]);
    return image;
}

QImage paintUnitsButton(const ButtonLook &look, int scale) {
    QImage image = newCanvas(ArtSize::unitsWidth * scale, ArtSize::unitsHeight * scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    QPainterPath triangle;
    triangle.moveTo(2.5, 8.5);
    triangle.lineTo(11.5, 8.5);
    triangle.lineTo(7, 14);
    triangle.closeSubpath();
    painter.setPen(QPen(look.unitsOutline, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(look.unitsFill);
    painter.drawPath(triangle);
    return image;
}

QImage paintResizeArrow(const ButtonLook &look, int scale) {
    const int size = ArtSize::resize;
    QImage image = newCanvas(size * scale, size * scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    // One picture serves the lying and the standing bar, whose far ends lie to the right and
    // at the bottom: a fat double arrow along the diagonal towards the lower right reads
    // right in both. It is drawn as "<->" (heads 9 high, shaft 3 high) and turned by 45
    // degrees about the middle, which keeps it symmetric about the diagonal.
    QPainterPath arrow;
    arrow.moveTo(1, 9.5);
    arrow.lineTo(6, 4.5);
    arrow.lineTo(6, 8);
    arrow.lineTo(13, 8);
    arrow.lineTo(13, 4.5);
    arrow.lineTo(18, 9.5);
    arrow.lineTo(13, 14.5);
    arrow.lineTo(13, 11);
    arrow.lineTo(6, 11);
    arrow.lineTo(6, 14.5);
    arrow.closeSubpath();
    const QPointF middle(size / 2.0, size / 2.0);
    painter.translate(middle);
    painter.rotate(45);
    painter.translate(-middle);
    painter.setPen(QPen(look.resizeOutline, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(look.resizeFill);
    painter.drawPath(arrow);
    return image;
}
