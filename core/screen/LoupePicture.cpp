#include "core/screen/LoupePicture.h"

#include "core/screen/OwnWindows.h"

#include <QPainter>
#include <algorithm>
#include <iterator>

namespace {

// Pixels between the pointer's sampled square and the loupe window.
constexpr int loupeGap = 12;

bool isLight(QRgb colour) {
    return qGray(colour) >= 128;
}

} // namespace

int steppedLoupeZoom(int zoom, int steps) {
    const int *const first = std::begin(loupeZooms);
    const int *const last = std::end(loupeZooms);
    const int *at = std::lower_bound(first, last, zoom);
    const int index = int(at - first) + steps;
    return loupeZooms[std::clamp(index, 0, int(std::size(loupeZooms)) - 1)];
}

int loupeSampleSize(int zoom) {
    const int fitting = std::max(1, loupeViewSize / std::max(1, zoom));
    return fitting % 2 ? fitting : fitting - 1;
}

QRect loupeSampleArea(QPoint pointer, int zoom) {
    const int size = loupeSampleSize(zoom);
    const int half = size / 2;
    return {pointer.x() - half, pointer.y() - half, size, size};
}

QImage loupePicture(const QImage &sample, int zoom) {
    QImage picture =
        sample.convertToFormat(QImage::Format_RGB32)
            .scaled(sample.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (picture.isNull())
        return picture;
    QPainter painter(&picture);
    for (int y = 0; y < sample.height(); ++y)
        for (int x = 0; x < sample.width(); ++x)
            if (!isRead(sample.pixel(x, y))) {
                const QRect cell(x * zoom, y * zoom, zoom, zoom);
                painter.fillRect(cell, QColor(0xc0, 0xc0, 0xc0));
                painter.fillRect(cell, QBrush(QColor(0x60, 0x60, 0x60), Qt::BDiagPattern));
            }
    if (zoom >= loupeGridZoom) {
        painter.setPen(QColor(128, 128, 128, 110));
        for (int x = zoom; x < picture.width(); x += zoom)
            painter.drawLine(x, 0, x, picture.height() - 1);
        for (int y = zoom; y < picture.height(); y += zoom)
            painter.drawLine(0, y, picture.width() - 1, y);
    }
    const QPoint middle(sample.width() / 2, sample.height() / 2);
    const QRgb under = sample.pixel(middle);
    painter.setPen(isLight(under) || !isRead(under) ? Qt::black : Qt::white);
    // The cell of the pixel under the pointer, framed just outside so its colour stays seen,
    // and the lines of the cross leading to it.
    const QRect cell(middle * zoom - QPoint(1, 1), QSize(zoom + 1, zoom + 1));
    painter.drawRect(cell);
    const int midX = cell.center().x();
    const int midY = cell.center().y();
    painter.drawLine(midX, 0, midX, cell.top() - 2);
    painter.drawLine(midX, cell.bottom() + 2, midX, picture.height() - 1);
    painter.drawLine(0, midY, cell.left() - 2, midY);
    painter.drawLine(cell.right() + 2, midY, picture.width() - 1, midY);
    return picture;
}

QString colourName(QRgb colour) {
    return QStringLiteral("#%1").arg(colour & 0xffffffu, 6, 16, QLatin1Char('0'));
}

QString loupeReadout(QPoint device, std::optional<QRgb> colour, const QString &note,
                     const QString &distance) {
    QString text = QStringLiteral("%1, %2  %3")
                       .arg(device.x())
                       .arg(device.y())
                       .arg(colour ? colourName(*colour) : note);
    if (!distance.isEmpty())
        text += u'\n' + distance;
    return text;
}

QPoint loupePlace(QSize loupe, const QRect &sampled, const QRect &screen) {
    const int right = sampled.right() + 1 + loupeGap;
    const int left = sampled.left() - loupeGap - loupe.width();
    const int below = sampled.bottom() + 1 + loupeGap;
    const int above = sampled.top() - loupeGap - loupe.height();
    const QPoint candidates[] = {{right, below}, {left, below}, {right, above}, {left, above}};
    for (const QPoint &place : candidates)
        if (screen.contains(QRect(place, loupe)))
            return place;
    // A screen too small for the loupe on any side: beside the pointer all the same.
    return candidates[0];
}
