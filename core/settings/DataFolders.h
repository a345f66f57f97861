#pragma once

#include <QString>
#include <QStringList>

// Skins and language files are looked up by name in two places: the user's own data folder
// ($XDG_DATA_HOME/tavlinko/, so a user adds a skin or a language without root) and the data
// that ships with the program. The user's copy comes first and wins on a name clash. A kind of
// data is its subfolder's name: "skin" or "jazyky". Every look-up and listing goes through
// dataFolders, so a new place to look is added in one spot.

// The shipped data (skins, language files, the help file), ending with a separator: the
// program's folder itself when skin/ or jazyky/ stands there (portable use and the build tree),
// else ../share/tavlinko/ beside it (an installed program). cestaProgramu ends with a separator.
QString shippedDataFolder(const QString &cestaProgramu);

// Whether the program runs installed: its data comes from ../share/tavlinko/, not from beside
// it. The files there belong to the package and are never changed by the program.
bool isInstalled(const QString &cestaProgramu);

// $XDG_DATA_HOME/tavlinko/ (usually ~/.local/share/tavlinko/), ending with a separator. It may
// not exist yet.
QString userDataFolder();

// The folders that may hold data of one kind, in search order: the user's, then the shipped
// one. Each ends with a separator.
QStringList dataFolders(const QString &cestaProgramu, const QString &kind);

// Names (with extension, no folder) of the language files: regular files named *.lng in any
// letter case, hidden ones included. A name found in an earlier folder hides later ones.
QStringList languageFiles(const QString &cestaProgramu);

// Names of the skin folders. A name with a dot is never a skin (old.skin, backups, ".").
QStringList skinFolders(const QString &cestaProgramu);

// The path of a named data file or folder: in the first data folder that holds it, else where
// the shipped data would hold it, so a missing entry reads as missing.
QString dataFile(const QString &cestaProgramu, const QString &kind, const QString &name);

// The folder the external language editor works in, so that a language it saves lands where
// the program finds it: the user's own language folder when the program is installed, else the
// one beside the program. Created when missing.
QString languageEditingFolder(const QString &cestaProgramu);

// The language file to hand to the editor for a change. A shipped file of an installed program
// is first copied, with its flag, into the user's language folder, and the copy is handed over:
// the edit then lands there and wins over the shipped file. When the copy cannot be made, the
// shipped file itself.
QString editableLanguageFile(const QString &cestaProgramu, const QString &name);
