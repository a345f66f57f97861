#include "core/help/HelpLanguage.h"

#include "core/help/HelpTopics.h"

#include <QCollator>

#include <algorithm>

namespace {

const QString czechFolder = QStringLiteral("cz");
const QString englishFolder = QStringLiteral("en");

// The language folder a page lies in, or an empty string for a page outside them.
QString languageOf(const QString &page) {
    const QString folder = resolvePage(QString(), page).section(u'/', 0, 0);
    for (const QString &known : {czechFolder, englishFolder})
        if (folder.compare(known, Qt::CaseInsensitive) == 0 && page.contains(u'/'))
            return known;
    return QString();
}

} // namespace

QString helpLanguageFolder(const QLocale &locale) {
    return locale.language() == QLocale::Czech || locale.language() == QLocale::Slovak
               ? czechFolder
               : englishFolder;
}

bool isPageOfLanguage(const QString &page, const QString &folder) {
    const QString language = languageOf(page);
    return language.isEmpty() || language == folder;
}

QList<SitemapEntry> entriesOfLanguage(const QList<SitemapEntry> &entries, const QString &folder) {
    QList<SitemapEntry> kept;
    for (const SitemapEntry &entry : entries) {
        if (!entry.local.isEmpty() && !isPageOfLanguage(entry.local, folder))
            continue;
        SitemapEntry copy{entry.name, entry.local, entriesOfLanguage(entry.children, folder)};
        if (!copy.local.isEmpty() || !copy.children.isEmpty())
            kept.append(std::move(copy));
    }
    return kept;
}

namespace {

void sortLevel(QList<SitemapEntry> &entries, const QCollator &collator) {
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const SitemapEntry &a, const SitemapEntry &b) {
                         return collator.compare(a.name, b.name) < 0;
                     });
    for (SitemapEntry &entry : entries)
        sortLevel(entry.children, collator);
}

} // namespace

QList<SitemapEntry> sortedIndex(QList<SitemapEntry> entries, const QLocale &locale) {
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    sortLevel(entries, collator);
    return entries;
}
