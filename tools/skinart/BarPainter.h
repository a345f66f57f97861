#pragma once

#include "SkinArt.h"

#include <QImage>

struct BarPieces {
    QImage start, middle, end;
};

// The three pieces of a bar: lying for the horizontal ruler (scale band at the top), standing
// for the vertical one (scale band at the left).
// At scale 2 the pieces are twice as large, with the texture sampled twice as finely.
BarPieces paintBarPieces(const BarLook &look, const SectionLayout &layout, bool vertical,
                         int scale = 1);
