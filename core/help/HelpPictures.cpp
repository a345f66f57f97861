#include "core/help/HelpPictures.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

const char *HelpPictures::format(const QByteArray &bytes) {
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (bytes.startsWith("\xff\xd8\xff"))
        return "jpeg";
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return "gif";
    if (bytes.startsWith("BM"))
        return "bmp";
    return nullptr;
}

QImage HelpPictures::placeholder() {
    // A light frame the size of a small icon: the reader sees that a picture stood here.
    constexpr int side = 24;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0xf0, 0xf0, 0xf0));
    QPainter painter(&image);
    painter.setPen(QColor(0xa0, 0xa0, 0xa0));
    painter.drawRect(0, 0, side - 1, side - 1);
    return image;
}

void HelpPictures::newPage() {
    m_decoded.clear();
    m_used = 0;
}

QImage HelpPictures::picture(const QString &path, const std::optional<QByteArray> &bytes) {
    const QString key = path.toLower();
    const auto known = m_decoded.constFind(key);
    if (known != m_decoded.constEnd())
        return *known;
    const QImage image = bytes ? decode(*bytes) : QImage();
    const QImage shown = image.isNull() ? placeholder() : image;
    m_decoded.insert(key, shown);
    return shown;
}

QImage HelpPictures::decode(const QByteArray &bytes) {
    const char *type = format(bytes);
    if (!type)
        return QImage();
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, type);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    const qint64 pixels = qint64(size.width()) * size.height();
    if (size.isEmpty() || size.width() > largestSide || size.height() > largestSide ||
        m_used + pixels > pixelBudget)
        return QImage();
    QImage image = reader.read();
    if (image.size() != size)
        return QImage();
    m_used += pixels;
    return image;
}
