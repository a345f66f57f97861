// Start-up of the ruler window up to its first painted frame, beside an empty frameless window
// doing the same: the ruler should take no more than half as long again.

#include "app/MainForm.h"
#include "settings/RulerState.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

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
};

void firstFrame(QWidget &window) {
    window.show();
    window.repaint();
    QCoreApplication::processEvents();
}

void BM_EmptyFramelessWindow(benchmark::State &state) {
    for (auto _ : state) {
        QWidget window;
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setGeometry(211, 118, 472, 64);
        firstFrame(window);
    }
}
BENCHMARK(BM_EmptyFramelessWindow)->Unit(benchmark::kMillisecond);

void BM_RulerWindow(benchmark::State &state) {
    static ProgramFolder folder;
    for (auto _ : state) {
        RulerState ruler;
        ruler.CestaProgramu = folder.dir.path() + QLatin1Char('/');
        TMainForm window(ruler, {QStringLiteral("-readonly")});
        firstFrame(window);
    }
}
BENCHMARK(BM_RulerWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
