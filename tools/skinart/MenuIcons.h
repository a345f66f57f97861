#pragma once

#include <QString>

// The nine 24 x 24 pictures of the function menu under folder/menu.
void writeMenuIcons(const QString &folder);

// The settings dialog's built-in pictures under folder (shown where the desktop's icon theme
// has none): the four unit tools, the button glyphs and the two page pictures, each with an
// @2x picture for high-density screens.
void writeDialogIcons(const QString &folder);
