#pragma once

#include <QString>
#include <QStringList>

// Folders searched for the help file, in order: the current folder, then the program's own,
// so that help opens also when the ruler is started from a desktop menu.
QStringList helpFileFolders(const QString &programFolder);

// The help file to open: name itself when it is absolute, else the first folder of
// helpFileFolders that holds it; an empty string when there is no such file.
QString ResolveHelpFile(const QString &name, const QString &programFolder);

// The help file reader, a program of its own (see HelpFileReader): beside the program in a
// build, in ../libexec/tavlinko/ when installed. The first of the two when neither exists.
QString helpReaderProgram(const QString &programFolder);
