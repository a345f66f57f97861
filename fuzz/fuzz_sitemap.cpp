// The contents (.hhc) and index (.hhk) of a help file, as the ruler reads them from what the help
// file reader hands over, and the look-ups of a page by keyword and by link on the result.

#include "FuzzSupport.h"
#include "core/help/HelpSitemap.h"
#include "core/help/HelpTopics.h"
#include "core/settings/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QList<SitemapEntry> entries = parseSitemap(decodeText(fuzz::bytes(data, size)));
    const PageExists exists = [](const QString &page) { return page.endsWith(u'l'); };
    for (const SitemapEntry &entry : entries) {
        keywordPage(entry.name, entries, exists);
        localizedPage(resolvePage(QStringLiteral("cz/index.html"), entry.local), false, exists);
    }
    return 0;
}
