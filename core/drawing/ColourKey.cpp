#include "core/drawing/ColourKey.h"

QImage asRgb32(const QImage &image) {
    return image.format() == QImage::Format_RGB32 ? image
                                                  : image.convertToFormat(QImage::Format_RGB32);
}

QImage transparentByColour(const QImage &image, const QColor &key) {
    const QImage source =
        image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32) : asRgb32(image);
    QImage result(source.size(), QImage::Format_ARGB32);
    const QRgb keyRgb = key.rgb() & RGB_MASK;
    // RGB32 pixels carry 0xFF in their top byte, ARGB32 pixels their own alpha: either way
    // the pixel can be taken over as it is.
    const int width = source.width();
    for (int y = 0; y < source.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *to = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < width; ++x)
            to[x] = (from[x] & RGB_MASK) == keyRgb ? 0 : from[x];
    }
    return result;
}
