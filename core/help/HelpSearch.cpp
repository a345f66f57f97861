#include "core/help/HelpSearch.h"

#include "core/help/HtmlText.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c.category() == QChar::Mark_NonSpacing;
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

QStringList queryWords(const QString &query, qsizetype most) {
    QStringList words;
    QSet<QString> seen;
    forEachWord(query, [&](qsizetype start, qsizetype length) {
        if (words.size() >= most)
            return;
        const QString word = searchForm(query.mid(start, length));
        if (!word.isEmpty() && !seen.contains(word)) {
            seen.insert(word);
            words << word;
        }
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
            const QString character = decodeReference(html, i, &consumed);
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
    Page page{path, text.title, queryWords(text.title), {}, {}};
    QHash<QString, int> counts;
    int words = 0;
    forEachWord(text.text, [&](qsizetype start, qsizetype length) {
        if (words >= mostWordsPerPage || m_words >= mostWordsPerFile)
            return;
        ++words;
        ++m_words;
        ++counts[searchForm(text.text.mid(start, length))];
    });
    page.words = counts.keys();
    page.words.sort();
    page.counts.reserve(page.words.size());
    for (const QString &word : std::as_const(page.words))
        page.counts << counts.value(word);
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
            int found = 0;
            for (auto it = first; it != page.words.end() && it->startsWith(word); ++it)
                found += page.counts.at(it - page.words.begin());
            const bool inTitle = std::any_of(page.titleWords.begin(), page.titleWords.end(),
                                             [&](const QString &w) { return w.startsWith(word); });
            if (found == 0 && !inTitle) {
                all = false;
                break;
            }
            score += found + (inTitle ? titleWeight : 0);
        }
        if (all)
            hits.append({page.path, page.title, score});
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const SearchHit &a, const SearchHit &b) { return a.score > b.score; });
    return hits;
}
