#pragma once

#include <QMessageBox>

// Every message box of the program is built here. Their texts carry file names, unit symbols,
// skin values and translated messages, all of which come from files anyone can hand the ruler;
// a box that let Qt guess the format would render such text as HTML (and load whatever an
// <img> tag names). These boxes always show their text as plain text.

// A box titled with the application's name; the caller shows it and owns it.
QMessageBox *createMessageBox(QMessageBox::Icon icon, const QString &text, QWidget *parent,
                              QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Builds the box, runs it modally and returns the button the user chose.
QMessageBox::StandardButton showMessageBox(QMessageBox::Icon icon, const QString &text,
                                           QWidget *parent,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok);
