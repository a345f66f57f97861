#pragma once

#include "core/help/HelpSitemap.h"

#include <QLocale>
#include <QString>

// The help holds its pages in one folder per language: Czech under "cz/", English under "en/".
// The folder for someone who reads the program in this locale: Czech (and Slovak, whose readers
// get the Czech program on a first start) read the Czech pages, everyone else the English ones.
QString helpLanguageFolder(const QLocale &locale);

// Whether page (a path inside the file) belongs to that folder's language. Pages outside every
// language folder belong to every language.
bool isPageOfLanguage(const QString &page, const QString &folder);

// The entries of a contents or index tree that a reader of that folder's language is offered:
// entries that open a page of another language go with everything below them, and headings
// left without any entry below them go too.
QList<SitemapEntry> entriesOfLanguage(const QList<SitemapEntry> &entries, const QString &folder);

// An index in the order of the reader's alphabet, at every level: in Czech "čára" after "cena"
// and "chyba" after "hrana". Entries of the same name keep their order.
QList<SitemapEntry> sortedIndex(QList<SitemapEntry> entries, const QLocale &locale);
