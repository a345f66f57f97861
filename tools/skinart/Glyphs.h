#pragma once

#include "SkinArt.h"

#include <QImage>

// Button pictures with alpha, to be flattened onto the bar where the skin places them.
// At scale 2 the same drawing fills a picture of twice the size.
QImage paintButton(const ButtonLook &look, Glyph glyph, int scale = 1);
QImage paintUnitsButton(const ButtonLook &look, int scale = 1);
QImage paintResizeArrow(const ButtonLook &look, int scale = 1);
