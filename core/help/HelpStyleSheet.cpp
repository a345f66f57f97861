#include "core/help/HelpStyleSheet.h"

#include "core/help/HtmlText.h"

#include <QList>

namespace HtmlSanitizer {

namespace {

// Properties a help page's styles may set; sizes of fonts only in style sheets, where the zoom
// reaches them.
const char *const allowedProperties[] = {
    "color",          "background-color", "font-family",     "font-size",    "font-weight",
    "font-style",     "text-align",       "text-decoration", "text-indent",  "vertical-align",
    "white-space",    "line-height",      "margin",          "margin-top",   "margin-right",
    "margin-bottom",  "margin-left",      "padding",         "padding-top",  "padding-right",
    "padding-bottom", "padding-left",     "border-collapse", "border-width", "border-style",
    "border-color",
};

bool isAllowedProperty(QStringView property, FontSizes fontSizes) {
    if (fontSizes == FontSizes::Left && property == QLatin1String("font-size"))
        return false;
    for (const char *allowed : allowedProperties)
        if (property == QLatin1String(allowed))
            return true;
    return false;
}

// A value of plain words, numbers, colours and rgb(): nothing that names a file, escapes a
// character or ends the declaration, and no number so large that it makes a page immense.
bool isSafeValue(QStringView value) {
    constexpr qsizetype longest = 100;
    constexpr int mostDigits = 3;
    if (value.isEmpty() || value.size() > longest || value.contains(u"url", Qt::CaseInsensitive))
        return false;
    int digits = 0;
    bool colour = false; // the digits of "#202020" are no number
    for (const QChar c : value) {
        if (!isAsciiLetterOrDigit(c) && !QLatin1String("#%.,-+ ()'\"").contains(c))
            return false;
        if (c == u'#')
            colour = true;
        else if (!isAsciiLetterOrDigit(c))
            colour = false;
        digits = c.isDigit() && !colour ? digits + 1 : 0;
        if (digits > mostDigits)
            return false;
    }
    return true;
}

} // namespace

QString cleanDeclarations(QStringView block, FontSizes fontSizes) {
    QString kept;
    for (const QStringView declaration : block.split(u';')) {
        const qsizetype colon = declaration.indexOf(u':');
        if (colon < 0)
            continue;
        const QString property = declaration.left(colon).trimmed().toString().toLower();
        const QStringView value = declaration.mid(colon + 1).trimmed();
        if (isAllowedProperty(property, fontSizes) && isSafeValue(value))
            kept += property + QStringLiteral(": ") + value.toString().simplified() +
                    QStringLiteral("; ");
    }
    return kept.trimmed();
}

QString cleanStyleSheet(QStringView css) {
    // Comments go first, so that none can hide a brace or a declaration from what follows.
    QString text;
    for (qsizetype at = 0; at < css.size();) {
        const qsizetype comment = css.indexOf(u"/*", at);
        text += css.mid(at, (comment < 0 ? css.size() : comment) - at);
        if (comment < 0)
            break;
        const qsizetype end = css.indexOf(u"*/", comment + 2);
        at = end < 0 ? css.size() : end + 2;
    }
    QString out;
    qsizetype at = 0;
    while (at < text.size() && out.size() < largestStyleSheet) {
        const qsizetype open = text.indexOf(u'{', at);
        if (open < 0)
            break;
        const QStringView selector = QStringView(text).mid(at, open - at).trimmed();
        // The block ends at its brace; one that opens another (an @media) is skipped whole.
        qsizetype depth = 0;
        qsizetype end = open;
        bool nested = false;
        for (; end < text.size(); ++end) {
            if (text[end] == u'{')
                nested = ++depth > 1 || nested;
            else if (text[end] == u'}' && --depth == 0)
                break;
        }
        if (end >= text.size())
            break;
        const QStringView block = QStringView(text).mid(open + 1, end - open - 1);
        at = end + 1;
        if (nested || selector.startsWith(u'@') ||
            !consistsOf(selector, QLatin1String(" .,#_-:>*\n\t"), 200))
            continue;
        const QString declarations = cleanDeclarations(block, FontSizes::Kept);
        if (!declarations.isEmpty())
            out += selector.toString().simplified() + QStringLiteral(" { ") + declarations +
                   QStringLiteral(" }\n");
    }
    return out;
}

QString zoomStyleSheet(const QString &cleanCss, double factor) {
    static const QString property = QStringLiteral("font-size: ");
    QString out;
    qsizetype at = 0;
    for (qsizetype found; (found = cleanCss.indexOf(property, at)) >= 0;) {
        const qsizetype number = found + property.size();
        qsizetype end = number;
        while (end < cleanCss.size() && (cleanCss[end].isDigit() || cleanCss[end] == u'.'))
            ++end;
        const QStringView unit = QStringView(cleanCss).mid(end, 2);
        bool ok = false;
        const double size = QStringView(cleanCss).mid(number, end - number).toDouble(&ok);
        out += QStringView(cleanCss).mid(at, number - at);
        if (ok && (unit == u"pt" || unit == u"px"))
            out += QString::number(size * factor, 'g', 6);
        else
            out += QStringView(cleanCss).mid(number, end - number);
        at = end;
    }
    out += QStringView(cleanCss).mid(at);
    return out;
}

} // namespace HtmlSanitizer
