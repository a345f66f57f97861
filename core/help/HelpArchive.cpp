#include "core/help/HelpArchive.h"

namespace {

QString key(const QString &path) {
    qsizetype start = 0;
    while (start < path.size() && path.at(start) == u'/')
        ++start;
    return path.mid(start).toLower();
}

} // namespace

bool HelpArchive::contains(const QString &path) const {
    return m_bytes.contains(key(path));
}

std::optional<QByteArray> HelpArchive::read(const QString &path) const {
    const auto found = m_bytes.constFind(key(path));
    if (found == m_bytes.cend())
        return std::nullopt;
    return *found;
}

QString HelpArchive::firstWithExtension(const QString &extension) const {
    const QString suffix = u'.' + extension;
    for (const QString &file : m_files)
        if (file.endsWith(suffix, Qt::CaseInsensitive))
            return file;
    return QString();
}

void HelpArchive::add(const QString &path, const QByteArray &bytes) {
    const QString name = key(path);
    if (name.isEmpty() || m_bytes.contains(name))
        return;
    m_files.append(path.mid(path.size() - name.size()));
    m_bytes.insert(name, bytes);
}
