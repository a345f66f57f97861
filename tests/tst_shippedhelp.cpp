// The shipped help file: it holds every page of its project in both languages, and every link,
// anchor, picture and style sheet in it leads somewhere inside it.

#include "core/help/HelpLanguage.h"
#include "core/help/HelpSitemap.h"
#include "core/help/HelpTopics.h"
#include "core/settings/TextFile.h"
#include "forms/help/ChmBrowser.h"

#include "HelpReading.h"
#include "TestFiles.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

class TestShippedHelp : public QObject {
    Q_OBJECT

    std::shared_ptr<const HelpArchive> help;

    QStringList projectFiles() const {
        const QString project =
            decodeText(readFile(QStringLiteral(TAVLINKO_SOURCE_DIR "/data/help/tavlinko.hhp")));
        const QString list = project.section(QStringLiteral("[FILES]"), 1);
        return list.split(u'\n', Qt::SkipEmptyParts);
    }

    QStringList pages() const {
        QStringList found;
        for (const QString &file : help->files())
            if (file.endsWith(QLatin1String(".html")))
                found << file;
        return found;
    }

    QString text(const QString &file) const { return decodeText(help->read(file).value()); }

    // A page as its document draws it, 700 pixels wide.
    static QImage drawn(QTextDocument *document) {
        document->setTextWidth(700);
        QImage image(document->size().toSize(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        document->drawContents(&painter);
        return image;
    }

    // Checks that link, found on page, leads to a file inside and, with an anchor, to a
    // named place on that page.
    void checkTarget(const QString &page, const QString &link) {
        const QString target = resolvePage(page, link);
        QVERIFY2(help->contains(target), qPrintable(page + ": " + link + " leads nowhere"));
        const QString anchor = link.section(u'#', 1);
        if (!anchor.isEmpty())
            QVERIFY2(text(target).contains(QStringLiteral("name=\"%1\"").arg(anchor)),
                     qPrintable(page + ": no anchor " + link));
    }

    // Entries at any depth for which matches is true.
    static int count(const QList<SitemapEntry> &entries,
                     const std::function<bool(const SitemapEntry &)> &matches) {
        int found = 0;
        for (const SitemapEntry &entry : entries)
            found += (matches(entry) ? 1 : 0) + count(entry.children, matches);
        return found;
    }

private slots:
    void initTestCase() {
        // Read as the ruler reads it, so the shipped file is known to keep to the reader's caps.
        help = readThroughReader(QStringLiteral(TAVLINKO_PROGRAM_DIR "/tavlinko.chm"));
        QVERIFY(help);
    }

    void everyFileOfTheProjectIsInside() {
        const QStringList files = projectFiles();
        QVERIFY(files.size() > 20);
        for (const QString &file : files)
            QVERIFY2(help->contains(file.trimmed()), qPrintable(file));
    }

    void theFormsKeywordsAreThere_data() {
        QTest::addColumn<QString>("keyword");
        QTest::newRow("ruler") << "cz/index.html";
        QTest::newRow("settings") << "cz/nastaveni.html";
        QTest::newRow("about") << "cz/o_programu.html";
    }
    void theFormsKeywordsAreThere() {
        QFETCH(QString, keyword);
        QVERIFY(help->contains(keyword));
        QVERIFY(help->contains(QStringLiteral("en/") + keyword.mid(3)));
    }

    void bothLanguagesHaveTheSamePages() {
        QStringList czech, english;
        for (const QString &page : pages()) {
            if (page.startsWith(QLatin1String("cz/")))
                czech << page.mid(3);
            else if (page.startsWith(QLatin1String("en/")))
                english << page.mid(3);
        }
        czech.sort();
        english.sort();
        QVERIFY(czech.size() >= 7);
        QCOMPARE(english, czech);
    }

    void everyLinkPictureAndStyleSheetResolves() {
        static const QRegularExpression reference(QStringLiteral("(href|src)\\s*=\\s*\"([^\"]*)\""),
                                                  QRegularExpression::CaseInsensitiveOption);
        int pictures = 0;
        for (const QString &page : pages()) {
            const QString html = text(page);
            QVERIFY2(html.contains(QLatin1String("<title>")), qPrintable(page + " has no title"));
            for (const QRegularExpressionMatch &match : reference.globalMatch(html)) {
                const QString link = match.captured(2);
                if (link.startsWith(QLatin1String("http")) ||
                    link.startsWith(QLatin1String("mailto:")))
                    continue;
                if (link.startsWith(u'#')) {
                    QVERIFY2(html.contains(QStringLiteral("name=\"%1\"").arg(link.mid(1))),
                             qPrintable(page + ": no anchor " + link));
                    continue;
                }
                checkTarget(page, link);
                if (match.captured(1).compare(QLatin1String("src"), Qt::CaseInsensitive) == 0) {
                    const QImage picture =
                        QImage::fromData(help->read(resolvePage(page, link)).value());
                    QVERIFY2(!picture.isNull(), qPrintable(page + ": picture " + link));
                    ++pictures;
                }
            }
        }
        QVERIFY(pictures >= 10);
    }

    void everyContentsAndIndexEntryResolves_data() {
        QTest::addColumn<QString>("extension");
        QTest::newRow("contents") << "hhc";
        QTest::newRow("index") << "hhk";
    }
    void everyContentsAndIndexEntryResolves() {
        QFETCH(QString, extension);
        const QList<SitemapEntry> entries = parseSitemap(text(help->firstWithExtension(extension)));
        QVERIFY(!entries.isEmpty());
        int checked = 0;
        std::function<void(const QList<SitemapEntry> &)> walk =
            [&](const QList<SitemapEntry> &level) {
                for (const SitemapEntry &entry : level) {
                    QVERIFY2(!entry.name.isEmpty(), qPrintable(entry.local));
                    checkTarget(QString(), entry.local);
                    ++checked;
                    walk(entry.children);
                }
            };
        walk(entries);
        QVERIFY(checked > 20);
    }
    // A reader is offered one language: its book of the contents and its index entries, with
    // nothing of the other language and nothing lost by leaving that language out.
    void eachLanguageHasItsOwnContentsAndIndex_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("other");
        QTest::newRow("Czech") << "cz"
                               << "en";
        QTest::newRow("English") << "en"
                                 << "cz";
    }
    void eachLanguageHasItsOwnContentsAndIndex() {
        QFETCH(QString, folder);
        QFETCH(QString, other);
        const QList<SitemapEntry> contents =
            entriesOfLanguage(parseSitemap(text(help->firstWithExtension("hhc"))), folder);
        QCOMPARE(contents.size(), 1);
        const QList<SitemapEntry> all = parseSitemap(text(help->firstWithExtension("hhk")));
        const QList<SitemapEntry> index = entriesOfLanguage(all, folder);
        const auto inFolder = [](const QString &name) {
            return [name](const SitemapEntry &entry) { return entry.local.startsWith(name + '/'); };
        };
        const auto any = [](const SitemapEntry &) { return true; };
        QVERIFY(count(index, any) > 20);
        QCOMPARE(count(index, inFolder(folder)), count(index, any));
        QCOMPARE(count(index, any) + count(all, inFolder(other)), count(all, any));
    }

    // Pages reach the help window cleaned of everything a hostile file could misuse; the
    // shipped pages lose nothing by it: each looks exactly as its source does in the text engine.
    void everyPageLooksAsItsSourceDoes() {
        for (const QString &page : pages()) {
            QTextBrowser source;
            source.setSource(
                QUrl::fromLocalFile(QStringLiteral(TAVLINKO_SOURCE_DIR "/data/help/") + page));
            ChmBrowser cleaned;
            cleaned.setFile(help.get());
            cleaned.showPage(page);
            const QImage before = drawn(source.document());
            const QImage after = drawn(cleaned.document());
            if (before != after) {
                before.save(QDir::temp().filePath(QFileInfo(page).baseName() + "-source.png"));
                after.save(QDir::temp().filePath(QFileInfo(page).baseName() + "-cleaned.png"));
            }
            QVERIFY2(before == after, qPrintable(page));
        }
    }

    // The pages about skins and languages are true for an installed program too.
    void skinAndLanguagePagesSayWhereAnInstalledProgramKeepsThem_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("folder");
        for (const char *language : {"cz", "en"}) {
            QTest::addRow("%s skins", language)
                << QStringLiteral("%1/vzhledy.html").arg(language) << "skin";
            QTest::addRow("%s languages", language)
                << QStringLiteral("%1/jazyky.html").arg(language) << "jazyky";
        }
    }
    void skinAndLanguagePagesSayWhereAnInstalledProgramKeepsThem() {
        QFETCH(QString, page);
        QFETCH(QString, folder);
        const QString html = text(page);
        QVERIFY(html.contains(QStringLiteral("share/tavlinko/") + folder));
        QVERIFY(html.contains(QStringLiteral("$XDG_DATA_HOME/tavlinko/") + folder));
        QVERIFY(html.contains(QStringLiteral("~/.local/share/tavlinko/") + folder));
    }
};

QTEST_MAIN(TestShippedHelp)
#include "tst_shippedhelp.moc"
