// Help: the time from F1 to the page shown with the shipped help file, which is read anew by
// the reader program as at the first F1 of a run, and the contents and index parser on files
// made to be as hard as possible for it.

#include <benchmark/benchmark.h>

#include "core/help/HelpSitemap.h"
#include "forms/help/ChmBrowser.h"
#include "forms/help/HelpWindow.h"
#include "forms/help/HtmlHelpEngine.h"
#include "forms/help/HtmlHelpViewer.h"

#include <QApplication>
#include <QElapsedTimer>

namespace {

QApplication &application() {
    static int argc = 1;
    static char name[] = "bench_help";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void firstF1ToPageShown(benchmark::State &state) {
    application();
    for (auto _ : state) {
        THtmlHelpViewer viewer(QStringLiteral(TAVLINKO_PROGRAM_DIR));
        viewer.setHelpFile(QStringLiteral("tavlinko.chm"));
        viewer.engine()->setReaderProgram(
            QStringLiteral(TAVLINKO_PROGRAM_DIR "/tavlinko-help-reader"));
        QElapsedTimer clock;
        clock.start();
        viewer.ShowHelp(QStringLiteral("cz/index.html"));
        const auto shown = [&] {
            const HelpWindow *window = viewer.engine()->window();
            return window && window->isVisible() && !window->browser()->page().isEmpty();
        };
        while (!shown() && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!shown())
            state.SkipWithError("the help page was not shown");
    }
}
BENCHMARK(firstF1ToPageShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

QString entry(int number) {
    return QStringLiteral("<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"e%1 "
                          "&amp; &#268;\"><param name=\"Local\" value=\"cz/index.html\"></object>")
        .arg(number);
}

// 100 000 nested lists and 200 000 entries: both end at the caps, in time linear in the text.
void parseHostileSitemap(benchmark::State &state) {
    QString html;
    const bool nested = state.range(0) == 0;
    for (int i = 0; i < (nested ? 100000 : 200000); ++i)
        html += (nested ? QStringLiteral("<ul>") : QString()) + entry(i);
    for (auto _ : state)
        benchmark::DoNotOptimize(parseSitemap(html));
    state.SetLabel(nested ? "100000 levels" : "200000 entries");
    state.SetBytesProcessed(state.iterations() * html.size() * 2);
}
BENCHMARK(parseHostileSitemap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
