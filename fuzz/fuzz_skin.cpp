// skin.ini with the layout of the controls and the drawing of the bar and the scale.

#include "FuzzSupport.h"
#include "core/drawing/ScaleDrawing.h"
#include "core/skins/Layout.h"
#include "core/skins/Skin.h"

#include <algorithm>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::writeInput(QStringLiteral("skin/Fuzz/skin.ini"), data, size);
    SkinData skin;
    QString error;
    NactiSkinData(fuzz::folder() + QStringLiteral("skin/Fuzz"), skin, &error);
    for (const bool horizontal : {true, false}) {
        const SkinSection &section = horizontal ? skin.horizontal : skin.vertical;
        // A short and a long bar; the window is as thick as the skin says. Longer bars only
        // repeat the same ticks and numbers: drawing them took most of each run, and the runs
        // were too few to explore the reader.
        for (const int length : {20, 300}) {
            const int thickness = std::max(1, section.ruleHeight);
            const QSize window = horizontal ? QSize(length, thickness) : QSize(thickness, length);
            for (const QPoint place : {section.buttonRotate, section.resizeArrow, section.unit})
                placeControl(place, QSize(16, 16), window);
            placeNumberLabel(section.number, QSize(40, 20), window);
            Ramecek(horizontal ? skin.start : skin.vstart, horizontal ? skin.middle : skin.vmiddle,
                    horizontal ? skin.end : skin.vend, horizontal, window, section.ruleHeight);
            ScaleParams params;
            params.length = length;
            params.tickColour = skin.meterColour;
            params.numberColour = skin.meterNumbersColour;
            QImage strip;
            if (horizontal)
                KresliTavlinkoHoriz(strip, params);
            else
                KresliTavlinkoVertik(strip, params);
        }
    }
    return 0;
}
