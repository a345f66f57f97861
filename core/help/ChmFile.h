#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class ChmLibrary;
struct chmFile;

// One compiled HTML help file opened through chmlib. chmlib trusts the file it reads, so only
// the help file reader, a child process with hard limits, opens one; the ruler sees the files
// it hands over (HelpArchive).
class ChmFile {
public:
    ChmFile(const ChmLibrary &library, const QString &fileName);
    ~ChmFile();
    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    bool isOpen() const { return m_file != nullptr; }

    // Every ordinary file inside, without chmlib's own system entries, without the leading "/"
    // ("cz/index.html"); one more than the reader hands over when the file has more.
    const QStringList &files() const { return m_files; }
    // The bytes of a file named as files() names it, or nothing when it is missing,
    // unreadable or larger than the reader hands over.
    std::optional<QByteArray> read(const QString &path) const;

private:
    const ChmLibrary &m_library;
    chmFile *m_file = nullptr;
    QStringList m_files;
};
