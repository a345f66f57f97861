// Help: the time from F1 to the page shown with the shipped help file, which is read anew by
// the reader program as at the first F1 of a run; search over the shipped pages; a 16 MB page
// cleaned by the reader, shown and searched by the ruler (each must stay well under the 100 ms
// a window may freeze); and the contents and index parser on files made to be as hard as
// possible for it.

#include <benchmark/benchmark.h>

#include "core/help/HelpFileReader.h"
#include "core/help/HelpSearch.h"
#include "core/help/HelpSitemap.h"
#include "core/help/HtmlSanitizer.h"
#include "core/settings/TextFile.h"
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

std::shared_ptr<const HelpArchive> shippedHelp() {
    application();
    static std::shared_ptr<const HelpArchive> archive;
    if (archive)
        return archive;
    HelpFileReader reader(QStringLiteral(TAVLINKO_PROGRAM_DIR "/tavlinko-help-reader"));
    bool done = false;
    QObject::connect(&reader, &HelpFileReader::loaded,
                     [&](std::shared_ptr<const HelpArchive> read) {
                         archive = read;
                         done = true;
                     });
    QObject::connect(&reader, &HelpFileReader::failed, [&] { done = true; });
    reader.read(QStringLiteral(TAVLINKO_PROGRAM_DIR "/tavlinko.chm"));
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return archive;
}

void searchShippedHelp(benchmark::State &state) {
    const std::shared_ptr<const HelpArchive> help = shippedHelp();
    if (!help) {
        state.SkipWithError("the shipped help could not be read");
        return;
    }
    for (auto _ : state) {
        HelpSearchIndex index;
        for (const QString &path : help->files())
            if (path.startsWith(QLatin1String("cz/")) && path.endsWith(QLatin1String(".html")))
                index.addPage(path, decodeText(*help->read(path)));
        benchmark::DoNotOptimize(index.find(QStringLiteral("měřítko jednotky")));
    }
}
BENCHMARK(searchShippedHelp)->Unit(benchmark::kMillisecond);

QByteArray largePage() {
    return "<html><head><title>l</title></head><body><p>" +
           QByteArray("slovo <b>tučně</b> ").repeated(16 * 1024 * 1024 / 20) + "</body></html>";
}

// What the reader does to a 16 MB page before the ruler sees it.
void cleanLargePage(benchmark::State &state) {
    const QByteArray page = largePage();
    for (auto _ : state)
        benchmark::DoNotOptimize(HtmlSanitizer::cleanFile(QStringLiteral("l.html"), page));
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(cleanLargePage)->Unit(benchmark::kMillisecond);

// The ruler's side of that page: shown, marked at every hit, and searched.
void showLargePage(benchmark::State &state) {
    application();
    HelpArchive archive;
    archive.add(QStringLiteral("l.html"),
                HtmlSanitizer::cleanFile(QStringLiteral("l.html"), largePage()));
    ChmBrowser browser;
    browser.resize(800, 600);
    browser.setFile(&archive);
    for (auto _ : state) {
        browser.clear();
        browser.showPage(QStringLiteral("l.html"));
        browser.markWords({QStringLiteral("slovo")});
    }
}
BENCHMARK(showLargePage)->Unit(benchmark::kMillisecond);

void searchLargePage(benchmark::State &state) {
    const QString page =
        decodeText(HtmlSanitizer::cleanFile(QStringLiteral("l.html"), largePage()));
    for (auto _ : state) {
        HelpSearchIndex index;
        index.addPage(QStringLiteral("l.html"), page);
        benchmark::DoNotOptimize(index.find(QStringLiteral("slovo")));
    }
}
BENCHMARK(searchLargePage)->Unit(benchmark::kMillisecond);

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
