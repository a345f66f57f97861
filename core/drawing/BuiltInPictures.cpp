#include "core/drawing/BuiltInPictures.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

QImage readPicture(QIODevice &device, const QByteArray &format) {
    QImageReader reader(&device, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage builtInPicture(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return readPicture(file, QFileInfo(path).suffix().toLower().toLatin1());
}

QIcon builtInIcon(const QString &path) {
    QIcon icon;
    const QImage plain = builtInPicture(path);
    if (plain.isNull())
        return icon;
    icon.addPixmap(QPixmap::fromImage(plain));
    QString sharpPath = path;
    sharpPath.insert(sharpPath.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    QImage sharp = builtInPicture(sharpPath);
    if (!sharp.isNull()) {
        // Offered at its own size: a desktop then takes it where it shows the icon larger, and
        // the icon still picks it for a small size on a dense screen.
        sharp.setDevicePixelRatio(1);
        icon.addPixmap(QPixmap::fromImage(sharp));
    }
    return icon;
}
