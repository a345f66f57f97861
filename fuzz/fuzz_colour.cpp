// A colour value of skin.ini.

#include "FuzzSupport.h"
#include "core/settings/TextFile.h"
#include "core/skins/SkinColours.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QString error;
    parseSkinColour(decodeText(fuzz::bytes(data, size)), &error);
    return 0;
}
