#pragma once

#include "core/help/HelpSitemap.h"

#include <QString>
#include <functional>

// Whether a page exists inside the help file.
using PageExists = std::function<bool(const QString &page)>;

// A topic request names the file and the page in one text, "tavlinko.chm ::/cz/index.html".
struct HelpTopic {
    QString file;
    QString page; // without the leading "/"; empty when the text names no page
};
HelpTopic splitTopic(const QString &combined);

// The page a keyword opens: the page the keyword names (with its anchor) when the file has it, else
// the page of the first index entry (at any depth) called like the keyword, else of the first one
// whose name starts with it; empty when nothing matches, and the contents are shown instead.
QString keywordPage(const QString &keyword, const QList<SitemapEntry> &index,
                    const PageExists &exists);

// The pages are written in Czech under "cz/" and in English under "en/". Someone who reads
// the program in another language gets the English page of the same name where there is one.
QString localizedPage(const QString &page, bool czech, const PageExists &exists);

// Resolves a link inside the file against the page it appears on: "obrazky/a.png" on
// "cz/index.html" is "cz/obrazky/a.png". Anchors and queries are dropped.
QString resolvePage(const QString &fromPage, const QString &link);
