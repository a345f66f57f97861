// Edges on a line as wide as an 8K screen, and one frame of the loupe's picture: from a read
// of the screen with the ruler's own windows marked, and from the frames of two screen-cast
// streams, where only the loupe's square is converted (aim: well under 2 ms a frame).

#include "core/screen/EdgeSearch.h"
#include "core/screen/LoupePicture.h"
#include "core/screen/OwnWindows.h"
#include "core/screen/StreamMapping.h"

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

// The loupe beside the bar: part of the sample lies under the ruler's own windows.
void loupeFrameBesideOwnWindows(benchmark::State &state) {
    const int zoom = int(state.range(0));
    const int size = loupeSampleSize(zoom);
    QImage read(size, size, QImage::Format_RGB32);
    read.fill(qRgb(0x20, 0x50, 0xa0));
    const QPoint origin(500, 300);
    const QList<QRect> own = {QRect(origin + QPoint(size / 3, size / 2), QSize(600, 64)),
                              QRect(origin + QPoint(-200, size - 3), QSize(172, 200))};
    for (auto _ : state)
        benchmark::DoNotOptimize(loupePicture(withOwnWindowsUnread(read, origin, own), zoom));
}
BENCHMARK(loupeFrameBesideOwnWindows)->Arg(2)->Arg(8)->Arg(32)->Unit(benchmark::kMicrosecond);

// The loupe's square on the border of a 4K monitor at 200 % and a 1280 x 1024 one at 100 %,
// taken from their streams' frames with XWayland scaled by 2 and by the compositor.
void loupeSampleFromStreams(benchmark::State &state) {
    const double xScale = state.range(0) / 100.0;
    const QList<CastStream> streams = {{QRect(0, 0, 1920, 1080), QSize(3840, 2160)},
                                       {QRect(1920, 0, 1280, 1024), QSize(1280, 1024)}};
    QImage left(3840, 2160, QImage::Format_RGB32);
    left.fill(qRgb(0xc0, 0x10, 0x10));
    QImage right(1280, 1024, QImage::Format_RGB32);
    right.fill(qRgb(0x10, 0x10, 0xc0));
    const QRect sample = loupeSampleArea(QPoint(int(1920 * xScale), 500), 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(pictureFromFrames(sample, streams, {left, right}, xScale));
}
BENCHMARK(loupeSampleFromStreams)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
