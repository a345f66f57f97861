#include "core/settings/DataFolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Entries of every data folder of one kind, sorted by name without regard to case as a file
// manager shows them; a name seen in an earlier folder is not repeated.
QStringList listEntries(const QString &cestaProgramu, const QString &kind,
                        const QStringList &patterns, QDir::Filters filters) {
    QStringList names;
    for (const QString &folder : dataFolders(cestaProgramu, kind)) {
        const QStringList found =
            QDir(folder).entryList(patterns, filters, QDir::Name | QDir::IgnoreCase);
        for (const QString &name : found) {
            if (!names.contains(name, Qt::CaseInsensitive))
                names.append(name);
        }
    }
    return names;
}

} // namespace

QStringList dataFolders(const QString &cestaProgramu, const QString &kind) {
    return {cestaProgramu + kind};
}

QStringList languageFiles(const QString &cestaProgramu) {
    // Without QDir::System, sockets, devices and broken links stay out; folders called x.lng
    // are not files at all.
    return listEntries(cestaProgramu, QStringLiteral("jazyky"), {QStringLiteral("*.lng")},
                       QDir::Files | QDir::Hidden);
}

QStringList skinFolders(const QString &cestaProgramu) {
    QStringList skins =
        listEntries(cestaProgramu, QStringLiteral("skin"), {}, QDir::Dirs | QDir::NoDotAndDotDot);
    skins.removeIf([](const QString &name) { return name.contains(u'.'); });
    return skins;
}

QString dataFile(const QString &cestaProgramu, const QString &kind, const QString &name) {
    const QStringList folders = dataFolders(cestaProgramu, kind);
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo::exists(path))
            return path;
    }
    return QDir(folders.first()).filePath(name);
}
