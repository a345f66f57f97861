#include "core/drawing/ColourKey.h"
#include "core/drawing/ScaleDrawing.h"
#include "core/skins/Skin.h"
#include "core/units/DevicePixels.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

struct Unit {
    double carka;
    double pixeluNaJednotku;
};

// Tick spacings of 5 pixels, 3.78 pixels and half a pixel.
const Unit units[] = {{5, 1}, {0.1, 96 / 2.54}, {0.05, 10}};

// The third argument is the screen's device pixel ratio in percent; lengths are in device
// pixels.
double ratioOf(const benchmark::State &state) {
    return state.range(2) / 100.0;
}

void setLabel(benchmark::State &state) {
    static const char *names[] = {"pixels", "centimetres", "half-pixel"};
    state.SetLabel(std::string(names[state.range(1)]) + " at ratio " +
                   std::to_string(ratioOf(state)).substr(0, 4));
}

ScaleParams paramsOf(const benchmark::State &state) {
    ScaleParams params;
    params.length = int(state.range(0));
    params.carka = units[state.range(1)].carka;
    params.pixeluNaJednotku = units[state.range(1)].pixeluNaJednotku;
    params.ratio = ratioOf(state);
    return params;
}

// The redraw after a resize or a unit change: the scale strip and the bar background, from
// pieces already at the screen's resolution (the window makes them once per skin and screen).
void BM_ScaleAndBar(benchmark::State &state) {
    const ScaleParams params = paramsOf(state);
    SkinData skin;
    VychoziDilek(skin.start, 1, 64);
    VychoziDilek(skin.middle, 5, 64);
    VychoziDilek(skin.end, 1, 64);
    const SkinBitmaps pieces = shownBitmaps(skin, params.ratio);
    const int thickness = deviceLength(64, params.ratio);
    QImage strip;
    for (auto _ : state) {
        KresliTavlinkoHoriz(strip, params);
        QImage bar = Ramecek(pieces.start, pieces.middle, pieces.end, true,
                             QSize(params.length, thickness), thickness);
        benchmark::DoNotOptimize(bar.constBits());
        benchmark::DoNotOptimize(strip.constBits());
    }
    setLabel(state);
}

// Making the strip's background transparent for showing it, which the window does after each
// redraw.
void BM_ScaleKeyed(benchmark::State &state) {
    const ScaleParams params = paramsOf(state);
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
            bench->Args({length, unit, 100});
    // A 4K screen at 200 %: the strip is twice as thick and its numbers twice as large.
    for (int length : {944, 3840, 7680})
        for (int unit = 0; unit < 3; ++unit)
            bench->Args({length, unit, 200});
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
