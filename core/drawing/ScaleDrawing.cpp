#include "core/drawing/ScaleDrawing.h"

#include "core/drawing/ColourKey.h"
#include "core/units/DevicePixels.h"
#include "core/units/DistanceFormat.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// In logical pixels; a screen of another ratio gets them multiplied.
constexpr int LongTick = 8;
constexpr int MediumTick = 4;
constexpr int ShortTick = 2;
constexpr int NumberOffset = 9; // numbers stand one pixel beyond the longest ticks

// Beyond this many ticks the positions no longer fit a double exactly; such a scale would put
// millions of ticks on every pixel and carries no information, so it is left empty.
constexpr double MaxTickCount = 1e15;

qint64 roundHalfEven(double value) {
    return static_cast<qint64>(std::nearbyint(value));
}

// Visits the ticks 0, step, 2 step, ... up to last in order of their rounded offset from the
// zero end. visit(n, offset) returns the smallest offset worth visiting next; ticks before it
// are skipped without being looked at, which keeps dense scales proportional to the pixels
// rather than to the tick count.
template <typename Visit> void walkTicks(double spacing, qint64 last, qint64 step, Visit visit) {
    const double inverse = 1 / spacing;
    qint64 n = 0;
    while (n <= last) {
        const qint64 offset = roundHalfEven(n * spacing);
        const qint64 wanted = std::max(visit(n, offset), offset + 1);
        // Ticks a pixel or more apart never share a pixel: no search needed.
        if (wanted == offset + 1 && spacing * step >= 1) {
            n += step;
            continue;
        }
        // Start one step early so that rounding in the estimate can never skip a tick. The
        // estimate is positive, so truncating it is taking its floor.
        qint64 next = static_cast<qint64>((wanted - 0.5) * inverse);
        if (step != 1)
            next -= next % step;
        next = std::max(next - step, n + step);
        while (next <= last && roundHalfEven(next * spacing) < wanted)
            next += step;
        n = next;
    }
}

// Pixel access along the ruler, so that one routine serves both orientations.
struct StripAxis {
    QImage &strip;
    bool vertical;
    bool obracene;
    int length;
    double ratio;

    // A logical length across the ruler in device pixels, never less than one.
    int across(int logical) const { return std::max(1, deviceLength(logical, ratio)); }

    int position(qint64 offset) const {
        return static_cast<int>(obracene ? length - offset : offset);
    }
};

void drawTicks(const StripAxis &axis, double spacing, qint64 last, QRgb colour) {
    uchar *bits = axis.strip.bits();
    const qsizetype stride = axis.strip.bytesPerLine();
    const auto drawTick = [&](int position, int tickLength) {
        if (position < 0 || position >= axis.length)
            return; // a last tick beyond the edge is clipped
        if (axis.vertical) {
            auto *row = reinterpret_cast<QRgb *>(bits + position * stride);
            std::fill(row, row + tickLength, colour);
        } else {
            for (int y = 0; y < tickLength; ++y)
                reinterpret_cast<QRgb *>(bits + y * stride)[position] = colour;
        }
    };
    // Longer ticks first: a shorter tick on a pixel that already holds a longer one would draw
    // nothing, and each pass draws at most one tick per pixel.
    const struct {
        qint64 step;
        int length;
    } passes[] = {
        {10, axis.across(LongTick)}, {5, axis.across(MediumTick)}, {1, axis.across(ShortTick)}};
    for (const auto &pass : passes) {
        walkTicks(spacing, last, pass.step, [&](qint64, qint64 offset) {
            drawTick(axis.position(offset), pass.length);
            return offset + 1;
        });
    }
}

// Writes numbers from pictures of their characters, each drawn once per scale: laying out and
// drawing every number as text would cost more than all the ticks together on a long ruler.
// Characters sit side by side at their whole-pixel advances, which is also how the hinted,
// unsmoothed scale font places them.
class LabelWriter {
public:
    LabelWriter(const QFont &font, const QColor &colour, double ratio)
        : m_font(unsmoothed(atRatio(font, ratio))), m_metrics(m_font), m_colour(colour) {}

    int height() const { return m_metrics.height(); }

    int width(const QString &text) {
        int width = 0;
        for (QChar c : text)
            width += glyph(c).width();
        return width;
    }

    // Draws the text's opaque cell with its top-left corner at (x, y), clipped to the strip.
    void write(QImage &strip, int x, int y, const QString &text) {
        for (QChar c : text) {
            const QImage &picture = glyph(c);
            copyClipped(strip, x, y, picture);
            x += picture.width();
        }
    }

private:
    // No pixel of a digit may blend with the background colour that the window keys out, and
    // whole-pixel advances without kerning let characters stand side by side.
    // The font that is as large in device pixels as the given one is in logical pixels: hinted
    // and rendered at the screen's real resolution, so the numbers stay sharp.
    static QFont atRatio(QFont font, double ratio) {
        if (ratio == 1)
            return font;
        if (font.pixelSize() > 0)
            font.setPixelSize(std::max(1, deviceLength(font.pixelSize(), ratio)));
        else
            font.setPointSizeF(font.pointSizeF() * ratio);
        return font;
    }

    static QFont unsmoothed(QFont font) {
        font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | numbersOnly));
        font.setHintingPreference(QFont::PreferFullHinting);
        font.setKerning(false);
        return font;
    }

    const QImage &glyph(QChar c) {
        auto it = m_glyphs.find(c.unicode());
        if (it == m_glyphs.end()) {
            QImage picture(m_metrics.horizontalAdvance(c), height(), QImage::Format_RGB32);
            picture.fill(scaleBackground());
            QPainter painter(&picture);
            painter.setFont(m_font);
            painter.setPen(m_colour);
            painter.drawText(0, m_metrics.ascent(), QString(c));
            painter.end();
            it = m_glyphs.insert(c.unicode(), picture);
        }
        return *it;
    }

    static void copyClipped(QImage &strip, int x, int y, const QImage &picture) {
        const int left = std::max(0, -x);
        const int right = std::min(picture.width(), strip.width() - x);
        const int top = std::max(0, -y);
        const int bottom = std::min(picture.height(), strip.height() - y);
        for (int row = top; row < bottom && left < right; ++row) {
            const auto *from = reinterpret_cast<const QRgb *>(picture.constScanLine(row));
            auto *to = reinterpret_cast<QRgb *>(strip.scanLine(y + row));
            std::memcpy(to + x + left, from + left, (right - left) * sizeof(QRgb));
        }
    }

    QFont m_font;
    QFontMetrics m_metrics;
    QColor m_colour;
    QHash<char16_t, QImage> m_glyphs;
};

void drawNumbers(const StripAxis &axis, const ScaleParams &params, qint64 last) {
    LabelWriter writer(params.font, params.numberColour, axis.ratio);
    const NumberFormat format;
    const int height = writer.height();
    const int numbersAt = axis.across(NumberOffset);

    // Labels are placed walking away from the zero end; one that would come closer than half a
    // digit to the label placed before it is left out, so the zero always shows and crowded
    // numbers never overwrite each other or run together into one unreadable row of digits.
    // keptStart/keptEnd bound the last placed label along the ruler.
    const int gap = std::max(1, writer.width(QStringLiteral("0")) / 2);
    int keptStart = 0;
    int keptEnd = 0;
    bool anyKept = false;
    walkTicks(params.spacing(), last, 10, [&](qint64 n, qint64 offset) -> qint64 {
        const QString text = n == 0 ? QStringLiteral("0") : format.format(n * params.carka);
        const int width = writer.width(text);
        const int extent = axis.vertical ? height : width;
        const int position = axis.position(offset);
        int start = position - extent / 2;
        if (n == 0)
            start = axis.obracene ? axis.length - extent : 0;
        const int end = start + extent;
        const bool overlaps =
            anyKept && (axis.obracene ? end + gap > keptStart : start < keptEnd + gap);
        if (!overlaps) {
            if (axis.vertical)
                writer.write(axis.strip, numbersAt, start, text);
            else
                writer.write(axis.strip, start, numbersAt, text);
            keptStart = start;
            keptEnd = end;
            anyKept = true;
        }
        // The next label cannot fit before the kept one ends, whatever its width.
        return axis.obracene ? axis.length - keptStart + gap : keptEnd + gap;
    });
}

void drawScale(QImage &strip, const ScaleParams &params, bool vertical) {
    const int length = std::max(0, params.length);
    const double ratio = params.ratio > 0 && std::isfinite(params.ratio) ? params.ratio : 1;
    const int thickness = scaleStripThickness(vertical, ratio);
    const QSize size = vertical ? QSize(thickness, length) : QSize(length, thickness);
    if (strip.size() != size || strip.format() != QImage::Format_RGB32)
        strip = QImage(size, QImage::Format_RGB32);
    strip.setDevicePixelRatio(ratio);
    strip.fill(scaleBackground());
    if (strip.isNull())
        return;

    const double spacing = params.spacing();
    if (!std::isfinite(spacing) || spacing <= 0)
        return;
    const double count = std::nearbyint(length / spacing);
    if (!(count >= 0 && count <= MaxTickCount))
        return;
    const qint64 last = static_cast<qint64>(count);

    const StripAxis axis{strip, vertical, params.obracene, length, ratio};
    // A fully transparent pen (clNone) draws no ticks; any other colour is drawn opaque, as
    // skin colours carry no alpha.
    if (params.tickColour.alpha() != 0)
        drawTicks(axis, spacing, last, params.tickColour.rgb());
    drawNumbers(axis, params, last);
}

// Copies the band [0, bandWidth) x [0, bandHeight) of piece to (x, y) of bar, clipped to both.
void copyBand(QImage &bar, int x, int y, const QImage &piece, int bandWidth, int bandHeight) {
    const int sourceX = std::max(0, -x);
    const int sourceY = std::max(0, -y);
    const int right = std::min({bandWidth, piece.width(), bar.width() - x});
    const int bottom = std::min({bandHeight, piece.height(), bar.height() - y});
    if (right <= sourceX)
        return;
    for (int row = sourceY; row < bottom; ++row) {
        const auto *from = reinterpret_cast<const QRgb *>(piece.constScanLine(row));
        auto *to = reinterpret_cast<QRgb *>(bar.scanLine(y + row));
        std::memcpy(to + x + sourceX, from + sourceX, (right - sourceX) * sizeof(QRgb));
    }
}

// Fills count copies of the middle piece side by side from x onwards: one copy is drawn and
// then each row doubles what is already there, instead of copying a narrow piece thousands of
// times.
void tileAcross(QImage &bar, int x, int count, const QImage &middle, int bandHeight) {
    if (x >= bar.width())
        return;
    copyBand(bar, x, 0, middle, middle.width(), bandHeight);
    const qint64 total = std::min<qint64>(qint64(count) * middle.width(), bar.width() - x);
    const int rows = std::min({bandHeight, middle.height(), bar.height()});
    for (int row = 0; row < rows; ++row) {
        auto *line = reinterpret_cast<QRgb *>(bar.scanLine(row)) + x;
        for (qint64 filled = middle.width(); filled < total;) {
            const qint64 chunk = std::min(filled, total - filled);
            std::memcpy(line + filled, line, chunk * sizeof(QRgb));
            filled += chunk;
        }
    }
}

void tileDown(QImage &bar, int y, int count, const QImage &middle, int bandWidth) {
    if (y >= bar.height())
        return;
    copyBand(bar, 0, y, middle, bandWidth, middle.height());
    const qint64 end = std::min<qint64>(y + qint64(count) * middle.height(), bar.height());
    const int columns = std::min({bandWidth, middle.width(), bar.width()});
    if (columns <= 0)
        return;
    for (qint64 row = y + middle.height(); row < end; ++row)
        std::memcpy(bar.scanLine(row), bar.constScanLine(row - middle.height()),
                    columns * sizeof(QRgb));
}

} // namespace

QFont ScaleParams::defaultScaleFont() {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | numbersOnly));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    return font;
}

int scaleStripThickness(bool vertical, double ratio) {
    return deviceLength(vertical ? ScaleStripWidth : ScaleStripHeight, ratio);
}

void KresliTavlinkoHoriz(QImage &strip, const ScaleParams &params) {
    drawScale(strip, params, false);
}

void KresliTavlinkoVertik(QImage &strip, const ScaleParams &params) {
    drawScale(strip, params, true);
}

QImage Ramecek(const QImage &startPiece, const QImage &middlePiece, const QImage &endPiece,
               bool horizontal, QSize window, int ruleHeight) {
    if (window.isEmpty())
        return {};
    QImage bar(window, QImage::Format_RGB32);
    const QImage start = asRgb32(startPiece);
    const QImage middle = asRgb32(middlePiece);
    const QImage end = asRgb32(endPiece);
    // Along the bar the pieces always meet or overlap; across it they fill the window only
    // when each of them and the band are at least as thick as the window.
    const auto thickness = [horizontal](const QImage &image) {
        return horizontal ? image.height() : image.width();
    };
    const int windowThickness = horizontal ? window.height() : window.width();
    if (std::min({ruleHeight, thickness(start), thickness(middle), thickness(end)}) <
            windowThickness ||
        middle.isNull())
        bar.fill(Qt::black);
    if (ruleHeight <= 0)
        return bar;

    if (horizontal) {
        copyBand(bar, 0, 0, start, start.width(), ruleHeight);
        if (middle.width() > 0) {
            const int k = (window.width() - start.width() - end.width()) / middle.width();
            if (k >= 0)
                tileAcross(bar, start.width(), k + 1, middle, ruleHeight);
        }
        copyBand(bar, window.width() - end.width(), 0, end, end.width(), ruleHeight);
    } else {
        copyBand(bar, 0, 0, start, ruleHeight, start.height());
        if (middle.height() > 0) {
            const int k = (window.height() - start.height() - end.height()) / middle.height();
            if (k >= 0)
                tileDown(bar, start.height(), k + 1, middle, ruleHeight);
        }
        copyBand(bar, 0, window.height() - end.height(), end, ruleHeight, end.height());
    }
    return bar;
}
