#include "core/help/HelpLocation.h"

#include <QDir>
#include <QFileInfo>

QStringList helpFileFolders(const QString &programFolder) {
    return {QDir::currentPath(), programFolder};
}

QString ResolveHelpFile(const QString &name, const QString &programFolder) {
    if (name.isEmpty())
        return QString();
    if (QFileInfo(name).isAbsolute())
        return QFileInfo(name).isFile() ? name : QString();
    for (const QString &folder : helpFileFolders(programFolder)) {
        const QFileInfo candidate(QDir(folder), name);
        if (!folder.isEmpty() && candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return QString();
}

QString helpReaderProgram(const QString &programFolder) {
    const QString name = QStringLiteral("tavlinko-help-reader");
    const QDir folder(programFolder);
    const QStringList candidates = {folder.filePath(name),
                                    folder.filePath(QStringLiteral("../libexec/tavlinko/") + name)};
    for (const QString &candidate : candidates)
        if (QFileInfo(candidate).isExecutable())
            return QDir::cleanPath(candidate);
    return candidates.first();
}
