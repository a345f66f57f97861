#include "core/help/ChmFile.h"

#include "core/help/ChmLibrary.h"

#include <QFile>
#include <QFileInfo>
#include <chm_lib.h>

namespace {

// No page, picture or style sheet of a help file comes near this.
constexpr LONGUINT64 largestObject = 32 * 1024 * 1024;

int collect(chmFile *, chmUnitInfo *unit, void *context) {
    const QString path = QString::fromUtf8(unit->path);
    // System entries start with "#" or "$"; folders end with "/".
    if (path.startsWith(u'/') && path.size() > 1 && !path.endsWith(u'/') &&
        !path.startsWith(QLatin1String("/#")) && !path.startsWith(QLatin1String("/$")))
        static_cast<QStringList *>(context)->append(path.mid(1));
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

ChmFile::ChmFile(const ChmLibrary &library, const QString &fileName)
    : m_library(library), m_fileName(fileName) {
    if (!library.isLoaded() || !QFileInfo(fileName).isFile())
        return;
    m_file = library.open(QFile::encodeName(fileName).constData());
    if (m_file)
        library.enumerate(m_file, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collect, &m_files);
}

ChmFile::~ChmFile() {
    if (m_file)
        m_library.close(m_file);
}

QString ChmFile::stored(const QString &path) const {
    QString wanted = path;
    while (wanted.startsWith(u'/'))
        wanted.remove(0, 1);
    for (const QString &file : m_files)
        if (file.compare(wanted, Qt::CaseInsensitive) == 0)
            return file;
    return QString();
}

bool ChmFile::contains(const QString &path) const {
    return !stored(path).isEmpty();
}

std::optional<QByteArray> ChmFile::read(const QString &path) const {
    const QString file = stored(path);
    if (!m_file || file.isEmpty())
        return std::nullopt;
    chmUnitInfo unit{};
    const QByteArray name = QByteArray("/") + file.toUtf8();
    if (m_library.resolve(m_file, name.constData(), &unit) != CHM_RESOLVE_SUCCESS ||
        unit.length > largestObject)
        return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
    const LONGINT64 got =
        m_library.retrieve(m_file, &unit, reinterpret_cast<unsigned char *>(bytes.data()), 0,
                           static_cast<LONGINT64>(unit.length));
    if (got != static_cast<LONGINT64>(unit.length))
        return std::nullopt;
    return bytes;
}

QString ChmFile::firstWithExtension(const QString &extension) const {
    for (const QString &file : m_files)
        if (QFileInfo(file).suffix().compare(extension, Qt::CaseInsensitive) == 0)
            return file;
    return QString();
}
