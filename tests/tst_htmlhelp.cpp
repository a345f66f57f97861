// Help: the requests the forms make and what reaches the engine, F1 in each window, a missing
// help file or engine, the help window showing pages from a small help file, what a page may
// reach outside the file, and the window used over time: history, anchors, language, search,
// finding, zoom and its remembered place.

#include "RulerFixture.h"
#include "core/help/HelpCommands.h"
#include "core/settings/HelpWindowPlace.h"
#include "core/settings/IniFile.h"
#include "core/translation/LangTranslator.h"
#include "core/translation/Translation.h"
#include "forms/about/AboutForm.h"
#include "forms/help/ChmBrowser.h"
#include "forms/help/HelpWindow.h"
#include "forms/help/HtmlHelpEngine.h"
#include "forms/help/HtmlHelpViewer.h"
#include "forms/settings/NastaveniForm.h"

#include <QApplication>
#include <QBuffer>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtMath>
#include <sys/stat.h>

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

    // A viewer with the real engine, which has the help file read by the reader program; its
    // texts in the translator's language when one is given.
    void startReal(TLangTranslator *translator = nullptr) {
        viewer = std::make_unique<THtmlHelpViewer>(program.path());
        viewer->setHelpFile(QStringLiteral("tavlinko.chm"));
        viewer->engine()->setReaderProgram(QStringLiteral(TAVLINKO_HELP_READER));
        if (translator)
            viewer->engine()->translate = [translator](const QString &czech,
                                                       const QStringList &arguments) {
                return translatedText(translator, czech, arguments);
            };
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
        TAboutForm &about = *ruler.form->aboutForm();
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
        QCOMPARE(index->count(), 3);
        emit index->itemActivated(index->item(2));
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
        QCOMPARE(window->windowTitle(), QStringLiteral("The ruler – Help – Tavlinko"));
        // Only the English book and entries are offered.
        auto *tree = window->findChild<QTreeWidget *>("treeObsah");
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("The ruler"));
        auto *index = window->findChild<QListWidget *>("listRejstrik");
        QCOMPARE(index->count(), 1);
        QCOMPARE(index->item(0)->text(), QStringLiteral("ruler"));
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

    HelpWindow *openPage(const QString &page) {
        return openReal([&](THtmlHelpViewer &help) { help.DisplayTopic(page); });
    }

    void refusedLinksStayAndSaySo_data() {
        QTest::addColumn<QString>("link");
        QTest::newRow("local file") << "file:///usr/share/applications/x.desktop";
        QTest::newRow("script") << "javascript:alert(1)";
        QTest::newRow("network share") << "smb://server/share/program.exe";
        QTest::newRow("data") << "data:text/html,<b>x</b>";
        QTest::newRow("ftp") << "ftp://example.org/file";
        QTest::newRow("other help file") << "ms-its:other.chm::/page.html";
        QTest::newRow("mail with attachment") << "mailto:a@example.org?attach=/etc/passwd";
        QTest::newRow("mail with a body") << "mailto:a@example.org?body=x";
        QTest::newRow("mail without address") << "mailto:";
        QTest::newRow("web without host") << "http:///page";
        QTest::newRow("another host as if inside") << "//example.org/page.html";
        QTest::newRow("inside scheme, other host") << "chm://example.org/cz/index.html";
    }
    void refusedLinksStayAndSaySo() {
        QFETCH(QString, link);
        QStringList external;
        HelpWindow *window = openPage(QStringLiteral("cz/index.html"));
        ChmBrowser *browser = window->browser();
        browser->openExternal = [&external](const QUrl &url) { external << url.toString(); };
        emit browser->anchorClicked(QUrl(link));
        QVERIFY(external.isEmpty());
        QCOMPARE(browser->page(), QStringLiteral("cz/index.html"));
        const QString note = window->findChild<QStatusBar *>("statusBar")->currentMessage();
        QVERIFY2(note.startsWith(QStringLiteral("Odkaz vede mimo nápovědu")), qPrintable(note));
    }

    void webAndPlainMailGoToTheDesktopAndShowWhereTheyLead_data() {
        QTest::addColumn<QString>("link");
        QTest::newRow("https") << "https://www.qt.io/";
        QTest::newRow("http") << "http://example.org/a";
        QTest::newRow("plain mail") << "mailto:autor@example.org";
    }
    void webAndPlainMailGoToTheDesktopAndShowWhereTheyLead() {
        QFETCH(QString, link);
        QStringList external;
        HelpWindow *window = openPage(QStringLiteral("cz/index.html"));
        ChmBrowser *browser = window->browser();
        browser->openExternal = [&external](const QUrl &url) { external << url.toString(); };
        emit browser->highlighted(QUrl(link));
        QCOMPARE(window->findChild<QStatusBar *>("statusBar")->currentMessage(), link);
        emit browser->anchorClicked(QUrl(link));
        QCOMPARE(external, QStringList{link});
    }

    // Pictures and style sheets that name something outside the file are never read from the
    // disk, whatever the path looks like; a FIFO would block here for good.
    void resourcesNeverComeFromTheDisk_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("type");
        QTest::newRow("absolute path") << "ABS" << int(QTextDocument::ImageResource);
        QTest::newRow("file address") << "file://ABS" << int(QTextDocument::ImageResource);
        QTest::newRow("out of the file by ../")
            << "../../../../../../../../..ABS" << int(QTextDocument::ImageResource);
        QTest::newRow("style sheet by file address")
            << "file://ABS" << int(QTextDocument::StyleSheetResource);
        QTest::newRow("FIFO") << "file://FIFO" << int(QTextDocument::ImageResource);
        QTest::newRow("device") << "file:///dev/zero" << int(QTextDocument::ImageResource);
        QTest::newRow("data address")
            << "data:image/png;base64,iVBORw0KGgo=" << int(QTextDocument::ImageResource);
    }
    void resourcesNeverComeFromTheDisk() {
        QFETCH(QString, source);
        QFETCH(int, type);
        const QString picture = program.filePath(QStringLiteral("red.png"));
        QImage red(8, 8, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(picture));
        const QString fifo = program.filePath(QStringLiteral("fifo"));
        QFile::remove(fifo);
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        source.replace(QStringLiteral("ABS"), picture).replace(QStringLiteral("FIFO"), fifo);

        HelpWindow *window = openPage(QStringLiteral("cz/index.html"));
        const QVariant loaded = window->browser()->document()->resource(type, QUrl(source));
        QVERIFY(loaded.toByteArray().isEmpty());
        // The same on a page: nothing red is drawn.
        window->browser()->setHtml(
            QStringLiteral("<img src=\"%1\" width=40 height=40>").arg(source));
        const QImage shown = window->browser()->viewport()->grab().toImage();
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                QVERIFY(shown.pixelColor(x, y) != QColor(Qt::red));
    }

    void anEntryWithAnAnchorOpensItsSectionAlsoWhenThePageIsShown() {
        HelpWindow *window = openPage(QStringLiteral("cz/nastaveni.html"));
        QScrollBar *scroll = window->browser()->verticalScrollBar();
        QCOMPARE(scroll->value(), 0);
        auto *index = window->findChild<QListWidget *>("listRejstrik");
        emit index->itemActivated(index->item(0)); // jednotky: cz/nastaveni.html#jednotky
        QVERIFY(scroll->value() > 0);
        const int section = scroll->value();
        // The contents highlight the very section shown.
        auto *tree = window->findChild<QTreeWidget *>("treeObsah");
        QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Jednotky"));
        scroll->setValue(0);
        emit index->itemActivated(index->item(0));
        QCOMPARE(scroll->value(), section);
        window->browser()->backward();
        QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Nastavení & jednotky"));
    }

    void helpUsedOverTimeKeepsItsHistory() {
        startReal();
        RulerFixture ruler;
        ruler.start();
        ruler.form->setHelp(*viewer);
        QTest::keyClick(ruler.form.get(), Qt::Key_F1);
        QVERIFY(settled());
        HelpWindow *window = viewer->engine()->window();
        QVERIFY(window);
        // Owned by the ruler, which is ended below.
        auto *nastaveni = new TNastaveniForm(ruler.state, ruler.form.get());
        nastaveni->show();
        // F1 on a page of the settings opens the section about that page.
        QTest::keyClick(nastaveni->findChild<QWidget *>("tabJednotky"), Qt::Key_F1);
        QCOMPARE(window->browser()->source().toString(),
                 QStringLiteral("chm:///cz/nastaveni.html#jednotky"));
        QVERIFY(window->browser()->verticalScrollBar()->value() > 0);
        // The second request added to the history instead of starting it anew.
        QVERIFY(window->findChild<QAction *>("actionZpet")->isEnabled());
        window->findChild<QAction *>("actionZpet")->trigger();
        QCOMPARE(window->browser()->page(), QStringLiteral("cz/index.html"));

        // An indented index entry is found by typing it, accents or not.
        auto *filter = window->findChild<QLineEdit *>("editHledat");
        auto *index = window->findChild<QListWidget *>("listRejstrik");
        QTest::keyClicks(filter, QStringLiteral("vlastni"));
        QCOMPARE(index->currentItem()->text().trimmed(), QStringLiteral("vlastní"));
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(window->browser()->page(), QStringLiteral("cz/nastaveni.html"));
        ruler.form.reset();
        QVERIFY(!window->isVisible());
    }

    void aBoxOverADialogSendsNoHelpRequest() {
        watch();
        RulerFixture ruler;
        ruler.start();
        TNastaveniForm nastaveni(ruler.state, ruler.form.get());
        nastaveni.show();
        QMessageBox box(QMessageBox::Question, QStringLiteral("Tavlinko"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No, &nastaveni);
        box.show();
        QTest::keyClick(&box, Qt::Key_F1);
        QTest::keyClick(box.button(QMessageBox::Yes), Qt::Key_F1);
        QVERIFY(requests.isEmpty());
    }

    void theDialogsAreModalToTheRulerOnly() {
        RulerFixture ruler;
        ruler.start();
        QList<Qt::WindowModality> seen;
        const auto closeDialog = [&seen] {
            QWidget *dialog = QApplication::activeModalWidget();
            seen << (dialog ? dialog->windowModality() : Qt::NonModal);
            if (dialog)
                dialog->close();
        };
        QTimer::singleShot(0, closeDialog);
        ruler.form->Nastaveni();
        QTimer::singleShot(0, closeDialog);
        ruler.form->OProgramu();
        QCOMPARE(seen, (QList<Qt::WindowModality>{Qt::WindowModal, Qt::WindowModal}));
    }

    void searchFindsPagesOfTheLanguageBestFirst_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("without accents, in the title first")
            << "nastaveni" << QStringList{"cz/nastaveni.html", "cz/index.html"};
        QTest::newRow("the start of a word") << "zalozk" << QStringList{"cz/index.html"};
        QTest::newRow("every word must be there") << "záložky vlastní" << QStringList{};
        QTest::newRow("a word on two pages, more often first")
            << "pravitko" << QStringList{"cz/index.html", "cz/nastaveni.html"};
        QTest::newRow("pages of another language are not searched") << "ruler" << QStringList{};
        QTest::newRow("markup is no text") << "href" << QStringList{};
    }
    void searchFindsPagesOfTheLanguageBestFirst() {
        QFETCH(QString, query);
        QFETCH(QStringList, pages);
        HelpWindow *window = openPage(QStringLiteral("cz/o_programu.html"));
        auto *edit = window->findChild<QLineEdit *>("editHledatText");
        auto *results = window->findChild<QListWidget *>("listVysledky");
        edit->setText(query);
        emit edit->returnPressed();
        QStringList found;
        for (int row = 0; row < results->count(); ++row)
            if (results->item(row)->flags() & Qt::ItemIsEnabled)
                found << results->item(row)->data(Qt::UserRole).toString();
        QCOMPARE(found, pages);
        if (pages.isEmpty())
            return;
        emit results->itemActivated(results->item(0));
        QCOMPARE(window->browser()->page(), pages.first());
        QVERIFY(window->browser()->markCount() > 0);
        // The marks belong to that page only.
        window->browser()->showPage(QStringLiteral("cz/o_programu.html"));
        QCOMPARE(window->browser()->markCount(), 0);
    }

    // The help's messages with a name in them go through the language like any other text,
    // and the name is put in once: a "%s" the user typed stays as typed.
    void messagesWithANameAreTranslatedAndFilledOnce_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text not on the page") << "find"
                                              << "Not on this page: x%sy";
        QTest::newRow("refused link") << "link"
                                      << "Not opened: ftp://example.org/file";
        QTest::newRow("page missing from the file") << "page"
                                                    << "No page cz/chybi.html here.";
    }
    void messagesWithANameAreTranslatedAndFilledOnce() {
        QFETCH(QString, what);
        QFETCH(QString, expected);
        TLangTranslator translator;
        translator.setTemplate({"1: MESSAGE \"Text %s na stránce není.\"",
                                "2: MESSAGE \"Odkaz vede mimo nápovědu a neotevře se: %s\"",
                                "3: MESSAGE \"Stránka %s v souboru nápovědy chybí.\""});
        const QString language = QDir(elsewhere.path()).filePath(QStringLiteral("english.lng"));
        writeFile(language, "1=Not on this page: %s\r\n2=Not opened: %s\r\n"
                            "3=No page %s here.\r\n");
        translator.setLanguageFile(language);
        startReal(&translator);
        viewer->DisplayTopic(QStringLiteral("cz/index.html"));
        QVERIFY(settled());
        HelpWindow *window = viewer->engine()->window();
        QVERIFY(window);
        ChmBrowser *browser = window->browser();
        browser->openExternal = [](const QUrl &) {};
        if (what == u"find") {
            window->findChild<QAction *>("actionNajit")->trigger();
            window->findChild<QLineEdit *>("editNajit")->setText(QStringLiteral("x%sy"));
            window->findChild<QAction *>("actionNajitDalsi")->trigger();
        } else {
            emit browser->anchorClicked(QUrl(what == u"link"
                                                 ? QStringLiteral("ftp://example.org/file")
                                                 : QStringLiteral("chybi.html")));
        }
        const QString shown = what == u"page"
                                  ? browser->toPlainText()
                                  : window->findChild<QStatusBar *>("statusBar")->currentMessage();
        QCOMPARE(shown.trimmed(), expected);
    }

    // In another language every caption of the help window is in it, and every control that
    // takes the focus tells assistive technology what it is.
    void theWindowSpeaksTheLanguageAndNamesItsControls() {
        TLangTranslator translator;
        translator.LoadDefinition(
            QStringLiteral(TAVLINKO_SOURCE_DIR "/data/jazyky/tavlinko30.lnd"));
        translator.setLanguageFile(QStringLiteral(TAVLINKO_SOURCE_DIR "/data/jazyky/english.lng"));
        startReal(&translator);
        viewer->DisplayTopic(QStringLiteral("cz/index.html"));
        QVERIFY(settled());
        HelpWindow *window = viewer->engine()->window();
        QVERIFY(window);
        auto *sides = window->findChild<QTabWidget *>();
        QVERIFY(sides);
        QStringList tabs;
        for (int i = 0; i < sides->count(); ++i)
            tabs << sides->tabText(i);
        QCOMPARE(tabs, QStringList({"Contents", "Index", "Search"}));
        window->findChild<QAction *>("actionNajit")->trigger();
        for (QWidget *control : window->findChildren<QWidget *>()) {
            // A tab bar is read by its tabs' captions.
            if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(window) ||
                qobject_cast<QAbstractScrollArea *>(control->parentWidget()) ||
                qobject_cast<QTabBar *>(control))
                continue;
            QVERIFY2(!control->accessibleName().isEmpty(),
                     qPrintable(QString::fromLatin1(control->metaObject()->className()) + u' ' +
                                control->objectName()));
        }
    }

    void findOnThePageGoesRoundAndSaysWhenTheTextIsNotThere() {
        HelpWindow *window = openPage(QStringLiteral("cz/nastaveni.html"));
        window->findChild<QAction *>("actionNajit")->trigger();
        auto *edit = window->findChild<QLineEdit *>("editNajit");
        QVERIFY(edit->isVisibleTo(window));
        QTest::keyClicks(edit, QStringLiteral("Jednotky"));
        const int first = window->browser()->textCursor().selectionStart();
        QVERIFY(first > 0);
        QAction *next = window->findChild<QAction *>("actionNajitDalsi");
        next->trigger();
        QVERIFY(window->browser()->textCursor().selectionStart() > first);
        next->trigger(); // past the last one, round to the first
        QCOMPARE(window->browser()->textCursor().selectionStart(), first);
        edit->setText(QStringLiteral("neexistuje"));
        next->trigger();
        QVERIFY(window->findChild<QStatusBar *>("statusBar")
                    ->currentMessage()
                    .contains(QStringLiteral("neexistuje")));
    }

    void zoomScalesTheSizesThePageSetsAndComesBackExactly() {
        HelpWindow *window = openPage(QStringLiteral("cz/index.html"));
        ChmBrowser *browser = window->browser();
        const auto headingSize = [browser] {
            QTextCursor heading(browser->document());
            heading.movePosition(QTextCursor::NextCharacter);
            return heading.charFormat().font().pointSizeF();
        };
        const double normal = headingSize();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        const auto press = [window](int key, int times) {
            for (int i = 0; i < times; ++i)
                QTest::keyClick(window, Qt::Key(key), Qt::ControlModifier);
        };
        press(Qt::Key_Plus, 2);
        QVERIFY(qAbs(headingSize() - normal * 1.15 * 1.15) < 0.01);
        // A page opened while zoomed is shown at the same size.
        browser->showPage(QStringLiteral("cz/o_programu.html"));
        browser->backward();
        QVERIFY(qAbs(headingSize() - normal * 1.15 * 1.15) < 0.01);
        QTest::keyClick(window, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(headingSize(), normal);
        // Eight steps each way, and not one more.
        press(Qt::Key_Plus, 8);
        const double largest = headingSize();
        QVERIFY(qAbs(largest - normal * qPow(1.15, 8)) < 0.01);
        press(Qt::Key_Plus, 1);
        QCOMPARE(headingSize(), largest);
        press(Qt::Key_Minus, 17);
        const double smallest = headingSize();
        QVERIFY(qAbs(smallest - normal * qPow(1.15, -8)) < 0.01);
        press(Qt::Key_Minus, 1);
        QCOMPARE(headingSize(), smallest);
        press(Qt::Key_Plus, 8);
        QCOMPARE(headingSize(), normal);
    }

    // A contents entry that leads out of the file is refused as a link would be, and the page
    // shown stays.
    void aContentsEntryLeavingTheFileKeepsThePage() {
        HelpWindow *window = openPage(QStringLiteral("cz/index.html"));
        QTreeWidget *contents = window->findChild<QTreeWidget *>("treeObsah");
        auto *outside = new QTreeWidgetItem(contents, {QStringLiteral("Ven")});
        outside->setData(0, Qt::UserRole, QStringLiteral("file:///etc/passwd"));
        emit contents->itemClicked(outside, 0);
        QCOMPARE(window->browser()->page(), QStringLiteral("cz/index.html"));
        QVERIFY(!window->browser()->toPlainText().isEmpty());
        QVERIFY(window->findChild<QStatusBar *>("statusBar")
                    ->currentMessage()
                    .startsWith(QStringLiteral("Odkaz vede mimo nápovědu")));
    }

    void theTitleNamesThePageAndTheProgramOnce_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::newRow("a page") << "cz/index.html"
                                << "Pravítko – Nápověda – Tavlinko";
        QTest::newRow("a page that names the program") << "cz/o_programu.html"
                                                       << "O programu – Nápověda – Tavlinko";
    }
    void theTitleNamesThePageAndTheProgramOnce() {
        QFETCH(QString, page);
        QFETCH(QString, title);
        const QString before = QGuiApplication::applicationDisplayName();
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Tavlinko"));
        HelpWindow *window = openPage(page);
        const QString shown = window->windowTitle();
        QGuiApplication::setApplicationDisplayName(before);
        QCOMPARE(shown, title);
    }

    void theWindowsPlaceIsKeptInTheSettingsFile() {
        startReal();
        RulerFixture ruler;
        ruler.start();
        ruler.form->setHelp(*viewer);
        QTest::keyClick(ruler.form.get(), Qt::Key_F1);
        QVERIFY(settled());
        HelpWindow *window = viewer->engine()->window();
        window->setGeometry(40, 50, 700, 500);
        window->findChild<QSplitter *>("splitter")->setSizes({300, 400});
        const HelpWindowPlace left = window->place();
        viewer->SoftShutDown();
        QCOMPARE(readHelpWindowPlace(IniFile(ruler.state.SouborNastaveni)), left);
        QCOMPARE(left.contentsWidth, 300);
        ruler.form.reset();
        viewer.reset();

        // Help opened in the next run stands where it was left.
        startReal();
        RulerFixture next;
        next.start();
        next.form->setHelp(*viewer);
        next.state.SouborNastaveni = ruler.state.SouborNastaveni;
        QTest::keyClick(next.form.get(), Qt::Key_F1);
        QVERIFY(settled());
        QCOMPARE(viewer->engine()->window()->place(), left);
    }

    // Shown again in the same run, the window stands where it was closed, whatever the desktop
    // did with it meanwhile.
    void theWindowReopensWhereItWasClosed() {
        HelpWindow *window = openPage(QStringLiteral("cz/index.html"));
        window->setGeometry(60, 70, 640, 480);
        const HelpWindowPlace left = window->place();
        window->close();
        window->move(0, 0);
        viewer->DisplayTopic(QStringLiteral("cz/nastaveni.html"));
        QVERIFY(window->isVisible());
        QCOMPARE(window->place(), left);
    }

    // The window no larger than a monitor and wholly on one; the pane keeps its width unless the
    // window had to be made narrower.
    void aStoredPlaceIsFittedToTheMonitors_data() {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<int>("contents");
        QTest::addColumn<QRect>("fitted");
        QTest::addColumn<int>("fittedContents");
        // Available areas: a 1920 x 1050 monitor and a 1280 x 1000 one to its right.
        QTest::newRow("fits") << QRect(100, 100, 800, 600) << 700 << QRect(100, 100, 800, 600)
                              << 700;
        QTest::newRow("as large as the monitor")
            << QRect(0, 0, 1920, 1050) << 300 << QRect(0, 0, 1920, 1050) << 300;
        QTest::newRow("one pixel wider than the monitor")
            << QRect(0, 0, 1921, 1050) << 300 << QRect(0, 0, 1920, 1050) << 300;
        QTest::newRow("one pixel higher than the monitor")
            << QRect(0, 0, 1920, 1051) << 300 << QRect(0, 0, 1920, 1050) << 300;
        QTest::newRow("the largest stored size")
            << QRect(10, 20, 32767, 32767) << 30000 << QRect(0, 0, 1920, 1050) << 1280;
        QTest::newRow("too high for the right monitor")
            << QRect(2000, 0, 800, 1200) << 200 << QRect(2000, 0, 800, 1000) << 200;
        QTest::newRow("off every monitor")
            << QRect(5000, 100, 700, 500) << 200 << QRect(2500, 100, 700, 500) << 200;
        QTest::newRow("across the border, shown whole")
            << QRect(1500, 0, 1000, 500) << 200 << QRect(1500, 0, 1000, 500) << 200;
    }
    void aStoredPlaceIsFittedToTheMonitors() {
        QFETCH(QRect, stored);
        QFETCH(int, contents);
        QFETCH(QRect, fitted);
        QFETCH(int, fittedContents);
        const QList<QRect> monitors{QRect(0, 0, 1920, 1050), QRect(1920, 0, 1280, 1000)};
        const HelpWindowPlace place = fitOnMonitors({stored, contents}, monitors);
        QCOMPARE(place.geometry, fitted);
        QCOMPARE(place.contentsWidth, fittedContents);
    }

    void aStoredPlaceIsUsedOnlyWhenItIsUsable_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<bool>("usable");
        const auto place = [](int w, int h, int contents) {
            return QStringLiteral("[Napoveda]\nX=10\nY=20\nSirka=%1\nVyska=%2\nObsah=%3\n")
                .arg(w)
                .arg(h)
                .arg(contents)
                .toUtf8();
        };
        QTest::newRow("smallest") << place(200, 200, 0) << true;
        QTest::newRow("one pixel too narrow") << place(199, 400, 0) << false;
        QTest::newRow("one pixel too low") << place(400, 199, 0) << false;
        QTest::newRow("pane one pixel narrower than the window") << place(400, 400, 399) << true;
        QTest::newRow("pane as wide as the window") << place(400, 400, 400) << false;
        QTest::newRow("negative pane") << place(400, 400, -1) << false;
        QTest::newRow("largest") << place(32767, 32767, 0) << true;
        QTest::newRow("one past the largest") << place(32768, 400, 0) << false;
        QTest::newRow("a key missing") << QByteArray("[Napoveda]\nX=1\nY=1\nSirka=400\n") << false;
        QTest::newRow("not a number") << place(400, 400, 0).replace("X=10", "X=ten") << false;
    }
    void aStoredPlaceIsUsedOnlyWhenItIsUsable() {
        QFETCH(QByteArray, section);
        QFETCH(bool, usable);
        const QString path = program.filePath(QStringLiteral("place.ini"));
        writeFile(path, section);
        const HelpWindowPlace place = readHelpWindowPlace(IniFile(path));
        QCOMPARE(!place.geometry.isEmpty(), usable);
    }
};

QTEST_MAIN(TestHtmlHelp)
#include "tst_htmlhelp.moc"
