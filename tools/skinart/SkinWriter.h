#pragma once

#include "BarPainter.h"
#include "SkinArt.h"

#include <QImage>
#include <QString>

#include <array>

// Every bitmap of one skin, as written to its folder.
struct SkinPictures {
    BarPieces horizontal, vertical;
    QImage arrow, varrow, mark, vmark;
    std::array<QImage, GlyphCount> buttons;
    QImage units, resize;
};

// The length at which buttons are blended onto the bar: the ruler's default length.
inline constexpr int defaultLength = 472;

// At scale 2 every picture is drawn at twice the size, for screens of a high device pixel
// ratio.
SkinPictures drawSkin(const SkinArt &skin, int scale = 1);

// The seventeen bitmaps, their sharp "@2x" companions and skin.ini.
void writeSkin(const SkinArt &skin, const SkinPictures &pictures, const SkinPictures &sharp,
               const QString &folder);

// Just the six button pictures and the resize arrow.
void writeButtons(const SkinPictures &pictures, const QString &folder);
