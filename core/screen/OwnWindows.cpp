#include "core/screen/OwnWindows.h"

#include <algorithm>

QImage withOwnWindowsUnread(const QImage &read, QPoint origin, const QList<QRect> &ownWindows) {
    QImage marked = read.convertToFormat(QImage::Format_ARGB32);
    const QRect area(origin, read.size());
    for (const QRect &window : ownWindows) {
        const QRect covered = window.intersected(area).translated(-origin);
        for (int y = covered.top(); y <= covered.bottom(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(marked.scanLine(y));
            for (int x = covered.left(); x <= covered.right(); ++x)
                row[x] &= RGB_MASK;
        }
    }
    return marked;
}

bool wholeRead(const QImage &picture) {
    if (!picture.hasAlphaChannel())
        return true;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (!isRead(picture.pixel(x, y)))
                return false;
    return true;
}

QVector<QRgb> lineWithUnreadEndsFilled(const QImage &strip) {
    QVector<QRgb> line;
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            line << strip.pixel(x, y);
    const auto read = [](QRgb pixel) { return isRead(pixel); };
    const auto first = std::find_if(line.begin(), line.end(), read);
    if (first == line.end())
        return {};
    const auto last = std::find_if(line.rbegin(), line.rend(), read).base() - 1;
    if (!std::all_of(first, last + 1, read))
        return {};
    std::fill(line.begin(), first, *first);
    std::fill(last + 1, line.end(), *last);
    return line;
}
