#include "core/help/HelpSearch.h"

#include <algorithm>

namespace {

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c.category() == QChar::Mark_NonSpacing;
}

// The named references help pages use; anything else stays as written.
QString namedReference(QStringView name) {
    static const std::pair<const char *, char16_t> names[] = {
        {"amp", u'&'},   {"lt", u'<'},    {"gt", u'>'},    {"quot", u'"'},
        {"apos", u'\''}, {"nbsp", u' '},  {"times", u'×'}, {"middot", u'·'},
        {"ndash", u'–'}, {"mdash", u'—'}, {"copy", u'©'},  {"hellip", u'…'},
    };
    for (const auto &[text, character] : names)
        if (name == QLatin1String(text))
            return QString(QChar(character));
    return QString();
}

// The character a reference at html[at] ("&amp;", "&#233;") stands for; consumed tells how many
// characters it takes, 0 when it is no reference.
QString reference(const QString &html, qsizetype at, qsizetype *consumed) {
    *consumed = 0;
    constexpr qsizetype longest = 10;
    const qsizetype end = html.indexOf(u';', at);
    if (end < 0 || end - at > longest)
        return QString();
    const QStringView name = QStringView(html).mid(at + 1, end - at - 1);
    QString result;
    if (name.startsWith(u'#')) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
        const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (ok && code > 0 && code <= 0x10FFFF && QChar::isPrint(char32_t(code)))
            result = QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
    } else {
        result = namedReference(name);
    }
    if (!result.isEmpty())
        *consumed = end - at + 1;
    return result;
}

// Whether html at position at opens the tag called name ("<script", "<title").
bool opensTag(const QString &html, qsizetype at, QLatin1String name) {
    return QStringView(html).mid(at + 1, name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
           (at + 1 + name.size() >= html.size() || !html[at + 1 + name.size()].isLetterOrNumber());
}

} // namespace

QString searchForm(const QString &word) {
    QString folded;
    for (const QChar c : word.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c.toCaseFolded();
    return folded;
}

void forEachWord(const QString &text, const std::function<void(qsizetype, qsizetype)> &found) {
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool inWord = i < text.size() && isWordCharacter(text[i]);
        if (inWord && start < 0)
            start = i;
        else if (!inWord && start >= 0) {
            found(start, i - start);
            start = -1;
        }
    }
}

QStringList queryWords(const QString &query) {
    QStringList words;
    forEachWord(query, [&](qsizetype start, qsizetype length) {
        const QString word = searchForm(query.mid(start, length));
        if (!word.isEmpty() && !words.contains(word))
            words << word;
    });
    return words;
}

bool matchesQuery(const QString &word, const QStringList &query) {
    return std::any_of(query.begin(), query.end(),
                       [&](const QString &asked) { return word.startsWith(asked); });
}

PageText pageText(const QString &html) {
    PageText page;
    QString *into = &page.text;
    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html[i];
        if (c == u'&') {
            qsizetype consumed = 0;
            const QString character = reference(html, i, &consumed);
            if (consumed > 0) {
                *into += character;
                i += consumed;
                continue;
            }
        }
        if (c != u'<') {
            *into += c;
            ++i;
            continue;
        }
        // Scripts and style sheets are no text; their end is searched once, so this stays
        // linear even in a page that never closes them.
        for (const QLatin1String hidden : {QLatin1String("script"), QLatin1String("style")}) {
            if (opensTag(html, i, hidden)) {
                const qsizetype close =
                    html.indexOf(QLatin1String("</") + hidden, i, Qt::CaseInsensitive);
                i = close < 0 ? html.size() : close;
                break;
            }
        }
        if (opensTag(html, i, QLatin1String("title")))
            into = &page.title;
        else if (opensTag(html, i, QLatin1String("/title")))
            into = &page.text;
        const qsizetype end = html.indexOf(u'>', i);
        i = end < 0 ? html.size() : end + 1;
        // A tag parts words as a space does.
        *into += u' ';
    }
    page.title = page.title.simplified();
    return page;
}

void HelpSearchIndex::addPage(const QString &path, const QString &html) {
    const PageText text = pageText(html);
    Page page{path, text.title, queryWords(text.title), {}};
    forEachWord(text.text, [&](qsizetype start, qsizetype length) {
        page.words << searchForm(text.text.mid(start, length));
    });
    page.words.sort();
    m_pages.append(std::move(page));
}

QList<SearchHit> HelpSearchIndex::find(const QString &query) const {
    const QStringList asked = queryWords(query);
    QList<SearchHit> hits;
    if (asked.isEmpty())
        return hits;
    constexpr int titleWeight = 10;
    for (const Page &page : m_pages) {
        int score = 0;
        bool all = true;
        for (const QString &word : asked) {
            // The words are sorted, so those starting with the query word stand together.
            const auto first = std::lower_bound(page.words.begin(), page.words.end(), word);
            const auto last = std::find_if(first, page.words.end(),
                                           [&](const QString &w) { return !w.startsWith(word); });
            const bool inTitle = std::any_of(page.titleWords.begin(), page.titleWords.end(),
                                             [&](const QString &w) { return w.startsWith(word); });
            if (first == last && !inTitle) {
                all = false;
                break;
            }
            score += int(last - first) + (inTitle ? titleWeight : 0);
        }
        if (all)
            hits.append({page.path, page.title, score});
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const SearchHit &a, const SearchHit &b) { return a.score > b.score; });
    return hits;
}
