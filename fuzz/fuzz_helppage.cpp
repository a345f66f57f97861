// A help page and a style sheet as the reader cleans them for the ruler. Whatever goes in, what
// comes out must come out unchanged when cleaned again, as the ruler cleans it once more; and
// the picture decoder must take whatever bytes a page names.

#include "FuzzSupport.h"
#include "core/help/HelpPictures.h"
#include "core/help/HelpSearch.h"
#include "core/help/HelpStyleSheet.h"
#include "core/help/HtmlSanitizer.h"
#include "core/settings/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes = fuzz::bytes(data, size);
    const QString text = decodeText(bytes);
    const HtmlSanitizer::Page page = HtmlSanitizer::cleanPage(text);
    const HtmlSanitizer::Page again = HtmlSanitizer::cleanPage(HtmlSanitizer::pageHtml(page));
    if (again.body != page.body || again.title != page.title ||
        again.styleSheets != page.styleSheets)
        __builtin_trap();
    const QString css = HtmlSanitizer::cleanStyleSheet(text);
    if (HtmlSanitizer::cleanStyleSheet(css) != css)
        __builtin_trap();
    HtmlSanitizer::zoomStyleSheet(css, 1.5);
    HelpSearchIndex index;
    index.addPage(QStringLiteral("a.html"), HtmlSanitizer::pageHtml(page));
    index.find(text.left(64));
    HelpPictures().picture(QStringLiteral("a.png"), bytes);
    return 0;
}
