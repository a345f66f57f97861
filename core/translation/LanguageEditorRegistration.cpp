// Finding the external language editor and registering the program's definition with it.
#include "core/translation/LangTranslator.h"

#include "core/translation/FileError.h"
#include "core/translation/LanguageFileText.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {

QString fileNamePart(const QString &path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}

QString inFolder(const QString &folder, const QString &name) {
    const bool hasSeparator = folder.endsWith(u'/') || folder.endsWith(u'\\');
    return hasSeparator ? folder + name : folder + u'/' + name;
}

QString programsIni(const QString &editorFolder) {
    const QString path = inFolder(editorFolder, QStringLiteral("programs.ini"));
    if (!QFileInfo::exists(path))
        throw FileError(FileError::Missing, path, QStringLiteral("File not found: %1").arg(path));
    return path;
}

} // namespace

QString TLangTranslator::EditorProgram(const QString &folder) {
#ifdef Q_OS_WIN
    return inFolder(folder, QStringLiteral("vokabiler.exe"));
#else
    return inFolder(folder, QStringLiteral("vokabiler"));
#endif
}

QString TLangTranslator::GetEditorFolder() const {
    QSettings editor(QStringLiteral("Brindova"), QStringLiteral("Vokabiler"));
    if (!editor.contains(QStringLiteral("Path")))
        return QString();
    const QString folder = editor.value(QStringLiteral("Path")).toString();
    // A stale entry is dropped so that the next look-up reports the editor as not installed.
    if (!QFileInfo::exists(EditorProgram(folder)))
        editor.remove(QStringLiteral("Path"));
    return folder;
}

bool TLangTranslator::IsRegisteredWithEditor(const QString &definitionPath) const {
    const QString folder = GetEditorFolder();
    if (folder.isEmpty())
        return false;
    const QStringList lines = readLines(programsIni(folder));
    const QString name = fileNamePart(definitionPath);
    for (QString line : lines) {
        if (line.isEmpty())
            continue;
        // "title = definition;program": drop the title with "=" and the blank after it.
        line.remove(0, line.indexOf(u'=') + 2);
        line = withoutLeadingBlanks(line);
        const qsizetype semicolon = line.indexOf(u';');
        if (semicolon >= 0)
            line.truncate(semicolon);
        if (fileNamePart(line).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void TLangTranslator::RegisterWithEditor(const QString &title, const QString &definitionPath,
                                         const QString &programPath) const {
    const QString folder = GetEditorFolder();
    if (folder.isEmpty())
        return;
    QFile file(programsIni(folder));
    const QByteArray line = (title + QStringLiteral(" = ") + definitionPath + u';' + programPath +
                             QStringLiteral("\r\n"))
                                .toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(line) != line.size())
        throw FileError(
            FileError::Unwritable, file.fileName(),
            QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString()));
}
