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

SkinPictures drawSkin(const SkinArt &skin);

// The seventeen bitmaps and skin.ini.
void writeSkin(const SkinArt &skin, const SkinPictures &pictures, const QString &folder);

// Just the six button pictures and the resize arrow.
void writeButtons(const SkinPictures &pictures, const QString &folder);
