#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

// Help pages as Qt's rich-text engine gets them. That engine trusts what it lays out: tables
// nested a few dozen deep take it hours, a picture named twice with different queries is
// decoded twice, and an element it does not know may make it reach for the disk. So every page
// and style sheet of a help file passes through here, in the reader process and again in the
// ruler, and comes out as a small, well-formed subset: the elements and attributes help pages
// need, nested within caps, of bounded size. Whatever is left out keeps its text. The code is
// one pass over the input with a stack of bounded depth, so any page takes time linear in its
// length.
namespace HtmlSanitizer {

// Characters of a cleaned page's body; the shipped pages are a tenth of it.
constexpr qsizetype largestPage = 128 * 1024;
constexpr qsizetype longestTitle = 200;
constexpr int deepestElements = 32;
constexpr int deepestTables = 3;
constexpr int deepestLists = 8;
constexpr int mostColumns = 32;
constexpr int largestSpan = 16; // rowspan and colspan
constexpr int mostStyleSheets = 4;

struct Page {
    QString title;           // plain text
    QStringList styleSheets; // as the page links them, relative to it
    QString body;            // cleaned HTML
};

Page cleanPage(QStringView html);
// The page as a whole document. With style given, that text is the page's style sheet in place
// of its links.
QString pageHtml(const Page &page);
QString pageHtml(const Page &page, const QString &style);

// What the reader hands over for a file of the help file: pages and style sheets cleaned, in
// UTF-8; anything else as it is.
QByteArray cleanFile(const QString &path, const QByteArray &bytes);

} // namespace HtmlSanitizer
