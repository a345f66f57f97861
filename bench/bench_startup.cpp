// Start-up of the ruler up to its first painted frame, beside an empty frameless window doing
// the same: the ruler should take no more than half as long again.
//
// The whole process is timed, as a user feels it: this program starts itself again as a child
// that creates the application, shows one of the two windows, paints it once and exits. The
// in-process rows show what the ruler window itself adds on top of the application's start.

#include "core/settings/RulerState.h"
#include "forms/ruler/MainForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const char *const childSwitch = "--first-frame";

void copyFolder(const QString &from, const QString &to) {
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString &name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), to + QLatin1Char('/') + name);
    for (const QString &name : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        copyFolder(source.filePath(name), to + QLatin1Char('/') + name);
}

// A program folder with the shipped skins and languages and a stored settings file, as on
// every start but the first.
struct ProgramFolder {
    QTemporaryDir dir;
    ProgramFolder() {
        copyFolder(QStringLiteral(TAVLINKO_SOURCE_DIR "/data"), dir.path());
        RulerState state;
        state.CestaProgramu = dir.path() + QLatin1Char('/');
        TMainForm first(state, {});
        first.show();
    }
    QString path() const { return dir.path() + QLatin1Char('/'); }
};

ProgramFolder &programFolder() {
    static ProgramFolder folder;
    return folder;
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
    TMainForm window(ruler, {QStringLiteral("-readonly")});
    firstFrame(window);
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

void runChild(benchmark::State &state, const QString &what) {
    const QStringList arguments = {QLatin1String(childSwitch), what, programFolder().path()};
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), arguments);
        if (!child.waitForFinished(30000) || child.exitCode() != 0)
            state.SkipWithError("the child did not show its window");
    }
}

void BM_ProcessEmptyWindow(benchmark::State &state) {
    runChild(state, QStringLiteral("empty"));
}
BENCHMARK(BM_ProcessEmptyWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProcessRuler(benchmark::State &state) {
    runChild(state, QStringLiteral("ruler"));
}
BENCHMARK(BM_ProcessRuler)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && qstrcmp(argv[1], childSwitch) == 0) {
        QApplication app(argc, argv);
        if (qstrcmp(argv[2], "ruler") == 0)
            showRuler(QString::fromLocal8Bit(argv[3]));
        else
            showEmptyWindow();
        return 0;
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
