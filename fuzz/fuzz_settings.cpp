// The settings file: read, units loaded and recomputed, saved and read back.

#include "FuzzSupport.h"
#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"
#include "core/units/Units.h"

#include <QLocale>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    RulerState s;
    s.CestaProgramu = fuzz::folder();
    s.SouborNastaveni = fuzz::writeInput(QStringLiteral("tavlinko.ini"), data, size);
    QPoint place(211, 118);
    NactiNastaveni(s, place, QLocale::c());
    NactiJednotky(s);
    PrepocitejJednotky(s, s.Delka);
    languageFilePath(s);
    skinFolderPath(s);
    UlozNastaveni(s, QRect(place, QSize(s.Delka, 64)));
    UlozJednotky(s);
    RulerState again;
    again.SouborNastaveni = s.SouborNastaveni;
    NactiNastaveni(again, place, QLocale::c());
    NactiJednotky(again);
    return 0;
}
