// Skin bitmaps whose pixels are not all there are refused; a picture's alpha never hides it.

#include "core/skins/BitmapFile.h"

#include <QBuffer>
#include <QDataStream>
#include <QtTest>

namespace {

QByteArray bmpOf(const QImage &image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QByteArray solid(QSize size, QImage::Format format, QRgb colour) {
    QImage image(size, format);
    image.fill(colour);
    return bmpOf(image);
}

// A 4 x 2, 8-bit RLE picture with a two-colour palette, followed by the given stream.
QByteArray rle8(const QByteArray &stream) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 offset = 14 + 40 + 2 * 4;
    out.writeRawData("BM", 2);
    out << quint32(offset + stream.size()) << quint32(0) << offset;
    out << quint32(40) << qint32(4) << qint32(2) << quint16(1) << quint16(8) << quint32(1)
        << quint32(stream.size()) << qint32(2835) << qint32(2835) << quint32(2) << quint32(2);
    out << quint32(0x000000) << quint32(0x00FF00);
    out.writeRawData(stream.constData(), int(stream.size()));
    return bytes;
}

// A 2 x 2, 32-bit picture with an alpha mask in a version 4 header, every pixel the same.
QByteArray argb32(QRgb pixel) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 offset = 14 + 108;
    out.writeRawData("BM", 2);
    out << quint32(offset + 16) << quint32(0) << offset;
    out << quint32(108) << qint32(2) << qint32(2) << quint16(1) << quint16(32) << quint32(3)
        << quint32(16) << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
    out << quint32(0x00FF0000) << quint32(0x0000FF00) << quint32(0x000000FF) << quint32(0xFF000000)
        << quint32(0x73524742); // masks, then sRGB
    out.writeRawData(QByteArray(36 + 12, '\0').constData(), 48);
    for (int i = 0; i < 4; ++i)
        out << quint32(pixel);
    return bytes;
}

// The same picture stored top-down, as some programs write it: a negative height, the first
// row in the file the top one.
QByteArray topDown(const QByteArray &bottomUp) {
    QByteArray bytes = bottomUp;
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    quint32 offset = 0;
    qint32 width = 0, height = 0;
    quint16 bits = 0;
    in.skipRawData(10);
    in >> offset;
    in.skipRawData(4);
    in >> width >> height;
    in.skipRawData(2);
    in >> bits;
    const int rowSize = (bits * width + 31) / 32 * 4;
    for (int row = 0; row < height; ++row)
        bytes.replace(offset + row * rowSize, rowSize,
                      bottomUp.mid(offset + (height - 1 - row) * rowSize, rowSize));
    const qint32 negative = -height;
    bytes.replace(22, 4, QByteArray(reinterpret_cast<const char *>(&negative), 4));
    return bytes;
}

} // namespace

class TestBitmapFile : public QObject {
    Q_OBJECT

private slots:
    void completeness_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        const QByteArray rgb = solid({5, 3}, QImage::Format_RGB32, qRgb(1, 2, 3));
        const QByteArray mono = solid({9, 2}, QImage::Format_Mono, 1);
        QTest::newRow("24-bit whole") << rgb << true;
        QTest::newRow("24-bit, last padding byte cut") << rgb.chopped(1) << false;
        QTest::newRow("24-bit with bytes after the pixels") << rgb + "junk" << true;
        QTest::newRow("1-bit whole") << mono << true;
        QTest::newRow("1-bit, a row short") << mono.chopped(4) << false;
        QTest::newRow("top-down whole") << topDown(rgb) << true;
        QTest::newRow("top-down, a row short") << topDown(rgb).chopped(16) << false;
        QTest::newRow("header only") << rgb.left(54) << false;
        QTest::newRow("file header cut") << rgb.left(20) << false;
        QTest::newRow("no bitmap") << QByteArray("not a bitmap") << false;
        QTest::newRow("RLE ending its picture")
            << rle8(QByteArray("\x04\x01\x00\x00\x04\x01\x00\x01", 8)) << true;
        QTest::newRow("RLE ending every row")
            << rle8(QByteArray("\x04\x01\x00\x00\x04\x01\x00\x00", 8)) << true;
        QTest::newRow("RLE cut after a row") << rle8(QByteArray("\x04\x01\x00\x00", 4)) << false;
        QTest::newRow("RLE cut inside literal pixels")
            << rle8(QByteArray("\x00\x04\x01\x01", 4)) << false;
    }
    void completeness() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QCOMPARE(bitmapDataComplete(bytes), valid);
        QCOMPARE(decodeSkinBitmap(bytes).isNull(), !valid);
    }

    // A top-down file shows the same picture as its bottom-up twin, not upside down.
    void topDownReadsTheRightWayUp() {
        QImage picture(3, 2, QImage::Format_RGB32);
        picture.setPixel(0, 0, qRgb(255, 0, 0));
        picture.setPixel(1, 0, qRgb(0, 255, 0));
        picture.setPixel(2, 0, qRgb(0, 0, 255));
        for (int x = 0; x < 3; ++x)
            picture.setPixel(x, 1, qRgb(10, 20, 30));
        const QImage read =
            decodeSkinBitmap(topDown(bmpOf(picture.convertToFormat(QImage::Format_RGB888))));
        QCOMPARE(read.convertToFormat(QImage::Format_RGB32), picture);
    }

    void alphaNeverHidesAPicture() {
        const QImage image = decodeSkinBitmap(argb32(qRgba(10, 20, 30, 0)));
        QVERIFY(!image.hasAlphaChannel());
        QCOMPARE(image.pixel(1, 1), qRgb(10, 20, 30));
    }
};

QTEST_GUILESS_MAIN(TestBitmapFile)
#include "tst_bitmapfile.moc"
