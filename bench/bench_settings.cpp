#include <benchmark/benchmark.h>

#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"
#include "core/units/Units.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

namespace {

// A settings file as a long-time user has it: both general sections and 100 units.
QByteArray settingsWithHundredUnits() {
    QByteArray text = "[Obecne]\nX=211\nY=118\nDelka=472\nPoloha=Horizontalni\nObracene=Ne\n"
                      "Jazyk=czech.lng\nVzhled=Funny\nVzdy nahore=Ne\nPruhlednost=255\n"
                      "[Mereni]\nJednotka=5\nRozliseni X=96\nRozliseni Y=96\n[Jednotky]\n";
    for (int i = 1; i <= 100; ++i)
        text += QByteArray::number(i) + "=Unit " + QByteArray::number(i) + ";u" +
                QByteArray::number(i) + ";" + QByteArray::number(i) + ",5;1;0,1\n";
    return text;
}

struct Fixture {
    QTemporaryDir dir;
    RulerState s;

    Fixture() {
        QLocale::setDefault(QLocale(QLocale::Czech));
        s.CestaProgramu = dir.path() + '/';
        s.SouborNastaveni = s.CestaProgramu + "tavlinko.ini";
        QFile file(s.SouborNastaveni);
        if (file.open(QIODevice::WriteOnly))
            file.write(settingsWithHundredUnits());
    }
};

void readSettingsAndUnits(benchmark::State &state) {
    Fixture f;
    for (auto _ : state) {
        QPoint pos(211, 118);
        NactiNastaveni(f.s, pos, QLocale(QLocale::Czech));
        NactiJednotky(f.s);
        benchmark::DoNotOptimize(f.s.Jednotky.data());
    }
    state.SetLabel(std::to_string(f.s.Jednotky.size()) + " units");
}
BENCHMARK(readSettingsAndUnits)->Unit(benchmark::kMicrosecond);

void writeUnitsAndSettings(benchmark::State &state) {
    Fixture f;
    NactiJednotky(f.s);
    int step = 0;
    for (auto _ : state) {
        // A changed value each time, so every save really reaches the disk.
        f.s.Jednotky[5].Hodnota = ++step;
        f.s.Pruhlednost = 100 + step % 100;
        UlozJednotky(f.s);
        UlozNastaveni(f.s, QRect(211, 118, 472, 40));
    }
}
BENCHMARK(writeUnitsAndSettings)->Unit(benchmark::kMicrosecond);

// A settings file that has met 10,000 monitors (a projector that reports a new serial number
// each time): reading and saving it must not take longer with their number than linearly. The
// first save leaves the 64 seen last, so each round starts from the full file again.
QByteArray settingsWithMonitors(int count) {
    QByteArray text = settingsWithHundredUnits();
    for (int i = 0; i < count; ++i)
        text += "[Monitor Maker Model " + QByteArray::number(i) +
                "]\nRozliseni X=100\nRozliseni Y=100\n";
    return text;
}

void readAndSaveTenThousandMonitors(benchmark::State &state) {
    Fixture f;
    const QByteArray full = settingsWithMonitors(10000);
    for (auto _ : state) {
        state.PauseTiming();
        QFile file(f.s.SouborNastaveni);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(full);
        file.close();
        state.ResumeTiming();
        QPoint pos(211, 118);
        NactiNastaveni(f.s, pos, QLocale(QLocale::Czech));
        UlozNastaveni(f.s, QRect(pos, QSize(472, 40)));
    }
    state.SetLabel(std::to_string(f.s.ownResolutions.size()) + " monitors kept");
}
BENCHMARK(readAndSaveTenThousandMonitors)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
