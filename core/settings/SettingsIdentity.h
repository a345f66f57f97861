#pragma once

#include <QString>

// The one name of a settings file, however it is reached: through a relative path, a link to
// the file or to one of its folders. It is the same before the file exists and after: the
// links of the file's own name are followed (a link may point to a file not yet written), then
// the folder's canonical path takes the final name.
QString canonicalSettingsFile(const QString &path);

// A short key of that name, fit for bus and file names: 32 hex digits of its SHA-256.
QString settingsFileKey(const QString &settingsFile);

// The session bus name that the ruler holding this settings file owns.
QString rulerBusName(const QString &settingsFile);
