#include "core/screen/StreamMapping.h"

#include <QRectF>
#include <cmath>

double xwaylandScale(QSize xScreen, const QList<CastStream> &streams) {
    QRect bounds;
    for (const CastStream &stream : streams)
        bounds |= stream.logical;
    if (bounds.isEmpty() || xScreen.isEmpty())
        return 1;
    return double(xScreen.width()) / bounds.width();
}

std::optional<StreamPixel> streamPixelOf(QPoint x, const QList<CastStream> &streams,
                                         double xScale) {
    if (xScale <= 0)
        return std::nullopt;
    // The middle of the X pixel, so that rounding never carries it into a neighbour.
    const QPointF logical = (QPointF(x) + QPointF(0.5, 0.5)) / xScale;
    for (int index = 0; index < streams.size(); ++index) {
        const CastStream &stream = streams[index];
        if (stream.logical.isEmpty() || stream.frame.isEmpty() ||
            !QRectF(stream.logical).contains(logical))
            continue;
        const QPointF within = logical - QPointF(stream.logical.topLeft());
        const QPoint pixel(
            int(std::floor(within.x() * stream.frame.width() / stream.logical.width())),
            int(std::floor(within.y() * stream.frame.height() / stream.logical.height())));
        if (!QRect(QPoint(0, 0), stream.frame).contains(pixel))
            return std::nullopt;
        return StreamPixel{index, pixel};
    }
    return std::nullopt;
}

QImage pictureFromFrames(const QRect &area, const QList<CastStream> &streams,
                         const QList<QImage> &frames, double xScale) {
    QImage picture(area.size(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < area.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < area.width(); ++x) {
            const std::optional<StreamPixel> at =
                streamPixelOf(area.topLeft() + QPoint(x, y), streams, xScale);
            if (!at || at->stream >= frames.size())
                continue;
            const QImage &frame = frames[at->stream];
            if (frame.rect().contains(at->pixel))
                row[x] = frame.pixel(at->pixel) | 0xff000000u;
        }
    }
    return picture;
}
