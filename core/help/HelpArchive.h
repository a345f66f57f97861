#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// The files of a compiled help file, held in memory once a reader has taken them out of it.
// Paths are given without the leading "/" ("cz/index.html") and match without regard to case,
// as the help compiler and the pages' links do not always agree on it. Nothing here touches
// the file system, so whatever a page names, only what came out of the help file is shown.
class HelpArchive {
public:
    explicit HelpArchive(const QString &fileName = QString()) : m_fileName(fileName) {}

    const QString &fileName() const { return m_fileName; }
    // Every file, in the order the help file lists them.
    const QStringList &files() const { return m_files; }
    bool contains(const QString &path) const;
    std::optional<QByteArray> read(const QString &path) const;
    // The first file with this extension ("hhc", "hhk"), or an empty string.
    QString firstWithExtension(const QString &extension) const;

    // Adds a file; a second file of the same name (in any case) is ignored.
    void add(const QString &path, const QByteArray &bytes);

private:
    QString m_fileName;
    QStringList m_files;
    QHash<QString, QByteArray> m_bytes; // by the path in lower case
};
