#pragma once

#include "SkinArt.h"

#include <QImage>

// The measuring arrow (pointing up at the scale, hot column ArtSize::arrowCenter) and the
// marker (hot column ArtSize::markCenter), with alpha, for the lying bar. At scale 2 (the
// "@2x" pictures) every length doubles, but the hot line stays one pixel wide, in the right
// one of the two columns the plain hot column becomes: there the ruler puts the device pixel
// it reads.
QImage paintArrow(const PointerLook &look, int scale = 1);
QImage paintMark(const PointerLook &look, int scale = 1);
