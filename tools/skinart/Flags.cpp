#include "Flags.h"

#include "Canvas.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int width = 20;
constexpr int height = 13;

QImage czech() {
    QImage flag(width, height, QImage::Format_RGB32);
    QPainter painter(&flag);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, width, height / 2.0), Qt::white);
    painter.fillRect(QRectF(0, height / 2.0, width, height / 2.0), QColor("#d7141a"));
    QPainterPath wedge;
    wedge.moveTo(0, 0);
    wedge.lineTo(width / 2.0, height / 2.0);
    wedge.lineTo(0, height);
    wedge.closeSubpath();
    painter.fillPath(wedge, QColor("#11457e"));
    return flag;
}

QImage german() {
    QImage flag(width, height, QImage::Format_RGB32);
    QPainter painter(&flag);
    // Bands of 4, 5 and 4 rows: whole rows keep the stripes crisp at this size.
    painter.fillRect(QRect(0, 0, width, 4), QColor("#000000"));
    painter.fillRect(QRect(0, 4, width, 5), QColor("#dd0000"));
    painter.fillRect(QRect(0, 9, width, 4), QColor("#ffce00"));
    return flag;
}

QImage english() {
    const QColor blue("#012169"), red("#c8102e");
    QImage flag(width, height, QImage::Format_RGB32);
    flag.fill(blue);
    QPainter painter(&flag);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(flag.rect());
    const QLineF falling(0, 0, width, height), rising(0, height, width, 0);
    painter.setPen(QPen(Qt::white, 3.6, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(falling);
    painter.drawLine(rising);
    // The red diagonals sit off-centre: below the white at the hoist's top, above it at the
    // fly's top, and the same turned half round for the bottom, as on the real flag.
    painter.setPen(QPen(red, 1.4, Qt::SolidLine, Qt::FlatCap));
    const QPointF centre(width / 2.0, height / 2.0);
    painter.drawLine(QLineF(QPointF(0, 0), centre).translated(-0.3, 0.45));
    painter.drawLine(QLineF(centre, QPointF(width, height)).translated(0.3, -0.45));
    painter.drawLine(QLineF(centre, QPointF(width, 0)).translated(-0.3, -0.45));
    painter.drawLine(QLineF(QPointF(0, height), centre).translated(0.3, 0.45));
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Whole pixels for the crosses: white 6 wide / 5 high, red 2 wide / 3 high.
    painter.fillRect(QRect(7, 0, 6, height), Qt::white);
    painter.fillRect(QRect(0, 4, width, 5), Qt::white);
    painter.fillRect(QRect(9, 0, 2, height), red);
    painter.fillRect(QRect(0, 5, width, 3), red);
    return flag;
}

// A faint frame keeps the white of a flag from melting into a white background.
QImage framed(QImage flag) {
    QPainter painter(&flag);
    painter.setPen(QColor(0, 0, 0, 60));
    painter.drawRect(flag.rect().adjusted(0, 0, -1, -1));
    return flag;
}

} // namespace

void writeFlags(const QString &folder) {
    saveBmp(framed(czech()), folder + "/czech.bmp");
    saveBmp(framed(english()), folder + "/english.bmp");
    saveBmp(framed(german()), folder + "/german.bmp");
}
