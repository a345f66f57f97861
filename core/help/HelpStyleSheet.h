#pragma once

#include <QString>
#include <QStringView>

// Style sheets and style attributes of help pages, cut down to plain rules with the properties
// help pages use: no imports, no pictures, no fonts from outside, no numbers that make a page
// immense. Font sizes in points or pixels are what the help window's zoom scales.
namespace HtmlSanitizer {

constexpr qsizetype largestStyleSheet = 32 * 1024;

// Whether font sizes may stay: a style sheet keeps them, where the zoom reaches them; a style
// attribute leaves them out.
enum class FontSizes { Kept, Left };

// "color: red; font-size: 10pt" with each kept declaration as "property: value;".
QString cleanDeclarations(QStringView block, FontSizes fontSizes);
QString cleanStyleSheet(QStringView css);
// A cleaned style sheet with every font size in points or pixels multiplied by factor.
QString zoomStyleSheet(const QString &cleanCss, double factor);

} // namespace HtmlSanitizer
