#include "core/help/HtmlElements.h"

#include "core/help/HelpStyleSheet.h"
#include "core/help/HtmlSanitizer.h"
#include "core/help/HtmlText.h"

namespace HtmlSanitizer {

namespace {

const Element elements[] = {
    {"a", Kind::Anchor},      {"b", Kind::Inline},    {"i", Kind::Inline},
    {"u", Kind::Inline},      {"s", Kind::Inline},    {"em", Kind::Inline},
    {"strong", Kind::Inline}, {"code", Kind::Inline}, {"kbd", Kind::Inline},
    {"var", Kind::Inline},    {"tt", Kind::Inline},   {"cite", Kind::Inline},
    {"span", Kind::Inline},   {"sub", Kind::Inline},  {"sup", Kind::Inline},
    {"small", Kind::Inline},  {"big", Kind::Inline},  {"p", Kind::Block},
    {"div", Kind::Block},     {"pre", Kind::Block},   {"blockquote", Kind::Block},
    {"h1", Kind::Heading},    {"h2", Kind::Heading},  {"h3", Kind::Heading},
    {"h4", Kind::Heading},    {"h5", Kind::Heading},  {"h6", Kind::Heading},
    {"br", Kind::Void},       {"hr", Kind::Void},     {"img", Kind::Void},
    {"table", Kind::Table},   {"tr", Kind::Row},      {"td", Kind::Cell},
    {"th", Kind::Cell},       {"ul", Kind::List},     {"ol", Kind::List},
    {"li", Kind::Item},
};

// Elements whose content is no text of the page: it goes with them.
const char *const hiddenElements[] = {"script",   "style",   "textarea", "select",  "iframe",
                                      "object",   "embed",   "applet",   "svg",     "math",
                                      "template", "noembed", "noframes", "frameset"};

bool isNumberWithin(QStringView text, int lowest, int highest) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= lowest && value <= highest;
}

bool isOneOf(QStringView text, std::initializer_list<const char *> words) {
    for (const char *word : words)
        if (text.trimmed().compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

const Element *element(QStringView name) {
    for (const Element &known : elements)
        if (name.compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0)
            return &known;
    return nullptr;
}

bool isHidden(QStringView name) {
    for (const char *hidden : hiddenElements)
        if (name.compare(QLatin1String(hidden), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool isControl(QChar c) {
    return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
}

QString decodedValue(QStringView value) {
    QString decoded;
    for (qsizetype i = 0; i < value.size(); ++i) {
        qsizetype consumed = 0;
        const QString character =
            value[i] == u'&' ? decodeReference(value, i, &consumed) : QString();
        if (consumed > 0) {
            decoded += character;
            i += consumed - 1;
        } else if (!isControl(value[i])) {
            decoded += value[i];
        }
    }
    return decoded;
}

QString insidePath(const QString &value) {
    constexpr qsizetype longest = 1024;
    QString path = value;
    for (const QChar end : {u'?', u'#'}) {
        const qsizetype at = path.indexOf(end);
        if (at >= 0)
            path.truncate(at);
    }
    path = path.trimmed();
    const qsizetype colon = path.indexOf(u':');
    const qsizetype slash = path.indexOf(u'/');
    const bool hasScheme = colon >= 0 && (slash < 0 || colon < slash);
    if (path.isEmpty() || path.size() > longest || hasScheme || path.contains(u'\\'))
        return QString();
    return path;
}

QString cleanAttribute(const Element &element, const Attribute &attribute) {
    const QString &name = attribute.name;
    const QString &value = attribute.value;
    const Kind kind = element.kind;
    const QLatin1String tag(element.name);
    if (name == QLatin1String("class"))
        return consistsOf(value, QLatin1String("_- "), 64) ? value : QString();
    if (name == QLatin1String("id") || (name == QLatin1String("name") && kind == Kind::Anchor))
        return consistsOf(value, QLatin1String("_-.:"), 64) ? value : QString();
    if (name == QLatin1String("style")) {
        const QString style = cleanDeclarations(value, FontSizes::Left);
        return style.isEmpty() ? QString() : style;
    }
    if (name == QLatin1String("href") && kind == Kind::Anchor) {
        constexpr qsizetype longest = 2048;
        return value.size() <= longest ? value.trimmed() : QString();
    }
    if (tag == QLatin1String("img")) {
        if (name == QLatin1String("src"))
            return insidePath(value);
        if (name == QLatin1String("alt"))
            return value.left(500);
        return QString();
    }
    if (name == QLatin1String("align") &&
        (kind == Kind::Block || kind == Kind::Heading || kind == Kind::Cell || kind == Kind::Row))
        return isOneOf(value, {"left", "right", "center", "justify"}) ? value.trimmed().toLower()
                                                                      : QString();
    if (name == QLatin1String("valign") && (kind == Kind::Cell || kind == Kind::Row))
        return isOneOf(value, {"top", "middle", "bottom", "baseline"}) ? value.trimmed().toLower()
                                                                       : QString();
    if (kind == Kind::Table &&
        (name == QLatin1String("border") || name == QLatin1String("cellspacing") ||
         name == QLatin1String("cellpadding")))
        return isNumberWithin(value, 0, 20) ? value.trimmed() : QString();
    if (kind == Kind::Cell &&
        (name == QLatin1String("rowspan") || name == QLatin1String("colspan")))
        return isNumberWithin(value, 1, largestSpan) ? value.trimmed() : QString();
    return QString();
}

} // namespace HtmlSanitizer
