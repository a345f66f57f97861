// Edges on a line as wide as an 8K screen, and one frame of the loupe's picture.

#include "core/screen/EdgeSearch.h"
#include "core/screen/LoupePicture.h"

#include <benchmark/benchmark.h>

namespace {

// A busy line: boxes, one-pixel lines, anti-aliased edges and noise.
QVector<QRgb> busyLine(int width) {
    QVector<QRgb> line(width);
    for (int x = 0; x < width; ++x) {
        const int level = (x / 37) % 2 ? 40 : 230;
        const int noise = (x * 7919) % 9 - 4;
        line[x] = qRgb(level + noise, level + noise, level);
    }
    return line;
}

void snapOnAnEightKLine(benchmark::State &state) {
    const QVector<QRgb> line = busyLine(7680);
    int press = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(spanAround(line, press, defaultEdgeTolerance));
        benchmark::DoNotOptimize(snapToEdge(line, press, edgeSnapReach, defaultEdgeTolerance));
        press = (press + 997) % 7680;
    }
}
BENCHMARK(snapOnAnEightKLine)->Unit(benchmark::kMicrosecond);

void loupeFrame(benchmark::State &state) {
    const int zoom = int(state.range(0));
    const int size = loupeSampleSize(zoom);
    QImage sample(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            sample.setPixel(x, y, qRgb(x * 11, y * 13, 90));
    for (auto _ : state) {
        benchmark::DoNotOptimize(loupePicture(sample, zoom));
        benchmark::DoNotOptimize(colourName(sample.pixel(size / 2, size / 2)));
    }
}
BENCHMARK(loupeFrame)->Arg(2)->Arg(8)->Arg(32)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
