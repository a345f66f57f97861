#pragma once

#include <QString>
#include <QStringList>

// Where the program's data lives and what is installed there. Every listing of skins and
// languages goes through dataFolders, so a new place to look is added in one spot.

// The folders that may hold data of one kind ("skin", "jazyky"), the one beside the program
// first. cestaProgramu ends with a separator.
QStringList dataFolders(const QString &cestaProgramu, const QString &kind);

// Names (with extension, no folder) of the language files: regular files named *.lng in any
// letter case, hidden ones included. A name found in an earlier folder hides later ones.
QStringList languageFiles(const QString &cestaProgramu);

// Names of the skin folders. A name with a dot is never a skin (old.skin, backups, ".").
QStringList skinFolders(const QString &cestaProgramu);

// The path of a named data file or folder: in the first data folder that holds it, else where
// it would be beside the program.
QString dataFile(const QString &cestaProgramu, const QString &kind, const QString &name);
