#include "core/settings/IniFile.h"

#include "core/settings/TextFile.h"

#include <optional>

namespace {

// The helpers work on views of the stored lines: a lookup touches every line of the file, and
// copying each one would make reading a long unit list needlessly slow.

bool isComment(QStringView trimmed) {
    return trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

// The name of a "[name]" line; nothing for any other line.
std::optional<QStringView> sectionName(QStringView line) {
    const QStringView trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

bool isSectionLine(QStringView line) {
    return sectionName(line).has_value();
}

// The key of a "key=value" line; nothing for blank lines and comments.
std::optional<QStringView> keyName(QStringView line) {
    const QStringView trimmed = line.trimmed();
    if (trimmed.isEmpty() || isComment(trimmed))
        return std::nullopt;
    const qsizetype equals = trimmed.indexOf(u'=');
    return equals < 0 ? trimmed : trimmed.left(equals).trimmed();
}

bool isQuoted(QStringView value) {
    return value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"');
}

// Files written on Windows may put a value in double quotes, which the platform's profile
// routines drop on reading; one pair around the whole value is dropped here too.
QString lineValue(const QString &line) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return QString();
    const QString value = line.mid(equals + 1).trimmed();
    return isQuoted(value) ? value.mid(1, value.size() - 2) : value;
}

bool sameName(const std::optional<QStringView> &a, QStringView b) {
    return a && a->compare(b, Qt::CaseInsensitive) == 0;
}

// A "key=value" line that reads back as value.
QString entryLine(const QString &key, const QString &text) {
    // A line break inside a value would end it early and make the rest a line of its own.
    QString value = text;
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    // Reading drops blanks around a value and one pair of quotes; quotes of its own keep
    // both for a value that has them.
    if (isQuoted(value) || value != value.trimmed())
        value = u'"' + value + u'"';
    return key + u'=' + value;
}

// A new section starts at the end of lines, a blank line apart from the one before it.
void appendSectionHeader(QStringList &lines, const QString &section) {
    if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
        lines.append(QString());
    lines.append(u'[' + section + u']');
}

QString tooLarge() {
    return QStringLiteral("larger than %1 bytes").arg(TextFileSizeCap);
}

qint64 encodedLineSize(const QString &line, const QString &lineEnding) {
    return QStringView(line).toUtf8().size() + lineEnding.size();
}

} // namespace

IniFile::IniFile(const QString &path) : m_path(path) {
    const FileContents contents = readRegularFile(path, TextFileSizeCap);
    switch (contents.status) {
    case FileContents::Read:
    case FileContents::Missing:
        break;
    case FileContents::NotRegular:
        m_unsafeToReplace = QStringLiteral("not a regular file");
        break;
    case FileContents::TooLarge:
        m_unsafeToReplace = tooLarge();
        break;
    case FileContents::Unreadable:
        m_unsafeToReplace = contents.error;
        break;
    }
    m_lines = splitLines(decodeText(contents.bytes), &m_lineEnding);
}

IniFile::SectionRange IniFile::findSection(const QString &section, int from) const {
    SectionRange range;
    for (int i = from; i < m_lines.size(); ++i) {
        if (range.header < 0) {
            if (sameName(sectionName(m_lines[i]), section))
                range.header = i;
        } else if (isSectionLine(m_lines[i])) {
            range.end = i;
            return range;
        }
    }
    if (range.header >= 0)
        range.end = int(m_lines.size());
    return range;
}

int IniFile::findKey(const SectionRange &range, const QString &key) const {
    for (int i = range.header + 1; i < range.end; ++i) {
        if (sameName(keyName(m_lines[i]), key))
            return i;
    }
    return -1;
}

bool IniFile::sectionExists(const QString &section) const {
    return findSection(section).header >= 0;
}

bool IniFile::keyExists(const QString &section, const QString &key) const {
    const SectionRange range = findSection(section);
    return range.header >= 0 && findKey(range, key) >= 0;
}

QString IniFile::readString(const QString &section, const QString &key,
                            const QString &defaultValue) const {
    const SectionRange range = findSection(section);
    if (range.header < 0)
        return defaultValue;
    const int line = findKey(range, key);
    return line < 0 ? defaultValue : lineValue(m_lines[line]);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const {
    bool ok = false;
    const int value = parseIniInteger(readString(section, key, QString()), &ok);
    return ok ? value : defaultValue;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &text) {
    const QString line = entryLine(key, text);
    const SectionRange range = findSection(section);
    if (range.header < 0) {
        appendSectionHeader(m_lines, section);
        m_lines.append(line);
        m_modified = true;
        return;
    }
    const int existing = findKey(range, key);
    if (existing >= 0) {
        // Keep the key as the file spells it; only the value changes.
        const QString replaced = keyName(m_lines[existing])->toString() + line.mid(key.size());
        if (replaced != m_lines[existing]) {
            m_lines[existing] = replaced;
            m_modified = true;
        }
        return;
    }
    // After the section's last entry, so that blank lines and comments that lead into the
    // next section stay in front of it.
    int insertAt = range.header + 1;
    for (int i = range.header + 1; i < range.end; ++i) {
        if (keyName(m_lines[i]))
            insertAt = i + 1;
    }
    m_lines.insert(insertAt, line);
    m_modified = true;
}

void IniFile::writeInteger(const QString &section, const QString &key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::eraseSection(const QString &section) {
    // Every copy goes: a duplicate left behind would shadow the section written anew later.
    for (SectionRange range = findSection(section); range.header >= 0;
         range = findSection(section, range.header)) {
        m_lines.remove(range.header, range.end - range.header);
        m_modified = true;
    }
}

template <typename Visit>
void IniFile::forSectionsStartingWith(const QString &prefix, Visit visit) const {
    int header = -1;
    QString name;
    for (int i = 0; i < m_lines.size(); ++i) {
        const std::optional<QStringView> found = sectionName(m_lines[i]);
        if (!found)
            continue;
        if (header >= 0)
            visit(name, header, i);
        header = found->startsWith(prefix, Qt::CaseInsensitive) ? i : -1;
        if (header >= 0)
            name = found->toString();
    }
    if (header >= 0)
        visit(name, header, int(m_lines.size()));
}

QList<IniSection> IniFile::sectionsStartingWith(const QString &prefix) const {
    QList<IniSection> found;
    forSectionsStartingWith(prefix, [&](const QString &name, int header, int end) {
        IniSection section{name, {}};
        for (int i = header + 1; i < end; ++i)
            if (const auto key = keyName(m_lines[i]))
                section.entries.append({key->toString(), lineValue(m_lines[i])});
        found.append(section);
    });
    return found;
}

void IniFile::replaceSectionsStartingWith(const QString &prefix,
                                          const QList<IniSection> &sections) {
    QList<SectionRange> ranges;
    forSectionsStartingWith(prefix, [&](const QString &, int header, int end) {
        ranges.append({header, end});
    });
    QStringList lines = linesWithout(ranges);
    for (const IniSection &section : sections) {
        appendSectionHeader(lines, section.name);
        for (const auto &[key, value] : section.entries)
            lines.append(entryLine(key, value));
    }
    if (lines != m_lines) {
        m_lines = std::move(lines);
        m_modified = true;
    }
}

QStringList IniFile::dropSectionsToFit(const QString &prefix, qint64 maxBytes) {
    qint64 excess = encodedSize() - maxBytes;
    if (excess <= 0)
        return {};
    QStringList names;
    QList<SectionRange> ranges;
    forSectionsStartingWith(prefix, [&](const QString &name, int header, int end) {
        if (excess <= 0)
            return;
        for (int i = header; i < end; ++i)
            excess -= encodedLineSize(m_lines[i], m_lineEnding);
        names.append(name);
        ranges.append({header, end});
    });
    if (excess > 0)
        return {};
    m_lines = linesWithout(ranges);
    m_modified = true;
    return names;
}

QStringList IniFile::linesWithout(const QList<SectionRange> &ranges) const {
    QStringList lines;
    lines.reserve(m_lines.size());
    int copied = 0;
    for (const SectionRange &range : ranges) {
        lines.append(m_lines.mid(copied, range.header - copied));
        copied = range.end;
    }
    lines.append(m_lines.mid(copied));
    return lines;
}

QString IniFile::encodedText() const {
    QString text;
    for (const QString &line : m_lines)
        text += line + m_lineEnding;
    return text;
}

qint64 IniFile::encodedSize() const {
    qint64 size = 0;
    for (const QString &line : m_lines)
        size += encodedLineSize(line, m_lineEnding);
    return size;
}

bool IniFile::save() {
    m_errorString.clear();
    if (!m_modified)
        return true;
    // Writing back what could not be read would destroy it.
    if (!m_unsafeToReplace.isEmpty()) {
        m_errorString = m_unsafeToReplace;
        return false;
    }
    // A file the reader refuses would lose every setting at the next start.
    const QByteArray bytes = encodedText().toUtf8();
    if (bytes.size() > TextFileSizeCap) {
        m_errorString = tooLarge();
        return false;
    }
    if (!writeFileAtomically(m_path, bytes, &m_errorString))
        return false;
    m_modified = false;
    return true;
}

int parseIniInteger(const QString &text, bool *ok) {
    *ok = false;
    QStringView digits = QStringView(text).trimmed();
    bool negative = false;
    if (digits.startsWith(u'-') || digits.startsWith(u'+')) {
        negative = digits.front() == u'-';
        digits = digits.mid(1);
    }
    int base = 10;
    if (digits.startsWith(u'$')) {
        base = 16;
        digits = digits.mid(1);
    } else if (digits.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        digits = digits.mid(2);
    }
    // Signs and spaces inside the digits are not numbers.
    if (digits.isEmpty() || !digits.front().isLetterOrNumber())
        return 0;
    bool converted = false;
    const qulonglong magnitude = digits.toULongLong(&converted, base);
    const qulonglong limit =
        base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    if (!converted || magnitude > limit)
        return 0;
    // Hex is a 32-bit pattern; the wrap of the unsigned value is meant.
    const auto pattern = static_cast<quint32>(magnitude);
    *ok = true;
    return negative ? int(0u - pattern) : int(pattern);
}
