#pragma once

#include <QString>
#include <QStringView>

// The elements and attributes a cleaned help page may hold, and what each attribute's value
// may be; the page cleaner (HtmlSanitizer) decides where each element may stand.
namespace HtmlSanitizer {

enum class Kind { Inline, Anchor, Block, Heading, Void, Table, Row, Cell, List, Item };

struct Element {
    const char *name;
    Kind kind;
};

struct Attribute {
    QString name;  // in lower case
    QString value; // decoded
};

// The element of this name that pages may keep, or null.
const Element *element(QStringView name);
// Whether the element's content is no text of the page and goes with it (script, svg, ...).
bool isHidden(QStringView name);
bool isControl(QChar c);
// An attribute's value with its references decoded and control characters left out.
QString decodedValue(QStringView value);
// A path inside the help file for a picture or a style sheet: no scheme, and without query or
// fragment, so that one picture is one name however a page writes it; null when it is none.
QString insidePath(const QString &value);
// The value an element may carry for an attribute, or a null string when it may not.
QString cleanAttribute(const Element &element, const Attribute &attribute);

} // namespace HtmlSanitizer
