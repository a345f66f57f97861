#include "core/help/ChmFile.h"

#include "core/help/ChmLibrary.h"
#include "core/help/HelpTransfer.h"

#include <QFile>
#include <QFileInfo>
#include <chm_lib.h>

namespace {

int collect(chmFile *, chmUnitInfo *unit, void *context) {
    auto *files = static_cast<QStringList *>(context);
    if (files->size() > HelpTransfer::mostFiles)
        return CHM_ENUMERATOR_SUCCESS;
    const QString path = QString::fromUtf8(unit->path);
    // System entries start with "#" or "$"; folders end with "/".
    if (path.startsWith(u'/') && path.size() > 1 && !path.endsWith(u'/') &&
        !path.startsWith(QLatin1String("/#")) && !path.startsWith(QLatin1String("/$")))
        files->append(path.mid(1));
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

ChmFile::ChmFile(const ChmLibrary &library, const QString &fileName) : m_library(library) {
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

std::optional<QByteArray> ChmFile::read(const QString &path) const {
    if (!m_file || path.isEmpty())
        return std::nullopt;
    chmUnitInfo unit{};
    const QByteArray name = QByteArray("/") + path.toUtf8();
    if (m_library.resolve(m_file, name.constData(), &unit) != CHM_RESOLVE_SUCCESS ||
        unit.length > LONGUINT64(HelpTransfer::largestFile))
        return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
    const LONGINT64 got =
        m_library.retrieve(m_file, &unit, reinterpret_cast<unsigned char *>(bytes.data()), 0,
                           static_cast<LONGINT64>(unit.length));
    if (got != static_cast<LONGINT64>(unit.length))
        return std::nullopt;
    return bytes;
}
