#include "core/help/HelpTopics.h"

#include <QUrl>

namespace {

QString withoutLeadingSlash(QString page) {
    while (page.startsWith(u'/'))
        page.remove(0, 1);
    return page;
}

const SitemapEntry *findEntry(const QList<SitemapEntry> &entries, const QString &keyword,
                              bool prefix) {
    for (const SitemapEntry &entry : entries) {
        const bool match = prefix ? entry.name.startsWith(keyword, Qt::CaseInsensitive)
                                  : entry.name.compare(keyword, Qt::CaseInsensitive) == 0;
        if (match && !entry.local.isEmpty())
            return &entry;
        if (const SitemapEntry *inner = findEntry(entry.children, keyword, prefix))
            return inner;
    }
    return nullptr;
}

} // namespace

HelpTopic splitTopic(const QString &combined) {
    const qsizetype separator = combined.indexOf(QLatin1String("::"));
    if (separator < 0)
        return {combined.trimmed(), QString()};
    return {combined.left(separator).trimmed(),
            withoutLeadingSlash(combined.mid(separator + 2).trimmed())};
}

QString keywordPage(const QString &keyword, const QList<SitemapEntry> &index,
                    const PageExists &exists) {
    const QString named = withoutLeadingSlash(keyword.trimmed());
    if (named.isEmpty())
        return QString();
    // A keyword may name a section of a page ("cz/nastaveni.html#jednotky").
    if (exists(named.section(u'#', 0, 0)))
        return named;
    for (const bool prefix : {false, true})
        if (const SitemapEntry *entry = findEntry(index, named, prefix))
            return withoutLeadingSlash(entry->local);
    return QString();
}

QString localizedPage(const QString &page, bool czech, const PageExists &exists) {
    static const QLatin1String czechFolder("cz/");
    if (czech || !page.startsWith(czechFolder, Qt::CaseInsensitive))
        return page;
    const QString english = QStringLiteral("en/") + page.mid(czechFolder.size());
    return exists(english.section(u'#', 0, 0)) ? english : page;
}

QString resolvePage(const QString &fromPage, const QString &link) {
    const QUrl base(QStringLiteral("chm:///") + withoutLeadingSlash(fromPage));
    const QUrl target = base.resolved(QUrl(link));
    return withoutLeadingSlash(target.path());
}
