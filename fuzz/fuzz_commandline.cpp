// The command line: arguments separated by zero bytes, in a program folder with a settings
// file, a language file and a skin, so that every switch can find what it names.

#include "FuzzSupport.h"
#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"

#include <QStringList>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::startApplication();
    const uint8_t empty[] = "[Obecne]\r\n";
    fuzz::writeInput(QStringLiteral("tavlinko.ini"), empty, sizeof empty - 1);
    fuzz::writeInput(QStringLiteral("other.ini"), empty, sizeof empty - 1);
    fuzz::writeInput(QStringLiteral("jazyky/english.lng"), empty, sizeof empty - 1);
    QDir().mkpath(fuzz::folder() + QStringLiteral("skin/Wood"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QStringList arguments;
    for (const QByteArray &piece : fuzz::bytes(data, size).split('\0'))
        arguments << QString::fromUtf8(piece);
    RulerState s;
    s.CestaProgramu = fuzz::folder();
    s.SouborNastaveni = s.CestaProgramu + QStringLiteral("tavlinko.ini");
    NactiParametry(s, arguments);
    ZpracujPrepinace(s);
    return 0;
}
