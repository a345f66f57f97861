#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Words as the search sees them: runs of letters and digits, compared without regard to letter
// case or diacritics, so "nastaveni" finds "Nastavení".
QString searchForm(const QString &word);
// Calls found(start, length) for every word of text, in order.
void forEachWord(const QString &text, const std::function<void(qsizetype, qsizetype)> &found);
// The distinct words of a query in their search form, the first most of them.
QStringList queryWords(const QString &query, qsizetype most = 64);
// Whether a word (in search form) is what one of the query words asks for: Czech words change
// their endings, so a query word finds every word that starts with it.
bool matchesQuery(const QString &word, const QStringList &query);

// The visible text and the title of an HTML page, read in one pass: tags, scripts and style
// sheets are left out, character references decoded.
struct PageText {
    QString title;
    QString text;
};
PageText pageText(const QString &html);

struct SearchHit {
    QString page;
    QString title;
    int score = 0;
};

// Full-text search over the pages of a help file. A page is found when it holds every word of
// the query; pages where the words stand in the title, or stand more often, come first.
class HelpSearchIndex {
public:
    // Words beyond these are not indexed: a help file made of nothing but words cannot make
    // the index take long or grow large.
    static constexpr int mostWordsPerPage = 50000;
    static constexpr int mostWordsPerFile = 400000;

    void addPage(const QString &page, const QString &html);
    bool isEmpty() const { return m_pages.isEmpty(); }
    QList<SearchHit> find(const QString &query) const;

private:
    struct Page {
        QString path;
        QString title;
        QStringList titleWords;
        QStringList words; // the distinct words of the text, in search form, sorted
        QList<int> counts; // how often each of words stands in the text
    };
    QList<Page> m_pages;
    int m_words = 0;
};
