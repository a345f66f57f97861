#pragma once

#include <QString>

// The nine 24 x 24 pictures of the function menu under folder/menu, and the window icon
// (folder/tavlinko.png, 32 x 32, with folder/tavlinko@2x.png for high-density screens).
void writeMenuIcons(const QString &folder);
