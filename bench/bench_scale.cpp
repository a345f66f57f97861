#include "core/drawing/ColourKey.h"
#include "core/drawing/ScaleDrawing.h"
#include "core/skins/Skin.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

struct Unit {
    double carka;
    double pixeluNaJednotku;
};

// Tick spacings of 5 pixels, 3.78 pixels and half a pixel.
const Unit units[] = {{5, 1}, {0.1, 96 / 2.54}, {0.05, 10}};

void setLabel(benchmark::State &state) {
    static const char *names[] = {"pixels", "centimetres", "half-pixel"};
    state.SetLabel(names[state.range(1)]);
}

// The redraw after a resize or a unit change: the scale strip and the bar background.
void BM_ScaleAndBar(benchmark::State &state) {
    ScaleParams params;
    params.length = int(state.range(0));
    params.carka = units[state.range(1)].carka;
    params.pixeluNaJednotku = units[state.range(1)].pixeluNaJednotku;
    QImage start, middle, end;
    VychoziDilek(start, 1, 64);
    VychoziDilek(middle, 5, 64);
    VychoziDilek(end, 1, 64);
    QImage strip;
    for (auto _ : state) {
        KresliTavlinkoHoriz(strip, params);
        QImage bar = Ramecek(start, middle, end, true, QSize(params.length, 64), 64);
        benchmark::DoNotOptimize(bar.constBits());
        benchmark::DoNotOptimize(strip.constBits());
    }
    setLabel(state);
}

// Making the strip's background transparent for showing it, which the window does after each
// redraw.
void BM_ScaleKeyed(benchmark::State &state) {
    ScaleParams params;
    params.length = int(state.range(0));
    params.carka = units[state.range(1)].carka;
    params.pixeluNaJednotku = units[state.range(1)].pixeluNaJednotku;
    QImage strip;
    KresliTavlinkoHoriz(strip, params);
    for (auto _ : state) {
        QImage shown = transparentByColour(strip, scaleBackground());
        benchmark::DoNotOptimize(shown.constBits());
    }
    setLabel(state);
}

void lengthsAndUnits(benchmark::internal::Benchmark *bench) {
    for (int length : {472, 1920, 7680})
        for (int unit = 0; unit < 3; ++unit)
            bench->Args({length, unit});
    bench->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_ScaleAndBar)->Apply(lengthsAndUnits);
BENCHMARK(BM_ScaleKeyed)->Apply(lengthsAndUnits);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts need the GUI application
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
