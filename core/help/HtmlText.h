#pragma once

#include <QString>
#include <QStringView>

inline bool isAsciiLetterOrDigit(QChar c) {
    return c.unicode() < 128 && c.isLetterOrNumber();
}

// Small pieces of reading HTML: character references as help pages write them ("&amp;",
// "&#233;", "&#x10D;"), and checking what an attribute or a selector holds.

// The character the reference at html[at] stands for; consumed tells how many characters the
// reference takes, 0 when there is none there or it names nothing this reader knows.
QString decodeReference(QStringView html, qsizetype at, qsizetype *consumed);

// Whether html[at] starts a well-formed named reference ("&eacute;"), known here or not: the
// text engine knows more names than the few help pages need to have decoded.
bool startsNamedReference(QStringView html, qsizetype at);

// Whether text, not empty and at most longest characters, holds only ASCII letters, digits and
// these punctuation characters.
bool consistsOf(QStringView text, QLatin1String allowedPunctuation, qsizetype longest);
