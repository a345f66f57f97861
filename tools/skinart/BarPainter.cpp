#include "BarPainter.h"

#include "Canvas.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdint>

namespace {

enum class Piece { Start, Middle, End };

// A rectangle whose measuring edge (top) has small corners and whose back edge has big ones.
QPainterPath barOutline(const QRectF &r, qreal top, qreal bottom) {
    QPainterPath path;
    path.moveTo(r.left() + top, r.top());
    path.lineTo(r.right() - top, r.top());
    path.arcTo(QRectF(r.right() - 2 * top, r.top(), 2 * top, 2 * top), 90, -90);
    path.lineTo(r.right(), r.bottom() - bottom);
    path.arcTo(QRectF(r.right() - 2 * bottom, r.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 0,
               -90);
    path.lineTo(r.left() + bottom, r.bottom());
    path.arcTo(QRectF(r.left(), r.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 270, -90);
    path.lineTo(r.left(), r.top() + top);
    path.arcTo(QRectF(r.left(), r.top(), 2 * top, 2 * top), 180, -90);
    path.closeSubpath();
    return path;
}

std::uint32_t hash(std::uint32_t x, std::uint32_t y) {
    std::uint32_t h = x * 374761393u + y * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// 0..1, the same for every x: a texture that does not change along the bar tiles seamlessly
// whatever the phase at which the end piece meets the last middle copy.
double rowNoise(int y) {
    return (hash(7, static_cast<std::uint32_t>(y)) % 1000) / 999.0;
}

// Straight-grained wood: dark late-wood lines across the thickness and short pores along it.
// x and y are in unscaled pixels; the lines follow y smoothly, the pores and the noise take
// whole pixels.
double woodShade(double x, double y, int period) {
    const double lines = 0.5 + 0.5 * std::sin(y * 1.13 + 2.1 * std::sin(y * 0.23));
    const double bands = 0.5 + 0.5 * std::sin(y * 0.31 + 1.0);
    double shade = 1.0 - 0.09 * std::pow(lines, 3.0) - 0.04 * bands - 0.03 * rowNoise(int(y));
    const int column = int(x) % period;
    for (int dash = 0; dash < 4; ++dash) {
        const int from = (column - dash + period) % period;
        if (hash(static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(int(y))) % 1000 < 6)
            shade -= 0.045;
    }
    return shade;
}

double brushedShade(double x, double y, int period) {
    const double grain =
        (hash(static_cast<std::uint32_t>(int(x) % period), static_cast<std::uint32_t>(int(y))) %
         100) /
        99.0;
    return 1.0 + 0.05 * (rowNoise(int(y)) - 0.5) + 0.012 * (grain - 0.5);
}

QColor mix(const QColor &a, const QColor &b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

QColor shaded(const QColor &colour, double factor) {
    return QColor::fromRgbF(std::clamp(colour.redF() * factor, 0.0, 1.0),
                            std::clamp(colour.greenF() * factor, 0.0, 1.0),
                            std::clamp(colour.blueF() * factor, 0.0, 1.0));
}

// The bar's surface at `scale` pixels per unscaled pixel.
QImage material(const BarLook &look, int width, int thickness, int band, int scale) {
    QImage image(width * scale, thickness * scale, QImage::Format_RGB32);
    for (int row = 0; row < image.height(); ++row) {
        const double y = double(row) / scale;
        const QColor base =
            y <= band ? look.band
                      : mix(look.bodyTop, look.bodyBottom, (y - band) / (thickness - band));
        for (int column = 0; column < image.width(); ++column) {
            const double x = double(column) / scale;
            double factor = 1.0;
            if (look.texture == Texture::WoodGrain)
                factor = woodShade(x, y, look.middleWidth);
            else if (look.texture == Texture::Brushed)
                factor = brushedShade(x, y, look.middleWidth);
            image.setPixelColor(column, row, shaded(base, factor));
        }
    }
    return image;
}

QImage paintPiece(const BarLook &look, Piece piece, int width, int thickness, int band, int scale) {
    QImage image(width * scale, thickness * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(look.surround);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);

    // The outline runs on past the piece's open sides, so neighbouring pieces join up.
    const qreal overhang = 2 * look.bottomRadius + 8;
    const qreal left = piece == Piece::Start ? 0 : -overhang;
    const qreal right = piece == Piece::End ? width : width + overhang;
    const QRectF body(left, 0, right - left, thickness);
    painter.fillPath(barOutline(body, look.topRadius, look.bottomRadius), look.outline);
    const QPainterPath inner = barOutline(
        body.adjusted(1, 1, -1, -1), std::max<qreal>(look.topRadius - 1, 0), look.bottomRadius - 1);
    QBrush surface(material(look, width, thickness, band, scale));
    surface.setTransform(QTransform::fromScale(1.0 / scale, 1.0 / scale));
    painter.fillPath(inner, surface);
    painter.setClipPath(inner);

    if (look.glossAlpha > 0) {
        QLinearGradient gloss(0, 1, 0, band + 1);
        gloss.setColorAt(0, QColor(255, 255, 255, look.glossAlpha));
        gloss.setColorAt(1, QColor(255, 255, 255, look.glossAlpha / 5));
        painter.fillRect(QRectF(left, 1, right - left, band), gloss);
    }
    painter.fillRect(QRectF(left, band + 1, right - left, 1), look.grooveDark);
    painter.fillRect(QRectF(left, band + 2, right - left, 1), look.grooveLight);

    if (look.endShade > 0 && piece != Piece::Middle) {
        const qreal edge = piece == Piece::Start ? 1 : width - 1;
        const qreal inward = piece == Piece::Start ? 7 : -7;
        QLinearGradient shade(edge, 0, edge + inward, 0);
        shade.setColorAt(0, QColor(60, 30, 5, look.endShade));
        shade.setColorAt(1, QColor(60, 30, 5, 0));
        painter.fillRect(QRect(0, 0, width, thickness), shade);
    }

    // A bevel: light along the measuring edge, shadow along the back.
    QLinearGradient rim(0, 0, 0, thickness);
    rim.setColorAt(0, look.rimLight);
    rim.setColorAt(0.4, Qt::transparent);
    rim.setColorAt(0.7, Qt::transparent);
    rim.setColorAt(1, look.rimShadow);
    painter.setPen(QPen(QBrush(rim), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(inner);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

BarPieces paintBarPieces(const BarLook &look, const SectionLayout &layout, bool vertical,
                         int scale) {
    const int thickness = layout.ruleHeight;
    const int band = layout.band;
    BarPieces pieces{paintPiece(look, Piece::Start, ArtSize::endPiece, thickness, band, scale),
                     paintPiece(look, Piece::Middle, look.middleWidth, thickness, band, scale),
                     paintPiece(look, Piece::End, ArtSize::endPiece, thickness, band, scale)};
    if (vertical)
        pieces = {transposed(pieces.start), transposed(pieces.middle), transposed(pieces.end)};
    return pieces;
}
