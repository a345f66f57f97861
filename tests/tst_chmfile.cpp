// Reading a compiled help file: the file itself through chmlib, its contents and index, which
// page a request opens, and where the help file is found.

#include "core/help/ChmFile.h"
#include "core/help/ChmLibrary.h"
#include "core/help/HelpLanguage.h"
#include "core/help/HelpLocation.h"
#include "core/help/HelpSitemap.h"
#include "core/help/HelpTopics.h"
#include "core/help/HelpTransfer.h"
#include "core/help/HtmlSanitizer.h"
#include "core/settings/TextFile.h"

#include "HelpReading.h"
#include "TestFiles.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

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

    void theReaderHandsOverEveryFile_data() {
        QTest::addColumn<QString>("inside");
        QTest::newRow("page") << "cz/index.html";
        QTest::newRow("other folder") << "en/index.html";
        QTest::newRow("style sheet") << "cz/styl.css";
        QTest::newRow("picture") << "cz/obrazky/bod.png";
    }
    void theReaderHandsOverEveryFile() {
        QFETCH(QString, inside);
        const std::shared_ptr<const HelpArchive> archive =
            readThroughReader(QStringLiteral(TAVLINKO_TEST_CHM));
        QVERIFY(archive);
        const std::optional<QByteArray> bytes = archive->read(inside);
        QVERIFY(bytes);
        // Pages and style sheets come over cleaned, everything else as it went in.
        QCOMPARE(*bytes,
                 HtmlSanitizer::cleanFile(
                     inside, readFile(QStringLiteral(TAVLINKO_TEST_DATA "/help/") + inside)));
        // Links do not always agree with the file on letter case or a leading slash.
        QVERIFY(archive->read(QLatin1Char('/') + inside.toUpper()));
        // Only ordinary files come over, none of chmlib's system entries.
        QVERIFY(!archive->files().isEmpty());
        for (const QString &name : archive->files())
            QVERIFY2(!name.startsWith(u'#') && !name.startsWith(u'$') && !name.endsWith(u'/'),
                     qPrintable(name));
        QVERIFY(!archive->read(QStringLiteral("cz/chybi.html")));
        QVERIFY(!archive->read(QStringLiteral("cz/")));
    }

    // Whatever the file, the ruler's side gets a failure, soon, and nothing else.
    void whatIsNoHelpFileFailsInTheReader_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("kind");
        const QByteArray fixture = readFile(QStringLiteral(TAVLINKO_TEST_CHM));
        QTest::newRow("empty") << QByteArray() << "file";
        QTest::newRow("text") << QByteArray("<html>not a help file</html>") << "file";
        QTest::newRow("cut short") << fixture.left(300) << "file";
        QTest::newRow("a folder") << QByteArray() << "folder";
        QTest::newRow("a pipe that never delivers") << QByteArray() << "fifo";
        QTest::newRow("larger than a help file may be") << QByteArray() << "huge";
        QTest::newRow("no reader program") << fixture << "no reader";
    }
    void whatIsNoHelpFileFailsInTheReader() {
        QFETCH(QByteArray, content);
        QFETCH(QString, kind);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("broken.chm"));
        if (kind == "folder") {
            QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("broken.chm")));
        } else if (kind == "fifo") {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            writeFile(path, content);
            if (kind == "huge")
                QVERIFY(QFile::resize(path, HelpTransfer::largestHelpFile + 1));
        }
        const QString program = kind == "no reader" ? folder.filePath(QStringLiteral("none"))
                                                    : QStringLiteral(TAVLINKO_HELP_READER);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!readThroughReader(path, program));
        QVERIFY(clock.elapsed() < HelpFileReader::timeLimitMs + 2000);
    }

    void theFixtureContentsNestAndDecode() {
        const std::shared_ptr<const HelpArchive> archive =
            readThroughReader(QStringLiteral(TAVLINKO_TEST_CHM));
        QVERIFY(archive);
        const QList<SitemapEntry> contents = parseSitemap(
            decodeText(*archive->read(archive->firstWithExtension(QStringLiteral("hhc")))));
        const QList<SitemapEntry> expected = {
            {QStringLiteral("Pravítko"),
             QStringLiteral("cz/index.html"),
             {{QStringLiteral("Nastavení & jednotky"),
               QStringLiteral("cz/nastaveni.html"),
               {{QStringLiteral("Jednotky"), QStringLiteral("cz/nastaveni.html#jednotky"), {}}}}}},
            {QStringLiteral("O programu"), QStringLiteral("cz/o_programu.html"), {}},
            {QStringLiteral("The ruler"), QStringLiteral("en/index.html"), {}}};
        QCOMPARE(contents, expected);
    }

    // What reaches the ruler from the reader, cut off at each cap exactly one past it.
    void theTransferKeepsToItsCaps_data() {
        using namespace HelpTransfer;
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("state"); // Decoder::State
        QTest::addColumn<int>("files");
        const QByteArray page = record(QStringLiteral("cz/a.html"), "<p>a</p>");
        const QByteArray complete = header() + page + end();
        const auto lengths = [](quint32 path, const QByteArray &name, quint32 size) {
            QByteArray out(4, 0);
            qToLittleEndian(path, out.data());
            out += name;
            QByteArray second(4, 0);
            qToLittleEndian(size, second.data());
            return out + second;
        };
        const int reading = int(Decoder::State::Reading), complete_ = int(Decoder::State::Complete),
                  broken = int(Decoder::State::Broken);
        QTest::newRow("complete") << complete << complete_ << 1;
        QTest::newRow("no files") << header() + end() << complete_ << 0;
        QTest::newRow("cut short") << complete.chopped(1) << reading << 1;
        QTest::newRow("another header") << "TAVLINKO-HELP-2\n" + page + end() << broken << 0;
        QTest::newRow("bytes after the end") << complete + "x" << broken << 1;
        const QByteArray longest(longestPath, 'a');
        QTest::newRow("longest path")
            << header() + lengths(longestPath, longest, 0) + end() << complete_ << 1;
        QTest::newRow("path one too long")
            << header() + lengths(longestPath + 1, longest + 'a', 0) << broken << 0;
        QTest::newRow("largest file announced")
            << header() + lengths(1, "a", largestFile) << reading << 0;
        QTest::newRow("file one too large")
            << header() + lengths(1, "a", largestFile + 1) << broken << 0;
        QByteArray most = header();
        for (int i = 0; i < mostFiles; ++i)
            most += record(QString::number(i), QByteArray());
        QTest::newRow("most files") << most + end() << complete_ << int(mostFiles);
        QTest::newRow("one file too many")
            << most + record(QStringLiteral("x"), QByteArray()) << broken << int(mostFiles);
        QByteArray total = header();
        for (int i = 0; i < largestTotal / largestFile; ++i)
            total += lengths(1, QByteArray::number(i % 10), largestFile - 1) +
                     QByteArray(largestFile - 1, 'x');
        QTest::newRow("one byte past the total")
            << total + lengths(1, "z", largestTotal / largestFile + 1) << broken
            << int(largestTotal / largestFile);
    }
    void theTransferKeepsToItsCaps() {
        QFETCH(QByteArray, stream);
        QFETCH(int, state);
        QFETCH(int, files);
        // In one piece and in pieces that split every length and name, the same outcome.
        for (const qsizetype piece : {stream.size(), qsizetype(3)}) {
            if (piece == 3 && stream.size() > 1 << 20)
                continue;
            HelpTransfer::Decoder decoder(QStringLiteral("h.chm"));
            for (qsizetype at = 0; at < stream.size(); at += piece)
                decoder.feed(stream.mid(at, piece));
            QCOMPARE(int(decoder.state()), state);
            QCOMPARE(decoder.archive().files().size(), files);
        }
    }

    // A heading is offered only with entries of the reader's language below it.
    void entriesOfTheOtherLanguageGoWithTheHeadingsLeftEmpty() {
        const QList<SitemapEntry> contents = {
            {QStringLiteral("Only English"),
             QString(),
             {{QStringLiteral("a"), QStringLiteral("en/a.html"), {}},
              {QStringLiteral("b"), QStringLiteral("en/b.html"), {}}}},
            {QStringLiteral("Both"),
             QString(),
             {{QStringLiteral("a"), QStringLiteral("en/a.html"), {}},
              {QStringLiteral("a"), QStringLiteral("cz/a.html"), {}}}},
            {QStringLiteral("No language"), QStringLiteral("styl.html"), {}},
        };
        const QList<SitemapEntry> czech = entriesOfLanguage(contents, QStringLiteral("cz"));
        QCOMPARE(czech.size(), 2);
        QCOMPARE(czech[0].name, QStringLiteral("Both"));
        QCOMPARE(czech[0].children.size(), 1);
        QCOMPARE(czech[0].children[0].local, QStringLiteral("cz/a.html"));
        QCOMPARE(czech[1].name, QStringLiteral("No language"));
        QCOMPARE(entriesOfLanguage(contents, QStringLiteral("en")).size(), 3);
    }

    void theIndexFollowsTheReadersAlphabet_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Czech: č after c, ch after h")
            << QLocale(QLocale::Czech)
            << QStringList{"cena", "Čára", "hrana", "chyba", "lupa", "tisk"};
        QTest::newRow("English") << QLocale(QLocale::English)
                                 << QStringList{"Čára", "cena", "chyba", "hrana", "lupa", "tisk"};
    }
    void theIndexFollowsTheReadersAlphabet() {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, order);
        QList<SitemapEntry> index;
        for (const char16_t *name : {u"tisk", u"lupa", u"chyba", u"Čára", u"hrana", u"cena"})
            index.append({QString::fromUtf16(name), QString(), {}});
        // Below an entry, the same order.
        const QList<SitemapEntry> flat = index;
        index[0].children = flat;
        const QList<SitemapEntry> sorted = sortedIndex(index, locale);
        QStringList names;
        for (const SitemapEntry &entry : sorted)
            names << entry.name;
        QCOMPARE(names, order);
        QStringList below;
        for (const SitemapEntry &entry : sorted[order.indexOf(QStringLiteral("tisk"))].children)
            below << entry.name;
        QCOMPARE(below, order);
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
        QTest::newRow("a comment hides what is in it")
            << "<ul><!-- <li><object type=\"text/sitemap\"><param name=\"Name\" value=\"X\">"
               "</object> --><li><object type=\"text/sitemap\"><param name=\"Name\" "
               "value=\"A\"></object></ul>"
            << "A=";
        QTest::newRow("a > inside a quoted value")
            << "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"a > b\">"
               "<param name=\"Local\" value='x.html'/></object></ul>"
            << "a > b=x.html";
        QTest::newRow("a quote that never ends")
            << "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"A></ul>"
            << "";
        const auto nested = [](int depth) {
            QString html;
            for (int level = 1; level <= depth; ++level)
                html += QStringLiteral("<ul><li><object type=\"text/sitemap\"><param "
                                       "name=\"Name\" value=\"%1\"></object>")
                            .arg(level);
            return html;
        };
        const auto shape = [](int depth) {
            QString tree;
            for (int level = 1; level <= qMin(depth, deepestSitemapLevel); ++level)
                tree += QString::number(level) + (level < qMin(depth, deepestSitemapLevel)
                                                      ? QStringLiteral("=[")
                                                      : QStringLiteral("="));
            if (depth > deepestSitemapLevel)
                tree += QStringLiteral(" %1=").arg(depth);
            return tree + QString(qMin(depth, deepestSitemapLevel) - 1, u']');
        };
        for (const int depth : {deepestSitemapLevel, deepestSitemapLevel + 1})
            QTest::addRow("%d levels", depth) << nested(depth) << shape(depth);
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

    void sitemapsKeepToTheirCaps() {
        const QString entry = QStringLiteral("<li><object type=\"text/sitemap\"><param "
                                             "name=\"Name\" value=\"e\"></object>");
        for (const qsizetype count : {mostSitemapEntries, mostSitemapEntries + 1}) {
            const QString html = QStringLiteral("<ul>") + entry.repeated(count);
            QCOMPARE(parseSitemap(html).size(), mostSitemapEntries);
        }
        // Lists nested far deeper than any file needs are read in one pass, without recursion.
        const QList<SitemapEntry> deep =
            parseSitemap(QStringLiteral("<ul>").repeated(200000) + entry);
        QCOMPARE(deep.size(), 1);
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
