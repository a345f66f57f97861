// Reading a compiled help file: the file itself through chmlib, its contents and index, which
// page a request opens, and where the help file is found.

#include "core/help/ChmFile.h"
#include "core/help/ChmLibrary.h"
#include "core/help/HelpLocation.h"
#include "core/help/HelpSitemap.h"
#include "core/help/HelpTopics.h"
#include "core/settings/TextFile.h"

#include "TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

class TestChmFile : public QObject {
    Q_OBJECT

    ChmLibrary library;

    static PageExists pages(const QStringList &names) {
        return [names](const QString &page) { return names.contains(page, Qt::CaseInsensitive); };
    }

private slots:
    void initTestCase() { QVERIFY2(library.isLoaded(), "chmlib is not installed"); }

    void aMissingLibraryLoadsNothing() {
        const ChmLibrary missing(QStringLiteral("no-such-chm-library"));
        QVERIFY(!missing.isLoaded());
        const ChmFile file(missing, QStringLiteral(TAVLINKO_TEST_CHM));
        QVERIFY(!file.isOpen());
        QVERIFY(!file.read(QStringLiteral("cz/index.html")));
    }

    void filesComeOutAsTheyWentIn_data() {
        QTest::addColumn<QString>("inside");
        QTest::newRow("page") << "cz/index.html";
        QTest::newRow("other folder") << "en/index.html";
        QTest::newRow("style sheet") << "cz/styl.css";
        QTest::newRow("picture") << "cz/obrazky/bod.png";
    }
    void filesComeOutAsTheyWentIn() {
        QFETCH(QString, inside);
        const ChmFile file(library, QStringLiteral(TAVLINKO_TEST_CHM));
        QVERIFY(file.isOpen());
        const std::optional<QByteArray> bytes = file.read(inside);
        QVERIFY(bytes);
        QCOMPARE(*bytes, readFile(QStringLiteral(TAVLINKO_TEST_DATA "/help/") + inside));
        // Links do not always agree with the file on letter case or a leading slash.
        QVERIFY(file.read(QLatin1Char('/') + inside.toUpper()));
    }

    void onlyOrdinaryFilesAreListed() {
        const ChmFile file(library, QStringLiteral(TAVLINKO_TEST_CHM));
        QVERIFY(file.files().contains(QStringLiteral("cz/nastaveni.html")));
        for (const QString &name : file.files())
            QVERIFY2(!name.startsWith(u'#') && !name.startsWith(u'$') && !name.endsWith(u'/'),
                     qPrintable(name));
        QVERIFY(!file.read(QStringLiteral("cz/chybi.html")));
        QVERIFY(!file.read(QStringLiteral("cz/")));
        QVERIFY(!file.firstWithExtension(QStringLiteral("hhc")).isEmpty());
    }

    void whatIsNoHelpFileOpensNothing_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("<html>not a help file</html>");
        QTest::newRow("cut short") << readFile(QStringLiteral(TAVLINKO_TEST_CHM)).left(300);
    }
    void whatIsNoHelpFileOpensNothing() {
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("broken.chm"));
        writeFile(path, content);
        const ChmFile file(library, path);
        QVERIFY(!file.read(QStringLiteral("cz/index.html")));
        const ChmFile folderAsFile(library, folder.path());
        QVERIFY(!folderAsFile.isOpen());
    }

    void theFixtureContentsNestAndDecode() {
        const ChmFile file(library, QStringLiteral(TAVLINKO_TEST_CHM));
        const QList<SitemapEntry> contents =
            parseSitemap(decodeText(*file.read(file.firstWithExtension(QStringLiteral("hhc")))));
        const QList<SitemapEntry> expected = {
            {QStringLiteral("Pravítko"),
             QStringLiteral("cz/index.html"),
             {{QStringLiteral("Nastavení & jednotky"), QStringLiteral("cz/nastaveni.html"), {}}}},
            {QStringLiteral("O programu"), QStringLiteral("cz/o_programu.html"), {}}};
        QCOMPARE(contents, expected);
    }

    void sitemapShapes_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("tree"); // name=local, children in brackets
        QTest::newRow("nothing") << ""
                                 << "";
        QTest::newRow("flat") << "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" "
                                 "value=\"A\"><param name=\"Local\" value=\"a.html\"></object>"
                                 "<li><object type=\"text/sitemap\"><param name=\"Name\" "
                                 "value=\"B\"></object></ul>"
                              << "A=a.html B=";
        QTest::newRow("two levels back to top")
            << "<UL><LI><OBJECT type='text/sitemap'><PARAM name=Name value=A></OBJECT>"
               "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A1\"></OBJECT>"
               "</UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"B\"></OBJECT>"
               "</UL>"
            << "A=[A1=] B=";
        QTest::newRow("other objects skipped")
            << "<ul><li><object type=\"text/site properties\"><param name=\"Name\" value=\"X\">"
               "</object><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"A\">"
               "</object></ul>"
            << "A=";
        QTest::newRow("references") << "<ul><li><object type=\"text/sitemap\"><param "
                                       "name=\"Name\" value=\"&lt;&#268;&#x161;&quot;&bogus;\">"
                                       "</object></ul>"
                                    << "<Čš\"&bogus;=";
        QTest::newRow("unclosed lists") << "<ul><li><object type=\"text/sitemap\"><param "
                                           "name=\"Name\" value=\"A\"></object><ul><ul>"
                                        << "A=";
        QTest::newRow("stray closing lists") << "</ul></ul><ul><li><object type=\"text/sitemap\">"
                                                "<param name=\"Name\" value=\"A\"></object></ul>"
                                             << "A=";
    }
    void sitemapShapes() {
        QFETCH(QString, html);
        QFETCH(QString, tree);
        const std::function<QString(const QList<SitemapEntry> &)> show =
            [&show](const QList<SitemapEntry> &entries) {
                QStringList parts;
                for (const SitemapEntry &entry : entries)
                    parts << entry.name + '=' + entry.local +
                                 (entry.children.isEmpty() ? QString()
                                                           : '[' + show(entry.children) + ']');
                return parts.join(' ');
            };
        QCOMPARE(show(parseSitemap(html)), tree);
    }

    void topicsSplitAtTheDoubleColon_data() {
        QTest::addColumn<QString>("combined");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("page");
        QTest::newRow("with blank") << "/opt/t/tavlinko.chm ::/cz/index.html"
                                    << "/opt/t/tavlinko.chm"
                                    << "cz/index.html";
        QTest::newRow("without blank") << "a.chm::/en/x.html"
                                       << "a.chm"
                                       << "en/x.html";
        QTest::newRow("no page") << "a.chm"
                                 << "a.chm"
                                 << "";
        QTest::newRow("empty page") << "a.chm ::/"
                                    << "a.chm"
                                    << "";
    }
    void topicsSplitAtTheDoubleColon() {
        QFETCH(QString, combined);
        QFETCH(QString, file);
        QFETCH(QString, page);
        const HelpTopic topic = splitTopic(combined);
        QCOMPARE(topic.file, file);
        QCOMPARE(topic.page, page);
    }

    void keywordsFindTheirPage_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("page");
        QTest::newRow("a page") << "cz/nastaveni.html"
                                << "cz/nastaveni.html";
        QTest::newRow("a page with slash") << "/cz/index.html"
                                           << "/cz/index.html";
        QTest::newRow("index entry") << "Jednotky"
                                     << "cz/nastaveni.html#jednotky";
        QTest::newRow("nested index entry") << "záložky vodorovně"
                                            << "cz/index.html#vodorovne";
        QTest::newRow("beginning of an entry") << "zálo"
                                               << "cz/index.html#zalozky";
        QTest::newRow("exact entry before a longer one") << "záložky"
                                                         << "cz/index.html#zalozky";
        QTest::newRow("nothing") << "klávesy"
                                 << "";
        QTest::newRow("blank") << "  "
                               << "";
    }
    void keywordsFindTheirPage() {
        QFETCH(QString, keyword);
        QFETCH(QString, page);
        const QList<SitemapEntry> index = {
            {QStringLiteral("jednotky"), QStringLiteral("cz/nastaveni.html#jednotky"), {}},
            {QStringLiteral("záložky"),
             QStringLiteral("/cz/index.html#zalozky"),
             {{QStringLiteral("záložky vodorovně"),
               QStringLiteral("cz/index.html#vodorovne"),
               {}}}},
        };
        const QString found =
            keywordPage(keyword, index, pages({"cz/index.html", "cz/nastaveni.html"}));
        QCOMPARE(found, page.startsWith('/') ? page.mid(1) : page);
    }

    void otherLanguagesReadEnglishPages_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("czech");
        QTest::addColumn<QString>("shown");
        QTest::newRow("czech reader") << "cz/index.html" << true << "cz/index.html";
        QTest::newRow("english page exists") << "cz/index.html" << false << "en/index.html";
        QTest::newRow("with an anchor") << "cz/index.html#a" << false << "en/index.html#a";
        QTest::newRow("no english page") << "cz/jen_cesky.html" << false << "cz/jen_cesky.html";
        QTest::newRow("not a czech page") << "obrazky/a.png" << false << "obrazky/a.png";
    }
    void otherLanguagesReadEnglishPages() {
        QFETCH(QString, page);
        QFETCH(bool, czech);
        QFETCH(QString, shown);
        QCOMPARE(localizedPage(page, czech, pages({"en/index.html", "cz/index.html"})), shown);
    }

    void linksResolveAgainstTheirPage_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("page");
        QTest::newRow("same folder") << "cz/index.html"
                                     << "nastaveni.html"
                                     << "cz/nastaveni.html";
        QTest::newRow("sub folder") << "cz/index.html"
                                    << "obrazky/a.png"
                                    << "cz/obrazky/a.png";
        QTest::newRow("up") << "cz/index.html"
                            << "../en/index.html"
                            << "en/index.html";
        QTest::newRow("absolute") << "cz/index.html"
                                  << "/en/a.html"
                                  << "en/a.html";
        QTest::newRow("anchor dropped") << "cz/a.html"
                                        << "b.html#x"
                                        << "cz/b.html";
        QTest::newRow("above the top") << "cz/a.html"
                                       << "../../b.html"
                                       << "b.html";
    }
    void linksResolveAgainstTheirPage() {
        QFETCH(QString, from);
        QFETCH(QString, link);
        QFETCH(QString, page);
        QCOMPARE(resolvePage(from, link), page);
    }

    void theHelpFileIsFoundHereFirstThenBesideTheProgram_data() {
        QTest::addColumn<bool>("inCurrent");
        QTest::addColumn<bool>("inProgram");
        QTest::addColumn<QString>("found"); // which folder, or nothing
        QTest::newRow("current folder only") << true << false << "current";
        QTest::newRow("program folder only") << false << true << "program";
        QTest::newRow("both: current wins") << true << true << "current";
        QTest::newRow("neither") << false << false << "";
    }
    void theHelpFileIsFoundHereFirstThenBesideTheProgram() {
        QFETCH(bool, inCurrent);
        QFETCH(bool, inProgram);
        QFETCH(QString, found);
        QTemporaryDir current, program;
        if (inCurrent)
            writeFile(current.filePath("tavlinko.chm"), "x");
        if (inProgram)
            writeFile(program.filePath("tavlinko.chm"), "x");
        const QString before = QDir::currentPath();
        QDir::setCurrent(current.path());
        const QString result = ResolveHelpFile(QStringLiteral("tavlinko.chm"), program.path());
        QDir::setCurrent(before);
        const QString expected =
            found.isEmpty()
                ? QString()
                : QFileInfo((found == "current" ? current : program).filePath("tavlinko.chm"))
                      .absoluteFilePath();
        QCOMPARE(result, expected);
    }

    void aFolderOrAMissingAbsoluteNameIsNoHelpFile() {
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkdir("tavlinko.chm"));
        QCOMPARE(ResolveHelpFile(QStringLiteral("tavlinko.chm"), program.path()), QString());
        QCOMPARE(ResolveHelpFile(program.filePath("none.chm"), program.path()), QString());
        QCOMPARE(ResolveHelpFile(QString(), program.path()), QString());
        QCOMPARE(ResolveHelpFile(QStringLiteral(TAVLINKO_TEST_CHM), program.path()),
                 QStringLiteral(TAVLINKO_TEST_CHM));
    }
};

QTEST_GUILESS_MAIN(TestChmFile)
#include "tst_chmfile.moc"
