#pragma once

#include "SkinArt.h"

#include <QImage>

// Button pictures with alpha, to be flattened onto the bar where the skin places them.
QImage paintButton(const ButtonLook &look, Glyph glyph);
QImage paintUnitsButton(const ButtonLook &look);
QImage paintResizeArrow(const ButtonLook &look);
