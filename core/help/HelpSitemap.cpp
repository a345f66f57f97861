#include "core/help/HelpSitemap.h"

#include <QStringView>
#include <optional>

namespace {

struct Tag {
    bool closing = false;
    QString name; // in lower case
    // The only attributes a sitemap needs; the first of each counts.
    QString type;
    QString paramName;
    QString value;
};

bool isNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':';
}

// A character reference without its "&" and ";": "amp", "#268", "#x161".
std::optional<char32_t> referenceCharacter(QStringView name) {
    if (name.startsWith(u'#')) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
        const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (ok && code > 0 && code <= 0x10FFFF)
            return char32_t(code);
        return std::nullopt;
    }
    static const struct {
        const char16_t *name;
        char32_t character;
    } named[] = {{u"amp", U'&'}, {u"lt", U'<'}, {u"gt", U'>'}, {u"quot", U'"'}, {u"apos", U'\''}};
    for (const auto &entry : named)
        if (name == QStringView(entry.name))
            return entry.character;
    return std::nullopt;
}

// Character references as help compilers write them: the five named ones and numeric ones;
// anything else stays as it is.
QString decodeReferences(QStringView text) {
    QString result;
    result.reserve(text.size());
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype amp = text.indexOf(u'&', at);
        if (amp < 0)
            break;
        result += text.mid(at, amp - at);
        // No reference is longer than "#x10FFFF"; looking no further keeps this linear.
        const qsizetype semicolon = text.mid(amp + 1, 10).indexOf(u';');
        const std::optional<char32_t> character =
            semicolon > 0 ? referenceCharacter(text.mid(amp + 1, semicolon)) : std::nullopt;
        if (character) {
            result += QString::fromUcs4(&*character, 1);
            at = amp + 2 + semicolon;
        } else {
            result += u'&';
            at = amp + 1;
        }
    }
    result += text.mid(at);
    return result;
}

class TagReader {
public:
    explicit TagReader(QStringView text) : m_text(text) {}

    // The next tag, or nothing at the end of the text.
    std::optional<Tag> next() {
        while (true) {
            const qsizetype open = m_text.indexOf(u'<', m_at);
            if (open < 0)
                return std::nullopt;
            m_at = open + 1;
            if (m_text.mid(m_at).startsWith(u"!--")) {
                const qsizetype end = m_text.indexOf(u"-->", m_at + 3);
                m_at = end < 0 ? m_text.size() : end + 3;
                continue;
            }
            if (std::optional<Tag> tag = readTag())
                return tag;
        }
    }

private:
    void skipSpaces() {
        while (m_at < m_text.size() && m_text[m_at].isSpace())
            ++m_at;
    }

    QStringView readName() {
        const qsizetype start = m_at;
        while (m_at < m_text.size() && isNameCharacter(m_text[m_at]))
            ++m_at;
        return m_text.mid(start, m_at - start);
    }

    QStringView readValue() {
        if (m_at < m_text.size() && (m_text[m_at] == u'"' || m_text[m_at] == u'\'')) {
            const QChar quote = m_text[m_at];
            const qsizetype end = m_text.indexOf(quote, m_at + 1);
            const qsizetype stop = end < 0 ? m_text.size() : end;
            const QStringView value = m_text.mid(m_at + 1, stop - m_at - 1);
            m_at = end < 0 ? stop : stop + 1;
            return value;
        }
        const qsizetype start = m_at;
        while (m_at < m_text.size() && !m_text[m_at].isSpace() && m_text[m_at] != u'>')
            ++m_at;
        return m_text.mid(start, m_at - start);
    }

    // Reads a tag from just after its "<" to just after its ">"; nothing when it is no tag.
    std::optional<Tag> readTag() {
        Tag tag;
        skipSpaces();
        if (m_at < m_text.size() && m_text[m_at] == u'/') {
            tag.closing = true;
            ++m_at;
            skipSpaces();
        }
        tag.name = readName().toString().toLower();
        if (tag.name.isEmpty())
            return std::nullopt;
        while (m_at < m_text.size() && m_text[m_at] != u'>') {
            const QStringView attribute = readName();
            if (attribute.isEmpty()) {
                ++m_at; // a stray character, such as the "/" of "<param ... />"
                continue;
            }
            skipSpaces();
            if (m_at >= m_text.size() || m_text[m_at] != u'=')
                continue;
            ++m_at;
            skipSpaces();
            const QStringView value = readValue();
            QString *target = nullptr;
            if (attribute.compare(u"type", Qt::CaseInsensitive) == 0)
                target = &tag.type;
            else if (attribute.compare(u"name", Qt::CaseInsensitive) == 0)
                target = &tag.paramName;
            else if (attribute.compare(u"value", Qt::CaseInsensitive) == 0)
                target = &tag.value;
            if (target && target->isNull())
                *target = decodeReferences(value);
            skipSpaces();
        }
        ++m_at;
        return tag;
    }

    QStringView m_text;
    qsizetype m_at = 0;
};

} // namespace

QList<SitemapEntry> parseSitemap(const QString &html) {
    QList<SitemapEntry> top;
    // Lists being filled, innermost last; the outermost <ul> holds the top entries. Only the
    // innermost list grows while deeper ones are open, so pointers to the outer ones stay valid.
    QList<QList<SitemapEntry> *> open;
    // Lists opened below the deepest level, whose entries go to the deepest level.
    int tooDeep = 0;
    qsizetype entries = 0;
    std::optional<SitemapEntry> entry;
    TagReader reader(html);
    while (const std::optional<Tag> tag = reader.next()) {
        if (tag->name == u"ul") {
            if (tag->closing) {
                if (tooDeep > 0)
                    --tooDeep;
                else if (!open.isEmpty())
                    open.removeLast();
            } else if (open.isEmpty()) {
                open.append(&top);
            } else if (open.size() >= deepestSitemapLevel) {
                ++tooDeep;
            } else {
                // A list without an entry before it adds to the level it is in.
                QList<SitemapEntry> *level = open.last();
                open.append(level->isEmpty() ? level : &level->last().children);
            }
        } else if (tag->name == u"object") {
            if (!tag->closing && tag->type.compare(u"text/sitemap", Qt::CaseInsensitive) == 0) {
                entry = SitemapEntry();
            } else if (tag->closing && entry) {
                if ((!entry->name.isEmpty() || !entry->local.isEmpty()) &&
                    entries < mostSitemapEntries) {
                    (open.isEmpty() ? &top : open.last())->append(std::move(*entry));
                    ++entries;
                }
                entry.reset();
            }
        } else if (tag->name == u"param" && entry) {
            if (tag->paramName.compare(u"Name", Qt::CaseInsensitive) == 0 && entry->name.isEmpty())
                entry->name = tag->value;
            else if (tag->paramName.compare(u"Local", Qt::CaseInsensitive) == 0 &&
                     entry->local.isEmpty())
                entry->local = tag->value;
        }
    }
    return top;
}
