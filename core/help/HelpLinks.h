#pragma once

#include <QUrl>

// Where a link on a help page may lead. Pages of the file are shown in the help window; the web
// and plain mail addresses go to the desktop; everything else (local files, scripts, network
// shares, other help files, mail with attachments) would let a help file start programs or read
// the disk at one click, so it is refused.
enum class LinkTarget { Page, Desktop, Refused };

// The scheme pages inside the help file are addressed by: "chm:///cz/index.html#mereni".
QString helpPageScheme();
// That address of a path inside the file, with its anchor if it has one.
QUrl helpPageUrl(const QString &page);

// Classifies a link already resolved against the page it is on.
LinkTarget linkTarget(const QUrl &resolved);
