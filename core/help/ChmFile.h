#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class ChmLibrary;
struct chmFile;

// One compiled HTML help file opened through chmlib. Paths inside the file are given without
// the leading "/" ("cz/index.html") and match without regard to case, as the help compiler
// and the pages' links do not always agree on it.
class ChmFile {
public:
    ChmFile(const ChmLibrary &library, const QString &fileName);
    ~ChmFile();
    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    bool isOpen() const { return m_file != nullptr; }
    const QString &fileName() const { return m_fileName; }

    // Every ordinary file inside, without chmlib's own system entries.
    const QStringList &files() const { return m_files; }
    bool contains(const QString &path) const;
    // The bytes of a file inside, or nothing when it is missing, unreadable or absurdly large.
    std::optional<QByteArray> read(const QString &path) const;
    // The first file with this extension ("hhc", "hhk"), or an empty string.
    QString firstWithExtension(const QString &extension) const;

private:
    QString stored(const QString &path) const;

    const ChmLibrary &m_library;
    QString m_fileName;
    chmFile *m_file = nullptr;
    QStringList m_files;
};
