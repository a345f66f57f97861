#pragma once

class QTextDocument;
class QWidget;

// Prints a document on a printer the user chooses in the print dialog. Qt's printing support
// is loaded only now, from a module of the program's own (tavlinko-print, beside the program
// or in ../libexec/tavlinko): linked to the program, it would be loaded at every start, and
// printing is seldom used. False when the module cannot be loaded.
bool printDocument(QTextDocument &document, QWidget *parent);

// The name of the module's one entry point: void (QTextDocument *, QWidget *parent).
inline constexpr char printEntryPoint[] = "tavlinkoPrintDocument";
