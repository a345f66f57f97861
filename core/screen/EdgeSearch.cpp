#include "core/screen/EdgeSearch.h"

#include <algorithm>
#include <cstdlib>

namespace {

int channelStep(int from, int to) {
    return to - from;
}

// Whether two neighbouring steps belong to one ramp: no channel turns back.
bool sameWay(QRgb a, QRgb b, QRgb c) {
    const auto turns = [](int first, int second) { return first * second < 0; };
    return !turns(channelStep(qRed(a), qRed(b)), channelStep(qRed(b), qRed(c))) &&
           !turns(channelStep(qGreen(a), qGreen(b)), channelStep(qGreen(b), qGreen(c))) &&
           !turns(channelStep(qBlue(a), qBlue(b)), channelStep(qBlue(b), qBlue(c)));
}

} // namespace

int pixelDifference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QVector<int> findEdges(std::span<const QRgb> line, int tolerance) {
    QVector<int> edges;
    const int size = int(line.size());
    int rampSteepest = 0; // boundary of the steepest step of the ramp being walked; 0: none
    int rampStep = 0;
    for (int boundary = 1; boundary < size; ++boundary) {
        const int step = pixelDifference(line[boundary - 1], line[boundary]);
        if (step <= tolerance) {
            if (rampSteepest)
                edges << rampSteepest;
            rampSteepest = 0;
            continue;
        }
        const bool continues =
            rampSteepest && sameWay(line[boundary - 2], line[boundary - 1], line[boundary]);
        if (rampSteepest && !continues)
            edges << rampSteepest;
        if (!continues || step > rampStep) {
            rampSteepest = boundary;
            rampStep = step;
        }
    }
    if (rampSteepest)
        edges << rampSteepest;
    return edges;
}

int snapToEdge(std::span<const QRgb> line, int press, int reach, int tolerance) {
    int best = press;
    int bestDistance = reach + 1;
    for (const int edge : findEdges(line, tolerance)) {
        const int distance = std::abs(edge - press);
        if (distance < bestDistance) {
            best = edge;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<EdgeSpan> spanAround(std::span<const QRgb> line, int pixel, int tolerance) {
    const QVector<int> edges = findEdges(line, tolerance);
    const auto after = std::upper_bound(edges.cbegin(), edges.cend(), pixel);
    if (after == edges.cbegin() || after == edges.cend())
        return std::nullopt;
    return EdgeSpan{*(after - 1), *after};
}

QVector<QRgb> imageLine(const QImage &image, Qt::Orientation orientation, int index) {
    const QImage rgb =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    QVector<QRgb> line;
    if (orientation == Qt::Horizontal) {
        if (index < 0 || index >= rgb.height())
            return line;
        const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(index));
        line.reserve(rgb.width());
        for (int x = 0; x < rgb.width(); ++x)
            line << (row[x] | 0xff000000u);
    } else {
        if (index < 0 || index >= rgb.width())
            return line;
        line.reserve(rgb.height());
        for (int y = 0; y < rgb.height(); ++y)
            line << (reinterpret_cast<const QRgb *>(rgb.constScanLine(y))[index] | 0xff000000u);
    }
    return line;
}
