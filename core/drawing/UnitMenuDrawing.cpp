#include "core/drawing/UnitMenuDrawing.h"

#include "core/translation/AccessKeyMark.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int stripWidth = 40;
constexpr int nameStart = 42;
constexpr int longestShownName = 40; // average characters
constexpr qreal smallestFont = 5;    // points or pixels
const QString separatorCaption = QStringLiteral("-");

int nameRoom(const QFontMetrics &metrics) {
    return metrics.averageCharWidth() * longestShownName;
}

} // namespace

bool unitMenuNameCut(const QString &caption, const QFont &font) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(withoutAccessKeyMark(caption)) > nameRoom(metrics);
}

QSize unitMenuItemSize(const QString &caption, const QFont &font) {
    const QFontMetrics metrics(font);
    const int width =
        std::min(metrics.horizontalAdvance(withoutAccessKeyMark(caption)), nameRoom(metrics)) +
        nameStart;
    const int height = caption == separatorCaption ? 3 : metrics.height() + 5;
    return {width, height};
}

void drawUnitMenuItem(QPainter &painter, const QRect &rect, const QString &caption,
                      const QString &symbol, bool selected) {
    const bool separator = caption == separatorCaption;
    const QColor text = selected ? Qt::white : Qt::black;
    const QRect strip(rect.left(), rect.top(), stripWidth, rect.height());
    const QRect rest(rect.left() + stripWidth, rect.top(), rect.width() - stripWidth,
                     rect.height());
    painter.fillRect(strip, selected ? QColor(0, 0, 255) : QColor(204, 204, 204));
    painter.fillRect(rest, selected ? QColor(160, 160, 255) : QColor(240, 240, 240));
    if (separator) {
        painter.setPen(Qt::black);
        painter.drawLine(rect.left(), rect.top() + 1, rect.right(), rect.top() + 1);
        return;
    }
    painter.setPen(text);
    const int baseline = rect.top() + 1 + painter.fontMetrics().ascent();
    painter.drawText(rect.left(), baseline, symbol);
    const int room = rect.width() - nameStart;
    painter.drawText(
        rect.left() + nameStart, baseline,
        painter.fontMetrics().elidedText(withoutAccessKeyMark(caption), Qt::ElideRight, room));
}

QFont fontFitting(QFont font, const QString &text, int width) {
    const bool inPixels = font.pixelSize() > 0;
    while (QFontMetrics(font).horizontalAdvance(text) > width) {
        const qreal size = inPixels ? font.pixelSize() : font.pointSizeF();
        if (size - 1 < smallestFont)
            break;
        if (inPixels)
            font.setPixelSize(int(size) - 1);
        else
            font.setPointSizeF(size - 0.5);
    }
    return font;
}
