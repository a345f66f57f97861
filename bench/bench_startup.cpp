// Start-up of the ruler up to its first painted frame, beside a bare frameless window doing the
// same: under X the ruler should take at most 1.05 times as long as the window that shows one
// digit, and stay within 2 MB of its resident size (text_ratio and text_MB_above).
//
// The whole process is timed, as a user feels it, on two platforms:
// - offscreen: this program starts itself again as a child that creates the application, shows
//   one of the two windows, paints it once and exits;
// - xcb: the real program and a bare Qt program with an empty window, and with a window that
//   shows one digit, run on an X display (a private Xvfb when DISPLAY is unset) and are watched
//   from outside until their window is mapped and painted; their resident size is read once
//   they have settled.
// Each row alternates the programs and reports medians. The in-process rows show what the
// ruler window itself adds on top of the application's start. With TAVLINKO_BASELINE_DIR set to
// another build's program folder, the xcb row times that build too, as baseline_text_ratio.

#include "XStartupWatch.h"
#include "core/settings/RulerState.h"
#include "forms/ruler/MainForm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

const char *const childSwitch = "--first-frame";

// Settings and arguments every started ruler shares: never write the settings file.
const QStringList rulerArguments = {QStringLiteral("-readonly")};

// Time the program is given after its first frame before its resident size is read: what it
// does at the first idle moment counts too.
constexpr int settleMs = 500;

// A program folder with the built program, its skins and languages and a stored settings file,
// as on every start but the first.
struct ProgramFolder {
    QTemporaryDir dir;
    explicit ProgramFolder(const QString &built) {
        copyFolder(QDir(built), dir.path());
        QFile::remove(path() + QStringLiteral("tavlinko.ini"));
        RulerState state;
        state.CestaProgramu = path();
        TMainForm first(state, {});
        first.show();
    }
    static void copyFolder(const QDir &source, const QString &to) {
        QDir().mkpath(to);
        for (const QString &name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), to + QLatin1Char('/') + name);
        for (const QString &name : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            copyFolder(QDir(source.filePath(name)), to + QLatin1Char('/') + name);
    }
    QString path() const { return dir.path() + QLatin1Char('/'); }
    QString program() const { return path() + QStringLiteral("tavlinko"); }
};

ProgramFolder &programFolder() {
    static ProgramFolder folder(QStringLiteral(TAVLINKO_PROGRAM_DIR));
    return folder;
}

// Another build's program folder, such as an older commit's build/bin, timed in the same rounds
// as this one: the rounds' common noise then falls out of the comparison.
const char *const baselineVariable = "TAVLINKO_BASELINE_DIR";

ProgramFolder *baselineFolder() {
    static std::unique_ptr<ProgramFolder> folder;
    const QString built = qEnvironmentVariable(baselineVariable);
    if (!folder && !built.isEmpty())
        folder = std::make_unique<ProgramFolder>(built);
    return folder.get();
}

XStartupWatch &xWatch() {
    static XStartupWatch watch;
    return watch;
}

void firstFrame(QWidget &window) {
    window.show();
    window.repaint();
    QCoreApplication::processEvents();
}

void showEmptyWindow() {
    QWidget window;
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setGeometry(211, 118, 472, 64);
    firstFrame(window);
}

void showRuler(const QString &programPath) {
    RulerState ruler;
    ruler.CestaProgramu = programPath;
    TMainForm window(ruler, rulerArguments);
    firstFrame(window);
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void BM_InProcessEmptyWindow(benchmark::State &state) {
    for (auto _ : state)
        showEmptyWindow();
}
BENCHMARK(BM_InProcessEmptyWindow)->Unit(benchmark::kMillisecond);

void BM_InProcessRuler(benchmark::State &state) {
    const QString path = programFolder().path();
    for (auto _ : state)
        showRuler(path);
}
BENCHMARK(BM_InProcessRuler)->Unit(benchmark::kMillisecond);

double offscreenChildMs(const QString &what) {
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(),
                {QLatin1String(childSwitch), what, programFolder().path()});
    if (!child.waitForFinished(30000) || child.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

void BM_OffscreenStartup(benchmark::State &state) {
    std::vector<double> empty, ruler;
    for (auto _ : state) {
        empty.push_back(offscreenChildMs(QStringLiteral("empty")));
        ruler.push_back(offscreenChildMs(QStringLiteral("ruler")));
        if (empty.back() < 0 || ruler.back() < 0) {
            state.SkipWithError("a child did not show its window");
            return;
        }
    }
    state.counters["empty_ms"] = median(empty);
    state.counters["ruler_ms"] = median(ruler);
    state.counters["ratio"] = median(ruler) / median(empty);
}
BENCHMARK(BM_OffscreenStartup)->Iterations(9)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_XcbStartup(benchmark::State &state) {
    XStartupWatch &watch = xWatch();
    if (!watch.isReady()) {
        state.SkipWithError(watch.error().toLocal8Bit().constData());
        return;
    }
    struct Contender {
        const char *name;
        QString program;
        QStringList arguments;
        std::vector<double> ms, cpuMs, mb;
    };
    std::vector<Contender> contenders = {
        {"empty", QStringLiteral(TAVLINKO_EMPTY_WINDOW), {}, {}, {}, {}},
        {"text", QStringLiteral(TAVLINKO_EMPTY_WINDOW), {QStringLiteral("--text")}, {}, {}, {}},
        {"ruler", programFolder().program(), rulerArguments, {}, {}, {}}};
    if (const ProgramFolder *baseline = baselineFolder())
        contenders.push_back({"baseline", baseline->program(), rulerArguments, {}, {}, {}});
    for (auto _ : state) {
        for (Contender &contender : contenders) {
            const auto sample = watch.timeStartup(contender.program, contender.arguments, settleMs);
            if (!sample) {
                state.SkipWithError(watch.error().toLocal8Bit().constData());
                return;
            }
            contender.ms.push_back(sample->firstFrameMs);
            contender.cpuMs.push_back(sample->cpuMs);
            contender.mb.push_back(sample->residentMb);
        }
    }
    for (const Contender &contender : contenders) {
        const std::string name = contender.name;
        state.counters[name + "_ms"] = median(contender.ms);
        state.counters[name + "_cpu_ms"] = median(contender.cpuMs);
        state.counters[name + "_MB"] = median(contender.mb);
    }
    const Contender &empty = contenders[0];
    const Contender &text = contenders[1];
    const Contender &ruler = contenders[2];
    state.counters["ratio"] = median(ruler.ms) / median(empty.ms);
    state.counters["cpu_ratio"] = median(ruler.cpuMs) / median(empty.cpuMs);
    for (auto it = contenders.begin() + 2; it != contenders.end(); ++it) {
        const std::string prefix = &*it == &ruler ? "" : it->name + std::string("_");
        state.counters[prefix + "text_ratio"] = median(it->ms) / median(text.ms);
        state.counters[prefix + "text_cpu_ratio"] = median(it->cpuMs) / median(text.cpuMs);
        state.counters[prefix + "text_MB_above"] = median(it->mb) - median(text.mb);
    }
}
BENCHMARK(BM_XcbStartup)->Iterations(21)->Unit(benchmark::kMillisecond)->UseRealTime();

// A ruler left alone must not wake up or use the processor.
void BM_XcbIdleRuler(benchmark::State &state) {
    XStartupWatch &watch = xWatch();
    if (!watch.isReady()) {
        state.SkipWithError(watch.error().toLocal8Bit().constData());
        return;
    }
    for (auto _ : state) {
        const auto idle = watch.watchIdle(programFolder().program(), rulerArguments, 1000, 10000);
        if (!idle) {
            state.SkipWithError(watch.error().toLocal8Bit().constData());
            return;
        }
        state.counters["cpu_s_in_10s"] = idle->cpuSeconds;
        state.counters["wakeups_in_10s"] = double(idle->wakeUps);
    }
}
BENCHMARK(BM_XcbIdleRuler)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int runChild(int argc, char **argv) {
    QApplication app(argc, argv);
    if (qstrcmp(argv[2], "ruler") == 0)
        showRuler(QString::fromLocal8Bit(argv[3]));
    else
        showEmptyWindow();
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 4 && qstrcmp(argv[1], childSwitch) == 0)
        return runChild(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
