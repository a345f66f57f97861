#pragma once

#include <QString>
#include <QStringList>

// The text rules that the definition file, the language files and the language editor's list
// of programs share.

bool isBlank(QChar c);
QString withoutLeadingBlanks(const QString &text);
// Keys, section names and paths are matched on ASCII letters only, so that a Czech letter in a
// name never changes its meaning with the locale.
QString asciiUpper(const QString &text);
bool sameAsciiText(const QString &a, const QString &b);
// A whole number written with ASCII digits and an optional sign; anything else throws
// ConvertError.
int toInteger(const QString &text);
// Reads a whole text file. A missing file, a folder and anything that is not a regular file
// (a FIFO would block, a device never end) read as no lines; a file that is there but cannot
// be read in full throws FileError.
QStringList readLines(const QString &path);
