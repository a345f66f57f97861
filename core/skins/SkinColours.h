#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QString>

#include <optional>

// The application's palette, or the default one where no application runs (tools, plain tests).
inline QPalette currentPalette() {
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance())
               ? QGuiApplication::palette()
               : QPalette();
}

// Reads a skin colour: one of the 49 colour identifiers such as "clRed" or "clBtnFace" (any
// letter case), or an integer (decimal, "$" or "0x" hexadecimal) in the 0x00BBGGRR layout.
// System colour identifiers, and integers of the form 0x80000000 + index, take the colour of
// the matching role of palette. "clNone" is fully transparent; "clDefault" is the palette's
// text colour. Anything else gives no colour and sets *error to
// "'<text>' is not a valid integer value".
std::optional<QColor> parseSkinColour(const QString &text, QString *error = nullptr,
                                      const QPalette &palette = currentPalette());
