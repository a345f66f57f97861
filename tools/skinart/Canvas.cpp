#include "Canvas.h"

#include "SkinArt.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

QImage newCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage flattenOnBar(const QImage &drawing, const QImage &under, QPoint origin) {
    const QImage over = drawing.convertToFormat(QImage::Format_ARGB32);
    QImage out(over.size(), QImage::Format_RGB32);
    for (int y = 0; y < over.height(); ++y) {
        for (int x = 0; x < over.width(); ++x) {
            const QRgb top = over.pixel(x, y);
            const int alpha = qAlpha(top);
            if (alpha == 0) {
                out.setPixel(x, y, keyColour.rgb());
                continue;
            }
            const QPoint at(std::clamp(origin.x() + x, 0, under.width() - 1),
                            std::clamp(origin.y() + y, 0, under.height() - 1));
            const QRgb bottom = under.pixel(at);
            const auto mix = [alpha](int a, int b) {
                return (a * alpha + b * (255 - alpha)) / 255;
            };
            QRgb blended = qRgb(mix(qRed(top), qRed(bottom)), mix(qGreen(top), qGreen(bottom)),
                                mix(qBlue(top), qBlue(bottom)));
            if (blended == keyColour.rgb())
                blended = qRgb(254, 0, 255);
            out.setPixel(x, y, blended);
        }
    }
    const QPoint bottomLeft(0, out.height() - 1);
    if (out.pixel(bottomLeft) != keyColour.rgb()) {
        std::fprintf(stderr, "warning: a drawing covers its bottom-left key pixel\n");
        out.setPixel(bottomLeft, keyColour.rgb());
    }
    return out;
}

QImage transposed(const QImage &image) {
    QImage out(image.height(), image.width(), image.format());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.setPixel(y, x, image.pixel(x, y));
    return out;
}

QImage composeBar(const QImage &start, const QImage &middle, const QImage &end, int length,
                  bool vertical) {
    const auto along = [vertical](const QImage &piece) {
        return vertical ? piece.height() : piece.width();
    };
    const int thickness = vertical ? start.width() : start.height();
    QImage bar(vertical ? QSize(thickness, length) : QSize(length, thickness),
               QImage::Format_RGB32);
    QPainter painter(&bar);
    const auto put = [&](const QImage &piece, int offset) {
        painter.drawImage(vertical ? QPoint(0, offset) : QPoint(offset, 0), piece);
    };
    put(start, 0);
    const int copies = (length - along(start) - along(end)) / along(middle);
    for (int j = 0; j <= copies; ++j)
        put(middle, along(start) + j * along(middle));
    put(end, length - along(end));
    return bar;
}

QRect placeControl(QPoint place, QSize size, QSize window, bool rightEdge) {
    const int x = place.x() >= 0 ? place.x() - (rightEdge ? size.width() : 0)
                                 : window.width() + place.x() - size.width();
    const int y = place.y() >= 0 ? place.y() : window.height() + place.y() - size.height();
    return {QPoint(x, y), size};
}

static void save(const QImage &image, const QString &path, const char *format) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, format)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

void saveBmp(const QImage &image, const QString &path) {
    // An opaque 32-bit image is written as a 24-bit BMP, which every bitmap reader takes.
    save(image.convertToFormat(QImage::Format_RGB32), path, "BMP");
}

void saveBmpWithAlpha(const QImage &image, const QString &path) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    const quint32 headerSize = 108; // BITMAPV4HEADER
    const quint32 dataOffset = 14 + headerSize;
    const quint32 dataSize = quint32(pixels.width() * pixels.height() * 4);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(dataOffset + dataSize) << quint32(0) << dataOffset;
    out << headerSize << qint32(pixels.width()) << qint32(pixels.height()) << quint16(1)
        << quint16(32) << quint32(3) /* BI_BITFIELDS */ << dataSize << qint32(2835) << qint32(2835)
        << quint32(0) << quint32(0);
    out << quint32(0x00ff0000) << quint32(0x0000ff00) << quint32(0x000000ff) << quint32(0xff000000);
    out << quint32(0x73524742); // "sRGB": no end points or gamma follow
    for (int i = 0; i < 12; ++i)
        out << quint32(0);
    // Bottom row first, each pixel as 0xAARRGGBB.
    for (int y = pixels.height() - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            out << quint32(row[x]);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

void savePng(const QImage &image, const QString &path) {
    save(image, path, "PNG");
}
