#include "MenuIcons.h"

#include "Canvas.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <cmath>
#include <functional>

namespace {

// Medium tones with a darker outline read on light and dark menus alike.
struct Ink {
    QColor fill, line;
};
const Ink paper{QColor("#f5f7fa"), QColor("#56606d")};
const Ink blue{QColor("#3d84d6"), QColor("#1b4c8a")};
const Ink lightBlue{QColor("#8db8ea"), QColor("#1b4c8a")};
const Ink green{QColor("#34a853"), QColor("#1a6630")};
const Ink red{QColor("#e0483a"), QColor("#8e2219")};
const Ink yellow{QColor("#f7c733"), QColor("#8f6a08")};
const Ink grey{QColor("#9aa4b0"), QColor("#47505b")};

void draw(QPainter &painter, const QPainterPath &path, const Ink &ink) {
    painter.setPen(QPen(ink.line, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(ink.fill);
    painter.drawPath(path);
}

QPainterPath roundedRect(const QRectF &rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath strokedLines(const QPainterPath &centreLine, qreal width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(centreLine).simplified();
}

QPainterPath ribbon(qreal left, qreal right, qreal top, qreal bottom) {
    QPainterPath path;
    path.moveTo(left, top);
    path.lineTo(right, top);
    path.lineTo(right, bottom);
    path.lineTo((left + right) / 2, bottom - (right - left) * 0.45);
    path.lineTo(left, bottom);
    path.closeSubpath();
    return path;
}

enum class Badge { Plus, Minus, Cross };

void badge(QPainter &painter, Badge sign) {
    const QPointF centre(17.5, 17.5);
    QPainterPath disc;
    disc.addEllipse(centre, 5.5, 5.5);
    draw(painter, disc, sign == Badge::Plus ? green : red);
    QPainterPath mark;
    if (sign == Badge::Cross) {
        mark.moveTo(centre + QPointF(-2.3, -2.3));
        mark.lineTo(centre + QPointF(2.3, 2.3));
        mark.moveTo(centre + QPointF(2.3, -2.3));
        mark.lineTo(centre + QPointF(-2.3, 2.3));
    } else {
        mark.moveTo(centre + QPointF(-3, 0));
        mark.lineTo(centre + QPointF(3, 0));
        if (sign == Badge::Plus) {
            mark.moveTo(centre + QPointF(0, -3));
            mark.lineTo(centre + QPointF(0, 3));
        }
    }
    painter.fillPath(strokedLines(mark, 2), Qt::white);
}

void copyIcon(QPainter &painter) {
    draw(painter, roundedRect(QRectF(3.5, 2.5, 11, 14), 1.5), paper);
    draw(painter, roundedRect(QRectF(9.5, 7.5, 11, 14), 1.5), paper);
    painter.setPen(QPen(blue.fill, 1));
    for (const qreal y : {11.5, 14.5, 17.5})
        painter.drawLine(QPointF(12, y), QPointF(18, y));
}

void saveIcon(QPainter &painter) {
    QPainterPath body;
    body.moveTo(3.5, 5.5);
    body.arcTo(QRectF(3.5, 3.5, 4, 4), 180, -90);
    body.lineTo(17.5, 3.5);
    body.lineTo(20.5, 6.5);
    body.lineTo(20.5, 18.5);
    body.arcTo(QRectF(16.5, 16.5, 4, 4), 0, -90);
    body.lineTo(5.5, 20.5);
    body.arcTo(QRectF(3.5, 16.5, 4, 4), 270, -90);
    body.closeSubpath();
    draw(painter, body, blue);
    draw(painter, roundedRect(QRectF(7.5, 3.5, 9, 6), 0.5), Ink{QColor("#dde4ec"), blue.line});
    painter.fillRect(QRectF(13, 4.5, 2, 4), blue.line);
    draw(painter, roundedRect(QRectF(6.5, 12.5, 11, 8), 0.5), paper);
    painter.setPen(QPen(grey.fill, 1));
    painter.drawLine(QPointF(8.5, 15.5), QPointF(15.5, 15.5));
    painter.drawLine(QPointF(8.5, 17.5), QPointF(15.5, 17.5));
}

void calibrateIcon(QPainter &painter) {
    draw(painter, roundedRect(QRectF(1.5, 14.5, 21, 7), 1), yellow);
    painter.setPen(QPen(QColor("#5a4204"), 1));
    for (int k = 0; k <= 6; ++k) {
        const qreal x = 4.5 + 3 * k;
        painter.drawLine(QPointF(x, 15), QPointF(x, k % 2 == 0 ? 18.5 : 17));
    }
    // Crosshair aimed at a tick: the screen is matched against a real ruler.
    const QPointF centre(13.5, 7.5);
    QPainterPath sight;
    sight.addEllipse(centre, 4.5, 4.5);
    sight.moveTo(centre + QPointF(0, -7));
    sight.lineTo(centre + QPointF(0, 6.5));
    sight.moveTo(centre + QPointF(-7, 0));
    sight.lineTo(centre + QPointF(7, 0));
    QPainterPathStroker stroker;
    stroker.setWidth(1.6);
    const QPainterPath ring = stroker.createStroke(sight).simplified();
    painter.setPen(QPen(QColor(255, 255, 255, 140), 1));
    painter.setBrush(red.fill);
    painter.drawPath(ring);
}

void settingsIcon(QPainter &painter) {
    const QPointF centre(12, 12);
    const int teeth = 8;
    QPainterPath outline;
    for (int i = 0; i < teeth * 4; ++i) {
        // Each tooth: rise, top, fall, root, a quarter of the tooth pitch each.
        const double angle = (i - 0.5) * 2 * M_PI / (teeth * 4);
        const double radius = (i % 4 == 0 || i % 4 == 1) ? 10.3 : 7.6;
        const QPointF point = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
        if (i == 0)
            outline.moveTo(point);
        else
            outline.lineTo(point);
    }
    outline.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(centre, 3.3, 3.3);
    outline = outline.subtracted(hole);
    QLinearGradient metal(0, 2, 0, 22);
    metal.setColorAt(0, grey.fill.lighter(115));
    metal.setColorAt(1, grey.fill.darker(112));
    painter.setPen(QPen(grey.line, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(metal);
    painter.drawPath(outline);
}

void fullScreenIcon(QPainter &painter) {
    QPainterPath arrows;
    const QPointF centre(12, 12);
    for (const QPointF corner : {QPointF(4, 4), QPointF(20, 4), QPointF(4, 20), QPointF(20, 20)}) {
        const QPointF towards = corner - centre;
        arrows.moveTo(centre + towards * 0.3);
        arrows.lineTo(corner);
        arrows.moveTo(corner.x(), corner.y() - towards.y() * 0.6);
        arrows.lineTo(corner);
        arrows.lineTo(corner.x() - towards.x() * 0.6, corner.y());
    }
    draw(painter, strokedLines(arrows, 2.4), blue);
}

void markersIcon(QPainter &painter) {
    draw(painter, ribbon(6.5, 17.5, 2.5, 21.5), blue);
}

void markerWith(QPainter &painter, Badge sign) {
    draw(painter, ribbon(3.5, 13.5, 2.5, 20.5), blue);
    badge(painter, sign);
}

void deleteAllIcon(QPainter &painter) {
    draw(painter, ribbon(8.5, 17.5, 1.5, 17.5), lightBlue);
    draw(painter, ribbon(3.5, 12.5, 4.5, 21.5), blue);
    badge(painter, Badge::Cross);
}

QImage icon(int size, qreal scale, const std::function<void(QPainter &)> &paint, int height = 0) {
    QImage image = newCanvas(size, height > 0 ? height : size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    paint(painter);
    return image;
}

// ---------------------------------------------------------------------------------------------
// The settings dialog's pictures. Unit tools are drawn on a 20 grid, button glyphs on 16,
// the two page pictures on 32.

void disc(QPainter &painter, Badge sign, QPointF centre, qreal radius) {
    QPainterPath round;
    round.addEllipse(centre, radius, radius);
    draw(painter, round, sign == Badge::Plus ? green : red);
    QPainterPath mark;
    const qreal arm = radius * 0.55;
    mark.moveTo(centre + QPointF(-arm, 0));
    mark.lineTo(centre + QPointF(arm, 0));
    if (sign == Badge::Plus) {
        mark.moveTo(centre + QPointF(0, -arm));
        mark.lineTo(centre + QPointF(0, arm));
    }
    painter.fillPath(strokedLines(mark, radius * 0.36), Qt::white);
}

void unitArrow(QPainter &painter, bool up) {
    QPainterPath arrow;
    arrow.moveTo(10, 2.5);
    arrow.lineTo(17.5, 10.5);
    arrow.lineTo(12.5, 10.5);
    arrow.lineTo(12.5, 17.5);
    arrow.lineTo(7.5, 17.5);
    arrow.lineTo(7.5, 10.5);
    arrow.lineTo(2.5, 10.5);
    arrow.closeSubpath();
    if (!up) {
        QTransform flip;
        flip.translate(0, 20);
        flip.scale(1, -1);
        arrow = flip.map(arrow);
    }
    draw(painter, arrow, blue);
}

// Three bars in the shipped skins' spirit: the look of the ruler can change.
void skinPicture(QPainter &painter) {
    const Ink inks[] = {yellow, Ink{QColor("#b8824a"), QColor("#5e3b17")},
                        Ink{QColor("#3a4556"), QColor("#161c26")}};
    for (int k = 0; k < 3; ++k) {
        const QRectF bar(2.5 + 3 * k, 2.5 + 7 * k, 26, 7);
        draw(painter, roundedRect(bar, 1.5), inks[k]);
        painter.setPen(QPen(inks[k].line, 1));
        for (int t = 0; t < 6; ++t) {
            const qreal x = bar.left() + 3 + 4 * t;
            painter.drawLine(QPointF(x, bar.top() + 0.5),
                             QPointF(x, bar.top() + (t % 2 ? 2.5 : 4)));
        }
    }
}

// Two speech bubbles: the texts of the program in another language.
void languagePicture(QPainter &painter) {
    draw(painter, roundedRect(QRectF(2.5, 3.5, 19, 14), 3), blue);
    QPainterPath tail;
    tail.moveTo(7, 17);
    tail.lineTo(5.5, 22.5);
    tail.lineTo(12, 17);
    draw(painter, tail, blue);
    draw(painter, roundedRect(QRectF(11.5, 12.5, 18, 13), 3), paper);
    QPainterPath tail2;
    tail2.moveTo(21, 25);
    tail2.lineTo(26.5, 29.5);
    tail2.lineTo(25.5, 25);
    draw(painter, tail2, paper);
    painter.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap));
    for (const qreal y : {8.0, 11.5})
        painter.drawLine(QPointF(6, y), QPointF(18, y));
    painter.setPen(QPen(blue.line, 1.4, Qt::SolidLine, Qt::RoundCap));
    for (const qreal y : {17.0, 20.5})
        painter.drawLine(QPointF(15, y), QPointF(26, y));
}

QPainterPath page16() {
    QPainterPath sheet;
    sheet.moveTo(2.5, 1.5);
    sheet.lineTo(9.5, 1.5);
    sheet.lineTo(13.5, 5.5);
    sheet.lineTo(13.5, 14.5);
    sheet.lineTo(2.5, 14.5);
    sheet.closeSubpath();
    return sheet;
}

void newLanguageGlyph(QPainter &painter) {
    draw(painter, page16(), paper);
    disc(painter, Badge::Plus, QPointF(11.5, 11.5), 4);
}

void editLanguageGlyph(QPainter &painter) {
    draw(painter, page16(), paper);
    QPainterPath pencil;
    pencil.moveTo(6, 13.5);
    pencil.lineTo(6.5, 10.5);
    pencil.lineTo(13, 4);
    pencil.lineTo(15.5, 6.5);
    pencil.lineTo(9, 13);
    pencil.closeSubpath();
    draw(painter, pencil, yellow);
}

void screenGlyph(QPainter &painter) {
    draw(painter, roundedRect(QRectF(1.5, 2.5, 13, 9), 1), grey);
    painter.fillRect(QRectF(3, 4, 10, 6), lightBlue.fill);
    draw(painter, roundedRect(QRectF(5.5, 12.5, 5, 2), 0.5), grey);
}

void drawDialogIcons(const QString &folder) {
    const std::pair<const char *, std::function<void(QPainter &)>> tools[] = {
        {"unit-add", [](QPainter &p) { disc(p, Badge::Plus, QPointF(10, 10), 7.5); }},
        {"unit-remove", [](QPainter &p) { disc(p, Badge::Minus, QPointF(10, 10), 7.5); }},
        {"unit-up", [](QPainter &p) { unitArrow(p, true); }},
        {"unit-down", [](QPainter &p) { unitArrow(p, false); }},
    };
    for (const auto &[name, paint] : tools) {
        savePng(icon(20, 1, paint), folder + '/' + name + ".png");
        savePng(icon(40, 2, paint), folder + '/' + name + "@2x.png");
    }
    const std::pair<const char *, std::function<void(QPainter &)>> glyphs[] = {
        {"language-new", newLanguageGlyph},
        {"language-edit", editLanguageGlyph},
        {"screen", screenGlyph},
        {"calibrate",
         [](QPainter &p) {
             p.scale(16 / 24.0, 16 / 24.0);
             calibrateIcon(p);
         }},
    };
    for (const auto &[name, paint] : glyphs) {
        savePng(icon(16, 1, paint), folder + '/' + name + ".png");
        savePng(icon(32, 2, paint), folder + '/' + name + "@2x.png");
    }
    savePng(icon(32, 1, skinPicture, 26), folder + "/skin.png");
    savePng(icon(64, 2, skinPicture, 52), folder + "/skin@2x.png");
    savePng(icon(32, 1, languagePicture), folder + "/language.png");
    savePng(icon(64, 2, languagePicture), folder + "/language@2x.png");
}

} // namespace

void writeMenuIcons(const QString &folder) {
    const std::pair<const char *, std::function<void(QPainter &)>> menu[] = {
        {"copy", copyIcon},
        {"save", saveIcon},
        {"calibrate", calibrateIcon},
        {"settings", settingsIcon},
        {"fullscreen", fullScreenIcon},
        {"markers", markersIcon},
        {"marker-add", [](QPainter &p) { markerWith(p, Badge::Plus); }},
        {"marker-delete", [](QPainter &p) { markerWith(p, Badge::Minus); }},
        {"markers-delete-all", deleteAllIcon},
    };
    for (const auto &[name, paint] : menu)
        savePng(icon(24, 1, paint), folder + "/menu/" + name + ".png");
}

void writeDialogIcons(const QString &folder) {
    drawDialogIcons(folder);
}
