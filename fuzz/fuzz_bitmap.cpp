// A skin bitmap: the completeness check, the decoder, and keying the picture's transparency.

#include "FuzzSupport.h"
#include "core/skins/BitmapFile.h"
#include "core/skins/Skin.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QImage picture = decodeSkinBitmap(fuzz::bytes(data, size));
    transparentPicture(picture);
    // The same bytes as a whole skin's bar piece, through the skin loader.
    fuzz::writeInput(QStringLiteral("skin/Fuzz/middle.bmp"), data, size);
    SkinData skin;
    NactiSkinData(fuzz::folder() + QStringLiteral("skin/Fuzz"), skin);
    return 0;
}
