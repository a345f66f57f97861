#pragma once

#include <QString>

// A ruler ended by a signal (a logout, a shutdown) shows no box: nobody would see it, and the
// session would wait for it. A failure to save then is noted in the session's runtime folder
// (gone when the session ends) and told at the next start with the same settings file.
void noteUnsavedSettings(const QString &settingsFile);
// Whether a note for this settings file is there; it is removed.
bool takeUnsavedSettingsNote(const QString &settingsFile);
