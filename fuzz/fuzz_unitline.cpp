// Unit lines of the settings file: each input line becomes one numbered line of the unit
// section, which is loaded, recomputed and saved; the field splitter and the number reader
// also take the first line on their own.

#include "FuzzSupport.h"
#include "core/settings/RulerState.h"
#include "core/settings/TextFile.h"
#include "core/units/Units.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QStringList lines = splitLines(decodeText(fuzz::bytes(data, size)));
    QByteArray ini = "[Jednotky]\r\n";
    for (int i = 0; i < lines.size(); ++i)
        ini += QByteArray::number(i + 1) + '=' + lines[i].toUtf8() + "\r\n";
    RulerState s;
    s.SouborNastaveni =
        fuzz::writeInput(QStringLiteral("tavlinko.ini"),
                         reinterpret_cast<const uint8_t *>(ini.constData()), size_t(ini.size()));
    NactiJednotky(s);
    PrepocitejJednotky(s, 472);
    UlozJednotky(s);

    QString line = lines.value(0);
    for (int field = 0; field < 6 && !line.isEmpty(); ++field) {
        bool ok = false;
        const double number = parseUnitNumber(DalsiPole(line), &ok);
        if (ok)
            formatUnitNumber(number);
    }
    return 0;
}
