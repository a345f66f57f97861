// Edges on a line as wide as an 8K screen, and one frame of the loupe's picture: from a read
// of the screen with the ruler's own windows marked, and from the frames of two screen-cast
// streams, where only the loupe's square is converted (aim: well under 2 ms a frame). Through
// the tests' stand-in portal and a PipeWire of its own: the time from the loupe's first read to
// its first true frame, and the processor time per frame while the loupe is shown.

#include "core/screen/EdgeSearch.h"
#include "core/screen/LoupePicture.h"
#include "core/screen/OwnWindows.h"
#include "core/screen/StreamMapping.h"
#include "forms/screencast/ScreenSource.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <ctime>
#include <memory>

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

// A private session bus with the stand-in portal, and a PipeWire streaming a 1920 x 1080
// monitor of boxes; started once, for the benchmarks that need them.
class SharedDesktop {
public:
    bool ready = false;
    QDBusConnection bus{QStringLiteral("bench")};

    SharedDesktop() {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
        m_pipeWire.setProcessEnvironment([] {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("PIPEWIRE_CONFIG_DIR", TAVLINKO_SOURCE_DIR "/tests/data");
            return environment;
        }());
        m_pipeWire.start("pipewire", {"-c", "pipewire-test.conf"});
        m_bus.start("dbus-daemon", {"--session", "--nofork", "--nosyslog", "--print-address=1"});
        const QString socket = m_dir.filePath("pipewire-0");
        for (int tries = 0; tries < 50 && !QFile::exists(socket); ++tries)
            QThread::msleep(100);
        m_boxes.start(TAVLINKO_PIPEWIRE_BOXES, {"1920", "1080", "800"});
        if (!m_bus.waitForReadyRead(5000) || !m_boxes.waitForReadyRead(5000))
            return;
        const QString address = QString::fromUtf8(m_bus.readLine()).trimmed();
        const QString node = QString::fromUtf8(m_boxes.readLine()).trimmed().section(u' ', 1);
        bus = QDBusConnection::connectToBus(address, QStringLiteral("bench"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", address);
        m_portal.setProcessEnvironment(environment);
        m_portal.start(TAVLINKO_PORTAL_STANDIN,
                       {"yes", m_dir.filePath("portal.log"), socket, node + ":0,0,1920,1080"});
        ready = bus.isConnected() && m_portal.waitForReadyRead(5000);
    }
    ~SharedDesktop() {
        for (QProcess *process : {&m_portal, &m_boxes, &m_pipeWire, &m_bus}) {
            process->kill();
            process->waitForFinished();
        }
    }

private:
    QTemporaryDir m_dir;
    QProcess m_pipeWire, m_bus, m_boxes, m_portal;
};

SharedDesktop &sharedDesktop() {
    static SharedDesktop desktop;
    return desktop;
}

std::unique_ptr<ScreenSource> portalSource(QString &token) {
    auto source = std::make_unique<ScreenSource>(token);
    source->bus = [] { return sharedDesktop().bus; };
    source->readX11 = [](const QRect &) { return QImage(); };
    source->underWayland = [] { return true; };
    source->xScreenSize = [] { return QSize(1920, 1080); };
    return source;
}

const QRect loupeSquare = loupeSampleArea(QPoint(1075, 500), defaultLoupeZoom);

// The loupe's reads until one shows the screen, as its timer makes them; null after 5 s.
QImage firstTrueFrame(ScreenSource &source) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000) {
        if (const QImage picture = source.read(loupeSquare);
            !picture.isNull() && wholeRead(picture))
            return picture;
        QEventLoop due;
        QTimer::singleShot(16, &due, &QEventLoop::quit);
        due.exec();
    }
    return {};
}

// F6 in a session where the desktop need not ask: the restore token from the last time, the
// portal's conversation, PipeWire's connection and the first frame of the blue box.
void firstTrueFrameThroughThePortal(benchmark::State &state) {
    if (!sharedDesktop().ready) {
        state.SkipWithError("no stand-in portal or PipeWire");
        return;
    }
    QString token;
    for (auto _ : state) {
        auto source = portalSource(token);
        if (firstTrueFrame(*source).isNull())
            state.SkipWithError("no frame came");
    }
}
BENCHMARK(firstTrueFrameThroughThePortal)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

// The loupe shown for a second, reading its square sixty times a second while the stream's
// frames come: the program's processor time for each of the loupe's frames, the stream's
// share included.
void processorTimePerFrame(benchmark::State &state) {
    if (!sharedDesktop().ready) {
        state.SkipWithError("no stand-in portal or PipeWire");
        return;
    }
    QString token;
    auto source = portalSource(token);
    if (firstTrueFrame(*source).isNull()) {
        state.SkipWithError("no frame came");
        return;
    }
    double perFrame = 0;
    for (auto _ : state) {
        int frames = 0;
        const std::clock_t start = std::clock();
        QElapsedTimer shown;
        shown.start();
        while (shown.elapsed() < 1000) {
            benchmark::DoNotOptimize(loupePicture(source->read(loupeSquare), defaultLoupeZoom));
            ++frames;
            // Until the next frame of the loupe is due, with the stream's frames coming.
            QEventLoop due;
            QTimer::singleShot(16, &due, &QEventLoop::quit);
            due.exec();
        }
        perFrame = double(std::clock() - start) / CLOCKS_PER_SEC * 1000 / qMax(1, frames);
    }
    state.counters["ms per frame"] = perFrame;
}
BENCHMARK(processorTimePerFrame)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
