#pragma once

#include <QString>

// The program's icon, a small yellow ruler lying across the square: the window icon
// (source/forms/ruler/icons/tavlinko.bmp, 32 x 32, with @2x) and the desktop's copies in the
// hicolor theme under source/data/icons/hicolor (PNG at every usual size and the SVG), all from
// one drawing.
void writeAppIcons(const QString &source);
