#pragma once

#include <QByteArray>
#include <QString>

// Language files, skin descriptions and settings files come from two worlds: older ones were
// saved in the Central European Windows code page, newer ones in UTF-8. Bytes that form valid
// UTF-8 are taken as UTF-8 (a leading byte order mark is dropped); anything else is read as
// Windows-1250, which maps every byte, so no file is ever rejected.
QString decodeText(const QByteArray &bytes);

// The whole file decoded as above; a missing or unreadable file reads as empty text.
QString readTextFile(const QString &path);
