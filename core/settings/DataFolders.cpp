#include "core/settings/DataFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

QString withSeparator(const QString &folder) {
    QString native = QDir::toNativeSeparators(folder);
    if (!native.endsWith(QDir::separator()))
        native += QDir::separator();
    return native;
}

// Entries of every data folder of one kind whose names end with `suffix` in any letter case,
// sorted by name without regard to case as a file manager shows them; a name seen in an earlier
// folder is not repeated. The suffix is compared as text: a wildcard pattern would compile a
// regular expression engine into the start of the ruler.
QStringList listEntries(const QString &cestaProgramu, const QString &kind, const QString &suffix,
                        QDir::Filters filters) {
    QStringList names;
    for (const QString &folder : dataFolders(cestaProgramu, kind)) {
        const QStringList found = QDir(folder).entryList(filters);
        for (const QString &name : found) {
            if (name.endsWith(suffix, Qt::CaseInsensitive) &&
                !names.contains(name, Qt::CaseInsensitive))
                names.append(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

} // namespace

QString shippedDataFolder(const QString &cestaProgramu) {
    for (const char *kind : {"skin", "jazyky"})
        if (QFileInfo(cestaProgramu + QLatin1String(kind)).isDir())
            return cestaProgramu;
    return withSeparator(QDir::cleanPath(cestaProgramu + QStringLiteral("../share/tavlinko")));
}

bool isInstalled(const QString &cestaProgramu) {
    const QString data = shippedDataFolder(cestaProgramu);
    return data != cestaProgramu && QFileInfo(data).isDir();
}

QString userDataFolder() {
    return withSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/tavlinko"));
}

QStringList dataFolders(const QString &cestaProgramu, const QString &kind) {
    return {withSeparator(userDataFolder() + kind),
            withSeparator(shippedDataFolder(cestaProgramu) + kind)};
}

QStringList languageFiles(const QString &cestaProgramu) {
    // Without QDir::System, sockets, devices and broken links stay out; folders called x.lng
    // are not files at all.
    return listEntries(cestaProgramu, QStringLiteral("jazyky"), QStringLiteral(".lng"),
                       QDir::Files | QDir::Hidden);
}

QStringList skinFolders(const QString &cestaProgramu) {
    QStringList skins = listEntries(cestaProgramu, QStringLiteral("skin"), QString(),
                                    QDir::Dirs | QDir::NoDotAndDotDot);
    skins.removeIf([](const QString &name) { return name.contains(u'.'); });
    return skins;
}

QString dataFile(const QString &cestaProgramu, const QString &kind, const QString &name) {
    const QStringList folders = dataFolders(cestaProgramu, kind);
    for (const QString &folder : folders)
        if (QFileInfo::exists(folder + name))
            return folder + name;
    return folders.last() + name;
}

QString languageEditingFolder(const QString &cestaProgramu) {
    const QStringList folders = dataFolders(cestaProgramu, QStringLiteral("jazyky"));
    const QString folder = isInstalled(cestaProgramu) ? folders.first() : folders.last();
    QDir().mkpath(folder);
    return folder;
}

QString editableLanguageFile(const QString &cestaProgramu, const QString &name) {
    const QString file = dataFile(cestaProgramu, QStringLiteral("jazyky"), name);
    const QString own = dataFolders(cestaProgramu, QStringLiteral("jazyky")).first();
    if (!isInstalled(cestaProgramu) || file.startsWith(own) || !QFileInfo(file).isFile())
        return file;
    if (!QDir().mkpath(own) || !QFile::copy(file, own + name))
        return file;
    // The package's files are read-only; the user's copy is theirs to change.
    const auto writable =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(own + name, writable);
    const QString flag = QFileInfo(name).completeBaseName() + QStringLiteral(".bmp");
    const QString shippedFlag = QFileInfo(file).dir().filePath(flag);
    if (QFileInfo(shippedFlag).isFile() && QFile::copy(shippedFlag, own + flag))
        QFile::setPermissions(own + flag, writable);
    return own + name;
}
