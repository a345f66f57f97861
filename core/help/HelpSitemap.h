#pragma once

#include <QList>
#include <QString>

// One entry of a help file's contents (.hhc) or index (.hhk): its caption, the page it opens
// (empty for a mere heading) and the entries nested below it.
struct SitemapEntry {
    QString name;
    QString local;
    QList<SitemapEntry> children;

    bool operator==(const SitemapEntry &) const = default;
};

// What a contents or index file may hold at most. Deeper lists add to the deepest level, and
// entries beyond the count are left out: no help file needs more, and a file made to have more
// must not exhaust the program.
constexpr int deepestSitemapLevel = 16;
constexpr qsizetype mostSitemapEntries = 20000;

// Reads the entries of a contents or index file: each <object type="text/sitemap"> with its
// "Name" and "Local" parameters, nested by the <ul> lists around it. Anything else is skipped,
// so a damaged file gives what could be read. Takes time linear in the text.
QList<SitemapEntry> parseSitemap(const QString &html);
