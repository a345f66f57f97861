// Help: the requests the forms make and what reaches the engine, F1 in each window, a missing
// help file or engine, and the help window showing pages from a small help file.

#include "RulerFixture.h"
#include "core/help/HelpCommands.h"
#include "forms/about/AboutForm.h"
#include "forms/help/ChmBrowser.h"
#include "forms/help/HelpWindow.h"
#include "forms/help/HtmlHelpEngine.h"
#include "forms/help/HtmlHelpViewer.h"
#include "forms/settings/NastaveniForm.h"

#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>

struct Request {
    QString file;
    int command;
    QVariant data;
};

class TestHtmlHelp : public QObject {
    Q_OBJECT

    QTemporaryDir elsewhere; // the current folder during the tests: no help file there
    QTemporaryDir program;   // the program's folder, with the help file
    QString helpFile;
    std::unique_ptr<THtmlHelpViewer> viewer;
    QList<Request> requests;

    // A viewer whose requests are recorded instead of carried out.
    void watch() {
        viewer = std::make_unique<THtmlHelpViewer>(program.path());
        viewer->setHelpFile(QStringLiteral("tavlinko.chm"));
        viewer->HtmlHelp = [this](const QString &file, int command, const QVariant &data) {
            requests.append({file, command, data});
        };
    }

    // A viewer with the real engine, which has the help file read by the reader program.
    void startReal() {
        viewer = std::make_unique<THtmlHelpViewer>(program.path());
        viewer->setHelpFile(QStringLiteral("tavlinko.chm"));
        viewer->engine()->setReaderProgram(QStringLiteral(TAVLINKO_HELP_READER));
    }

    // Waits until the help file has been read and the request carried out.
    bool settled() {
        return QTest::qWaitFor([this] { return !viewer->engine()->reading(); }, 10000);
    }

    HelpWindow *openReal(const std::function<void(THtmlHelpViewer &)> &request) {
        startReal();
        request(*viewer);
        return settled() ? viewer->engine()->window() : nullptr;
    }

    static bool anyWindowVisible() {
        for (const QWidget *widget : QApplication::topLevelWidgets())
            if (widget->isVisible())
                return true;
        return false;
    }

private slots:
    void initTestCase() {
        QDir::setCurrent(elsewhere.path());
        helpFile = program.filePath(QStringLiteral("tavlinko.chm"));
        QVERIFY(QFile::copy(QStringLiteral(TAVLINKO_TEST_CHM), helpFile));
    }

    void cleanup() {
        viewer.reset();
        requests.clear();
    }

    void requestsReachTheEngineWithTheirCommandAndData_data() {
        QTest::addColumn<int>("request");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("command");
        QTest::addColumn<QVariant>("data");
        QTest::newRow("keyword") << 0 << "" << int(HH_DISPLAY_INDEX)
                                 << QVariant(QStringLiteral("cz/nastaveni.html"));
        QTest::newRow("topic") << 1 << " ::/cz/index.html" << int(HH_DISPLAY_TOPIC) << QVariant(0);
        QTest::newRow("context") << 2 << "" << int(HH_HELP_CONTEXT) << QVariant(42);
        QTest::newRow("contents") << 3 << "" << int(HH_DISPLAY_TOC) << QVariant(0);
        QTest::newRow("close all") << 4 << "-" << int(HH_CLOSE_ALL) << QVariant(0);
    }
    void requestsReachTheEngineWithTheirCommandAndData() {
        QFETCH(int, request);
        QFETCH(QString, file);
        QFETCH(int, command);
        QFETCH(QVariant, data);
        watch();
        switch (request) {
        case 0:
            viewer->ShowHelp(QStringLiteral("cz/nastaveni.html"));
            break;
        case 1:
            viewer->DisplayTopic(QStringLiteral("cz/index.html"));
            break;
        case 2:
            viewer->DisplayHelpByContext(42);
            break;
        case 3:
            viewer->ShowTableOfContents();
            break;
        case 4:
            viewer->SoftShutDown();
            break;
        }
        QCOMPARE(requests.size(), 1);
        // Close all names no file; every other request names the help file found.
        QCOMPARE(requests[0].file, file == "-" ? QString() : helpFile + file);
        QCOMPARE(requests[0].command, command);
        QCOMPARE(requests[0].data, data);
    }

    void aContextRequestUsesTheFileItNames() {
        watch();
        viewer->DisplayHelpByContext(7, QStringLiteral(TAVLINKO_TEST_CHM));
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].file, QStringLiteral(TAVLINKO_TEST_CHM));
    }

    void f1InEachWindowSendsItsKeyword_data() {
        QTest::addColumn<QByteArray>("form");
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<QString>("keyword");
        QTest::newRow("ruler") << QByteArray("MainForm") << QByteArray() << "cz/index.html";
        QTest::newRow("ruler's unit label")
            << QByteArray("MainForm") << QByteArray("buttonJednotka") << "cz/index.html";
        QTest::newRow("settings") << QByteArray("NastaveniForm") << QByteArray()
                                  << "cz/nastaveni.html";
        QTest::newRow("about") << QByteArray("AboutForm") << QByteArray() << "cz/o_programu.html";
        QTest::newRow("about's OK button")
            << QByteArray("AboutForm") << QByteArray("buttonOK") << "cz/o_programu.html";
        QTest::newRow("about's pages")
            << QByteArray("AboutForm") << QByteArray("PageControl") << "cz/o_programu.html";
        QTest::newRow("a label on an about page")
            << QByteArray("AboutForm") << QByteArray("labelJmenoJ") << "cz/o_programu.html";
    }
    void f1InEachWindowSendsItsKeyword() {
        QFETCH(QByteArray, form);
        QFETCH(QByteArray, control);
        QFETCH(QString, keyword);
        watch();
        RulerFixture ruler;
        ruler.start();
        TAboutForm about(ruler.form.get());
        TNastaveniForm nastaveni(ruler.state, ruler.form.get());
        const QHash<QByteArray, QWidget *> forms = {
            {"MainForm", ruler.form.get()}, {"AboutForm", &about}, {"NastaveniForm", &nastaveni}};
        QWidget *target = forms[form];
        if (!control.isEmpty())
            target = target->findChild<QWidget *>(QLatin1String(control));
        QVERIFY(target);
        QTest::keyClick(target, Qt::Key_F1);
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].command, int(HH_DISPLAY_INDEX));
        QCOMPARE(requests[0].data.toString(), keyword);
        QCOMPARE(requests[0].file, helpFile);

        // F1 with a modifier is no help request.
        QTest::keyClick(target, Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(requests.size(), 1);
    }

    void withoutTheHelpFileNothingHappens() {
        QVERIFY(QFile::rename(helpFile, helpFile + ".away"));
        watch();
        viewer->ShowHelp(QStringLiteral("cz/index.html"));
        viewer->DisplayTopic(QStringLiteral("cz/index.html"));
        viewer->DisplayHelpByContext(1);
        viewer->ShowTableOfContents();
        QVERIFY(requests.isEmpty());
        viewer.reset();

        HelpWindow *window = openReal([](THtmlHelpViewer &help) {
            help.ShowHelp(QStringLiteral("cz/index.html"));
            help.ShowTableOfContents();
        });
        QVERIFY(QFile::rename(helpFile + ".away", helpFile));
        QVERIFY(!window);
        QVERIFY(!anyWindowVisible());
    }

    // The current folder is searched first, so anyone who can put a file there chooses what
    // F1 reads: the reader fails on it, the user is told once which file it was, and the
    // ruler goes on without a help window.
    void aHelpFileTheReaderCannotReadIsReportedByName_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << QByteArray("<html>not a help file</html>");
        QTest::newRow("cut short") << readFile(helpFile).left(4096);
    }
    void aHelpFileTheReaderCannotReadIsReportedByName() {
        QFETCH(QByteArray, content);
        const QString planted = QDir(elsewhere.path()).filePath(QStringLiteral("tavlinko.chm"));
        writeFile(planted, content);
        startReal();
        QStringList reports;
        viewer->engine()->reportFailure = [&reports](const QString &text) { reports << text; };
        RulerFixture ruler;
        ruler.start();
        ruler.form->setHelp(*viewer);
        QTest::keyClick(ruler.form.get(), Qt::Key_F1);
        const bool done = settled();
        QFile::remove(planted);
        QVERIFY(done);
        QCOMPARE(reports.size(), 1);
        QVERIFY(reports[0].contains(planted));
        QVERIFY(!viewer->engine()->window());
        QVERIFY(ruler.form->isVisible());
    }

    void aMissingEngineWarnsOnceAndTheRulerRunsWithoutHelp() {
        QStringList warnings;
        viewer = std::make_unique<THtmlHelpViewer>(
            program.path(), QStringLiteral("no-such-chm-library"),
            [&warnings](const QString &caption, const QString &text) {
                warnings << caption + '|' + text;
            });
        viewer->setHelpFile(QStringLiteral("tavlinko.chm"));
        QVERIFY(!viewer->engineLoaded());
        RulerFixture ruler;
        ruler.start();
        ruler.form->setHelp(*viewer);
        QVERIFY(ruler.form->isVisible());
        QTest::keyClick(ruler.form.get(), Qt::Key_F1);
        viewer->DisplayTopic(QStringLiteral("cz/index.html"));
        QCOMPARE(warnings, QStringList{"Warning!|Unable to view HTML help (*.chm). Update "
                                       "windows help system."});
        QVERIFY(!viewer->engine());
    }

    void aTopicShowsItsPageWithPictureAndStyleFromTheFile() {
        HelpWindow *window = openReal(
            [](THtmlHelpViewer &help) { help.DisplayTopic(QStringLiteral("cz/index.html")); });
        QVERIFY(window && window->isVisible());
        ChmBrowser *browser = window->browser();
        QCOMPARE(browser->page(), QStringLiteral("cz/index.html"));
        QVERIFY(window->windowTitle().startsWith(QStringLiteral("Pravítko")));
        // The heading takes its colour from the style sheet inside the file.
        QTextCursor heading(browser->document());
        heading.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(heading.charFormat().foreground().color(), QColor(0x00, 0x80, 0x00));
        // The red picture from inside the file is drawn.
        const QImage shown = browser->viewport()->grab().toImage();
        bool red = false;
        for (int y = 0; y < shown.height() && !red; ++y)
            for (int x = 0; x < shown.width() && !red; ++x)
                red = shown.pixelColor(x, y) == QColor(0xff, 0x00, 0x00);
        QVERIFY(red);
    }

    void keywordsOpenTheirPageAnEntryOrTheContents_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("side"); // 0 contents, 1 index
        QTest::newRow("a page") << "cz/nastaveni.html"
                                << "cz/nastaveni.html" << 0;
        QTest::newRow("an index entry") << "Jednotky"
                                        << "cz/nastaveni.html" << 1;
        QTest::newRow("nothing matches") << "kalibrace"
                                         << "cz/index.html" << 0;
    }
    void keywordsOpenTheirPageAnEntryOrTheContents() {
        QFETCH(QString, keyword);
        QFETCH(QString, page);
        QFETCH(int, side);
        HelpWindow *window = openReal([&](THtmlHelpViewer &help) { help.ShowHelp(keyword); });
        QVERIFY(window);
        QCOMPARE(window->browser()->page(), page);
        QCOMPARE(window->findChild<QTabWidget *>("PageControl")->currentIndex(), side);
    }

    void linksMoveWithinTheFileAndHistoryGoesBack() {
        QStringList external;
        HelpWindow *window = openReal(
            [](THtmlHelpViewer &help) { help.DisplayTopic(QStringLiteral("cz/index.html")); });
        ChmBrowser *browser = window->browser();
        browser->openExternal = [&external](const QUrl &url) { external << url.toString(); };
        emit browser->anchorClicked(QUrl(QStringLiteral("nastaveni.html")));
        QCOMPARE(browser->page(), QStringLiteral("cz/nastaveni.html"));
        QVERIFY(window->windowTitle().startsWith(QStringLiteral("Nastavení")));
        emit browser->anchorClicked(QUrl(QStringLiteral("https://www.qt.io/")));
        QCOMPARE(external, QStringList{"https://www.qt.io/"});
        QCOMPARE(browser->page(), QStringLiteral("cz/nastaveni.html"));
        browser->backward();
        QCOMPARE(browser->page(), QStringLiteral("cz/index.html"));
        browser->forward();
        QCOMPARE(browser->page(), QStringLiteral("cz/nastaveni.html"));
        // A link to a page the file lacks says so instead of showing an empty page.
        emit browser->anchorClicked(QUrl(QStringLiteral("chybi.html")));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("cz/chybi.html")));
    }

    void theContentsAndIndexComeFromTheFile() {
        HelpWindow *window = openReal([](THtmlHelpViewer &help) { help.ShowTableOfContents(); });
        auto *tree = window->findChild<QTreeWidget *>("treeObsah");
        QCOMPARE(tree->topLevelItemCount(), 2);
        QCOMPARE(tree->topLevelItem(0)->child(0)->text(0), QStringLiteral("Nastavení & jednotky"));
        auto *index = window->findChild<QListWidget *>("listRejstrik");
        QCOMPARE(index->count(), 2);
        emit index->itemActivated(index->item(1));
        QCOMPARE(window->browser()->page(), QStringLiteral("cz/index.html"));
        emit tree->itemActivated(tree->topLevelItem(1), 0);
        QCOMPARE(window->browser()->page(), QStringLiteral("cz/o_programu.html"));
    }

    void anEnglishReaderGetsTheEnglishPage() {
        startReal();
        RulerFixture ruler;
        ruler.shipLanguages();
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\nJazyk=english.lng\r\n");
        ruler.start();
        ruler.form->setHelp(*viewer);
        QTest::keyClick(ruler.form.get(), Qt::Key_F1);
        QVERIFY(settled());
        HelpWindow *window = viewer->engine()->window();
        QVERIFY(window);
        QCOMPARE(window->browser()->page(), QStringLiteral("en/index.html"));
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("Tavlinko Help")));
        // No English page of this name: the Czech one is shown.
        viewer->DisplayTopic(QStringLiteral("cz/o_programu.html"));
        QCOMPARE(window->browser()->page(), QStringLiteral("cz/o_programu.html"));
    }

    void closingAllAndEndingCloseTheWindow() {
        HelpWindow *window = openReal(
            [](THtmlHelpViewer &help) { help.DisplayTopic(QStringLiteral("cz/index.html")); });
        QVERIFY(window->isVisible());
        viewer->SoftShutDown();
        QVERIFY(!window->isVisible());
        viewer->ShowTableOfContents();
        QVERIFY(window->isVisible());
        viewer.reset();
        QVERIFY(!anyWindowVisible());
    }
};

QTEST_MAIN(TestHtmlHelp)
#include "tst_htmlhelp.moc"
