#pragma once

#include "SkinArt.h"

#include <QImage>

// The measuring arrow (pointing up at the scale, hot column ArtSize::arrowCenter) and the
// marker (hot column ArtSize::markCenter), with alpha, for the lying bar.
QImage paintArrow(const PointerLook &look);
QImage paintMark(const PointerLook &look);
