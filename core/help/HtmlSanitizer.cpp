#include "core/help/HtmlSanitizer.h"

#include "core/help/HelpStyleSheet.h"
#include "core/help/HtmlElements.h"
#include "core/help/HtmlText.h"
#include "core/settings/TextFile.h"

#include <QFileInfo>
#include <QList>
#include <QSet>

#include <algorithm>

namespace HtmlSanitizer {

namespace {

bool isSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

class Cleaner {
public:
    explicit Cleaner(QStringView html) : m_in(html) {}

    Page run() {
        while (m_at < m_in.size() && !m_full) {
            if (m_in[m_at] == u'<') {
                markup();
                continue;
            }
            qsizetype next = m_in.indexOf(u'<', m_at);
            if (next < 0)
                next = m_in.size();
            const QStringView text = m_in.mid(m_at, next - m_at);
            // Line breaks around the head and after the body are no text of the page.
            if (m_inBody || !text.trimmed().isEmpty()) {
                m_inBody = true;
                appendText(text);
            }
            m_at = next;
        }
        closeThrough(0);
        m_page.title = m_page.title.simplified();
        return std::move(m_page);
    }

private:
    struct Open {
        const Element *element;
        int cells = 0; // of a row
    };

    // Text as the page wrote it, its references kept when they are well-formed.
    void appendText(QStringView text) {
        QString &out = m_page.body;
        for (qsizetype i = 0; i < text.size() && !m_full; ++i) {
            const QChar c = text[i];
            if (c == u'&') {
                qsizetype consumed = 0;
                decodeReference(text, i, &consumed);
                if (consumed == 0 && startsNamedReference(text, i))
                    consumed = text.indexOf(u';', i) - i + 1;
                if (consumed > 0) {
                    out += text.mid(i, consumed);
                    i += consumed - 1;
                } else {
                    out += QLatin1String("&amp;");
                }
            } else if (c == u'<') {
                out += QLatin1String("&lt;");
            } else if (c == u'>') {
                out += QLatin1String("&gt;");
            } else if (!isControl(c)) {
                out += c;
            }
            m_full = out.size() >= largestPage;
        }
    }

    // Moves past the end of what starts at m_at; none means the rest of the page.
    void skipPast(QStringView end) {
        const qsizetype found = m_in.indexOf(end, m_at, Qt::CaseInsensitive);
        m_at = found < 0 ? m_in.size() : found + end.size();
    }

    void markup() {
        if (m_in.mid(m_at, 4) == u"<!--") {
            m_at += 4;
            skipPast(u"-->");
            return;
        }
        const QChar next = m_at + 1 < m_in.size() ? m_in[m_at + 1] : QChar();
        if (next == u'!' || next == u'?') {
            skipPast(u">");
            return;
        }
        const bool closing = next == u'/';
        qsizetype at = m_at + (closing ? 2 : 1);
        const qsizetype nameStart = at;
        while (at < m_in.size() && isAsciiLetterOrDigit(m_in[at]))
            ++at;
        const QStringView name = m_in.mid(nameStart, at - nameStart);
        if (name.isEmpty()) {
            if (closing) {
                skipPast(u">");
            } else {
                appendText(u"<");
                ++m_at;
            }
            return;
        }
        QList<Attribute> attributes;
        if (!readAttributes(at, closing ? nullptr : &attributes)) {
            m_at = m_in.size(); // a tag the page never ends
            return;
        }
        const bool bodyTag = name.compare(QLatin1String("body"), Qt::CaseInsensitive) == 0;
        const bool htmlTag = name.compare(QLatin1String("html"), Qt::CaseInsensitive) == 0;
        if (bodyTag || htmlTag)
            m_inBody = !closing && bodyTag;
        else if (closing)
            closeTag(name);
        else
            openTag(name, attributes);
    }

    // Reads attributes up to the tag's ">" and moves past it; false when the page ends first.
    bool readAttributes(qsizetype at, QList<Attribute> *attributes) {
        constexpr qsizetype mostAttributes = 16;
        const qsizetype size = m_in.size();
        while (at < size) {
            while (at < size && (isSpace(m_in[at]) || m_in[at] == u'/'))
                ++at;
            if (at >= size)
                break;
            if (m_in[at] == u'>') {
                m_at = at + 1;
                return true;
            }
            const qsizetype nameStart = at;
            while (at < size && !isSpace(m_in[at]) && m_in[at] != u'=' && m_in[at] != u'>' &&
                   m_in[at] != u'/')
                ++at;
            const QStringView name = m_in.mid(nameStart, at - nameStart);
            if (name.isEmpty())
                ++at; // a stray "="
            while (at < size && isSpace(m_in[at]))
                ++at;
            QStringView value;
            if (at < size && m_in[at] == u'=') {
                ++at;
                while (at < size && isSpace(m_in[at]))
                    ++at;
                if (at < size && (m_in[at] == u'"' || m_in[at] == u'\'')) {
                    const qsizetype end = m_in.indexOf(m_in[at], at + 1);
                    if (end < 0)
                        break;
                    value = m_in.mid(at + 1, end - at - 1);
                    at = end + 1;
                } else {
                    const qsizetype valueStart = at;
                    while (at < size && !isSpace(m_in[at]) && m_in[at] != u'>')
                        ++at;
                    value = m_in.mid(valueStart, at - valueStart);
                }
            }
            if (attributes && !name.isEmpty() && attributes->size() < mostAttributes)
                attributes->append({name.toString().toLower(), decodedValue(value)});
        }
        return false;
    }

    void openTag(QStringView name, const QList<Attribute> &attributes) {
        if (name.compare(QLatin1String("title"), Qt::CaseInsensitive) == 0) {
            takeTitle();
            return;
        }
        if (isHidden(name)) {
            skipPast(QStringLiteral("</") + name.toString());
            skipPast(u">");
            return;
        }
        if (name.compare(QLatin1String("link"), Qt::CaseInsensitive) == 0) {
            takeStyleSheet(attributes);
            return;
        }
        // Anything else unknown (html, body, font, tbody, ...) is left out; its text stays.
        if (const Element *known = element(name)) {
            m_inBody = true;
            open(*known, attributes);
        }
    }

    void takeTitle() {
        const qsizetype start = m_at;
        skipPast(u"</title");
        const qsizetype end = m_at < m_in.size() ? m_at - 7 : m_in.size();
        skipPast(u">");
        if (!m_page.title.isEmpty())
            return;
        const QStringView text = m_in.mid(start, qMin(end - start, 4 * longestTitle));
        m_page.title = decodedValue(text).simplified().left(longestTitle);
    }

    void takeStyleSheet(const QList<Attribute> &attributes) {
        bool styleSheet = false;
        QString href;
        for (const Attribute &attribute : attributes) {
            if (attribute.name == QLatin1String("rel"))
                styleSheet =
                    attribute.value.contains(QLatin1String("stylesheet"), Qt::CaseInsensitive);
            else if (attribute.name == QLatin1String("href"))
                href = insidePath(attribute.value);
        }
        if (styleSheet && !href.isEmpty() && m_page.styleSheets.size() < mostStyleSheets)
            m_page.styleSheets << href;
    }

    // The nearest open element of one of these kinds, not looking past a boundary kind; -1 when
    // there is none.
    qsizetype nearest(std::initializer_list<Kind> kinds,
                      std::initializer_list<Kind> boundaries = {},
                      const char *name = nullptr) const {
        for (qsizetype i = m_open.size() - 1; i >= 0; --i) {
            const Element &open = *m_open[i].element;
            if (std::find(kinds.begin(), kinds.end(), open.kind) != kinds.end() &&
                (!name || qstrcmp(open.name, name) == 0))
                return i;
            if (std::find(boundaries.begin(), boundaries.end(), open.kind) != boundaries.end())
                return -1;
        }
        return -1;
    }

    int count(Kind kind) const {
        return int(std::count_if(m_open.begin(), m_open.end(),
                                 [kind](const Open &open) { return open.element->kind == kind; }));
    }

    // Closes the element at this place on the stack and all opened after it.
    void closeThrough(qsizetype index) {
        if (index < 0)
            return;
        while (m_open.size() > index) {
            m_page.body += QStringLiteral("</%1>").arg(QLatin1String(m_open.last().element->name));
            m_open.removeLast();
        }
    }

    // A new block ends an open paragraph, as in HTML.
    void closeParagraph() {
        closeThrough(nearest({Kind::Block}, {Kind::Cell, Kind::Table, Kind::Item}, "p"));
    }

    void open(const Element &element, const QList<Attribute> &attributes) {
        switch (element.kind) {
        case Kind::Inline:
            break;
        case Kind::Anchor:
            closeThrough(nearest({Kind::Anchor}, {Kind::Cell, Kind::Table}));
            break;
        case Kind::Block:
            closeParagraph();
            break;
        case Kind::Heading:
            closeParagraph();
            closeThrough(nearest({Kind::Heading}, {Kind::Cell, Kind::Table, Kind::Item}));
            break;
        case Kind::Void:
            if (qstrcmp(element.name, "hr") == 0)
                closeParagraph();
            break;
        case Kind::Table:
            closeParagraph();
            if (count(Kind::Table) >= deepestTables)
                return;
            break;
        case Kind::List:
            closeParagraph();
            if (count(Kind::List) >= deepestLists)
                return;
            break;
        case Kind::Item:
            closeThrough(nearest({Kind::Item}, {Kind::List, Kind::Cell, Kind::Table}));
            if (nearest({Kind::List}, {Kind::Cell, Kind::Table}) < 0)
                return;
            break;
        case Kind::Row: {
            const qsizetype table = nearest({Kind::Table});
            if (table < 0)
                return;
            closeThrough(table + 1);
            break;
        }
        case Kind::Cell: {
            const qsizetype table = nearest({Kind::Table});
            qsizetype row = nearest({Kind::Row}, {Kind::Table});
            if (table < 0 || (row >= 0 && m_open[row].cells >= mostColumns))
                return;
            closeThrough(row >= 0 ? row + 1 : table + 1);
            if (row < 0) {
                // A cell straight in a table gets the row it stands for.
                if (m_open.size() + 2 > deepestElements)
                    return;
                static const Element impliedRow{"tr", Kind::Row};
                writeStart(impliedRow, {});
                m_open.append({&impliedRow});
                row = m_open.size() - 1;
            }
            ++m_open[row].cells;
            break;
        }
        }
        if (m_open.size() >= deepestElements)
            return;
        writeStart(element, attributes);
        if (element.kind != Kind::Void)
            m_open.append({&element});
    }

    void writeStart(const Element &element, const QList<Attribute> &attributes) {
        QString &out = m_page.body;
        out += u'<' + QLatin1String(element.name);
        QSet<QString> written;
        for (const Attribute &attribute : attributes) {
            if (written.contains(attribute.name))
                continue;
            const QString value = cleanAttribute(element, attribute);
            if (value.isNull())
                continue;
            written.insert(attribute.name);
            out += u' ' + attribute.name + QStringLiteral("=\"") + value.toHtmlEscaped() + u'"';
        }
        out += u'>';
    }

    void closeTag(QStringView name) {
        const Element *known = element(name);
        if (!known)
            return;
        switch (known->kind) {
        case Kind::Void:
            return;
        case Kind::Table:
            closeThrough(nearest({Kind::Table}));
            return;
        case Kind::Row:
            closeThrough(nearest({Kind::Row}, {Kind::Table}));
            return;
        case Kind::Cell:
            closeThrough(nearest({Kind::Cell}, {Kind::Table}));
            return;
        default:
            closeThrough(nearest({known->kind}, {Kind::Cell, Kind::Table}, known->name));
            return;
        }
    }

    QStringView m_in;
    qsizetype m_at = 0;
    bool m_full = false;
    bool m_inBody = false; // past the head, and not yet past the body
    Page m_page;
    QList<Open> m_open;
};

} // namespace

Page cleanPage(QStringView html) {
    return Cleaner(html).run();
}

QString pageHtml(const Page &page) {
    QString links;
    for (const QString &sheet : page.styleSheets)
        links += QStringLiteral("<link rel=\"stylesheet\" type=\"text/css\" href=\"%1\">")
                     .arg(sheet.toHtmlEscaped());
    return QStringLiteral("<html><head><title>%1</title>%2</head><body>%3</body></html>")
        .arg(page.title.toHtmlEscaped(), links, page.body);
}

QString pageHtml(const Page &page, const QString &style) {
    return QStringLiteral("<html><head><title>%1</title><style>%2</style></head><body>%3</body>"
                          "</html>")
        .arg(page.title.toHtmlEscaped(), style, page.body);
}

QByteArray cleanFile(const QString &path, const QByteArray &bytes) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return pageHtml(cleanPage(decodeText(bytes))).toUtf8();
    if (suffix == QLatin1String("css"))
        return cleanStyleSheet(decodeText(bytes)).toUtf8();
    return bytes;
}

} // namespace HtmlSanitizer
