#pragma once

#include "SkinArt.h"
#include "SkinWriter.h"

#include <QImage>

// The skin as the ruler shows it at its default length, lying and standing side by side, with
// a pixel scale, a reading, the arrow and two markers: for judging the artwork by eye.
QImage previewSkin(const SkinArt &skin, const SkinPictures &pictures);
