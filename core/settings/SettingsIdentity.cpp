#include "core/settings/SettingsIdentity.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

QString canonicalSettingsFile(const QString &path) {
    QFileInfo file(path);
    // A loop of links ends somewhere; the kernel gives up after 40 as well.
    for (int depth = 0; file.isSymLink() && depth < 40; ++depth)
        file.setFile(file.symLinkTarget());
    const QString folder = file.absoluteDir().canonicalPath();
    return folder.isEmpty() ? file.absoluteFilePath() : folder + u'/' + file.fileName();
}

QString settingsFileKey(const QString &settingsFile) {
    const QByteArray hash = QCryptographicHash::hash(canonicalSettingsFile(settingsFile).toUtf8(),
                                                     QCryptographicHash::Sha256);
    return QString::fromLatin1(hash.toHex().left(32));
}

QString rulerBusName(const QString &settingsFile) {
    // A bus name's element must not start with a digit.
    return QStringLiteral("tavlinko.Ruler.f") + settingsFileKey(settingsFile);
}
