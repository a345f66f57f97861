#include "core/skins/BitmapFile.h"

#include "core/drawing/BuiltInPictures.h"
#include "core/settings/TextFile.h"

#include <QBuffer>
#include <QtEndian>

namespace {

enum Compression : quint32 { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

constexpr qsizetype fileHeaderSize = 14;
constexpr qsizetype coreHeaderSize = 12; // the old OS/2 header with 16-bit sizes

template <typename T> T field(const QByteArray &bytes, qsizetype at) {
    return qFromLittleEndian<T>(bytes.constData() + at);
}

// Walks an RLE stream from offset; true when it reaches the end of the picture (an
// end-of-bitmap mark, or as many ends of line as the picture has rows) inside the data.
bool rleComplete(const QByteArray &bytes, qsizetype offset, qint64 rows, bool fourBit) {
    qint64 linesEnded = 0;
    qsizetype at = offset;
    while (at + 2 <= bytes.size()) {
        const auto count = quint8(bytes[at]);
        const auto value = quint8(bytes[at + 1]);
        at += 2;
        if (count > 0)
            continue; // a run of one value
        if (value == 1)
            return true; // end of bitmap
        if (value == 0) {
            if (++linesEnded >= rows)
                return true;
        } else if (value == 2) {
            at += 2; // a move of the drawing position
        } else {
            // value pixels given one by one, padded to whole 16-bit words
            const qsizetype dataBytes = fourBit ? (value + 1) / 2 : value;
            at += (dataBytes + 1) / 2 * 2;
        }
    }
    return false;
}

} // namespace

bool bitmapDataComplete(const QByteArray &bytes) {
    if (bytes.size() < fileHeaderSize + 4 || !bytes.startsWith("BM"))
        return false;
    const auto offset = field<quint32>(bytes, 10);
    const auto headerSize = field<quint32>(bytes, 14);
    qint64 width = 0;
    qint64 height = 0;
    quint16 bitsPerPixel = 0;
    quint32 compression = Rgb;
    if (headerSize == coreHeaderSize) {
        if (bytes.size() < fileHeaderSize + coreHeaderSize)
            return false;
        width = field<quint16>(bytes, 18);
        height = field<quint16>(bytes, 20);
        bitsPerPixel = field<quint16>(bytes, 24);
    } else {
        if (bytes.size() < fileHeaderSize + 20)
            return false;
        width = field<qint32>(bytes, 18);
        height = qAbs(qint64(field<qint32>(bytes, 22))); // negative: rows from the top
        bitsPerPixel = field<quint16>(bytes, 28);
        compression = field<quint32>(bytes, 30);
    }
    if (width <= 0 || height <= 0 || offset >= quint32(bytes.size()))
        return false;
    switch (compression) {
    case Rgb:
    case BitFields:
    case AlphaBitFields: {
        // Rows are padded to whole 32-bit words.
        const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
        return rowBytes > 0 && height <= (bytes.size() - qint64(offset)) / rowBytes;
    }
    case Rle8:
    case Rle4:
        return rleComplete(bytes, offset, height, compression == Rle4);
    default:
        return false;
    }
}

QImage decodeSkinBitmap(const QByteArray &bytes) {
    if (!bitmapDataComplete(bytes))
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImage image = readPicture(buffer, "bmp");
    if (!image.isNull() && image.hasAlphaChannel())
        image = image.convertToFormat(QImage::Format_RGB32);
    return image;
}

QImage readSkinBitmap(const QString &path) {
    const FileContents contents = readRegularFile(path, BitmapFileSizeCap);
    return contents.status == FileContents::Read ? decodeSkinBitmap(contents.bytes) : QImage();
}
