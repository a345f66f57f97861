#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// One section with its entries (key and value as readString gives it), for the sections that
// come in numbers: one for each monitor.
struct IniSection {
    QString name;
    QList<std::pair<QString, QString>> entries;
};

// An INI file with the usual profile semantics: section and key names match without regard to
// letter case, values are trimmed and lose one pair of double quotes around the whole value, a
// missing file reads as empty. Edits are collected in memory
// and reach the disk only through save(), in one atomic write, so a crash or a full disk never
// leaves half a settings file behind. Comments, blank lines and keys this program does not know
// survive an edit where they stand.
class IniFile {
public:
    // Reads the file at once (UTF-8 or Windows-1250); the file need not exist. Something at
    // path that is not read in full (a FIFO, a device, a file beyond the size cap, a file
    // without read permission) reads as empty and is never replaced by save().
    explicit IniFile(const QString &path);

    const QString &path() const { return m_path; }

    bool sectionExists(const QString &section) const;
    bool keyExists(const QString &section, const QString &key) const;
    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue) const;
    // Decimal, "$" hex or "0x" hex; a value that is not such a number gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;

    // An existing key is replaced where it stands, a new key goes to the end of its section, a
    // new section to the end of the file.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    // Removes every section of that name together with its lines.
    void eraseSection(const QString &section);

    // The sections whose names start with prefix (without regard to letter case), in the order
    // of the file, read in one pass: looking each one up by name would take time growing with
    // the square of their number.
    QList<IniSection> sectionsStartingWith(const QString &prefix) const;
    // Removes the sections whose names start with prefix and appends these in their order, in
    // one pass. Unchanged sections leave the file unedited.
    void replaceSectionsStartingWith(const QString &prefix, const QList<IniSection> &sections);
    // The file would be more than maxBytes: removes the first sections whose names start with
    // prefix, as few as make it fit, and returns their names. When removing all of them would
    // not be enough, removes none.
    QStringList dropSectionsToFit(const QString &prefix, qint64 maxBytes);
    // The bytes save() writes.
    qint64 encodedSize() const;

    // True when edits are waiting for save().
    bool isModified() const { return m_modified; }

    // Writes the whole file (UTF-8) when it was edited, with the line end the file mostly had;
    // an unedited file is not touched. Returns false when the file cannot be written or would
    // be larger than the reader takes (TextFileSizeCap), and the old file then stays as it
    // was; errorString() says why.
    bool save();
    QString errorString() const { return m_errorString; }

private:
    // Index range [header, end) of a section's lines; header is -1 when there is no section.
    struct SectionRange {
        int header = -1;
        int end = -1;
    };
    SectionRange findSection(const QString &section, int from = 0) const;
    int findKey(const SectionRange &range, const QString &key) const;
    // Calls visit(name, header, end) for each section whose name starts with prefix.
    template <typename Visit>
    void forSectionsStartingWith(const QString &prefix, Visit visit) const;
    QString encodedText() const;
    // The lines outside these ranges, which follow each other in the file.
    QStringList linesWithout(const QList<SectionRange> &ranges) const;

    QString m_path;
    QStringList m_lines;
    QString m_lineEnding;
    bool m_modified = false;
    QString m_errorString;
    QString m_unsafeToReplace; // why the file on disk must not be overwritten, if it must not
};

// Integer text in the forms readInteger accepts: optional sign, then decimal digits, "$" hex or
// "0x" hex. Hex values up to FFFFFFFF are taken as 32-bit patterns (so "$FFFFFFFF" is -1).
int parseIniInteger(const QString &text, bool *ok);
