// What of a help page reaches the text engine: the cleaned subset of pages and style sheets,
// the caps on nesting and size, pictures by their bytes within the budget, and the search
// index's caps.

#include "core/help/HelpPictures.h"
#include "core/help/HelpSearch.h"
#include "core/help/HelpStyleSheet.h"
#include "core/help/HtmlSanitizer.h"

#include <QBuffer>
#include <QtTest>

using namespace HtmlSanitizer;

namespace {

QByteArray encoded(const QImage &image, const char *format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage filled(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

} // namespace

class TestHtmlSanitizer : public QObject {
    Q_OBJECT

private slots:
    void elementsInAndOut_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("kept with its attributes")
            << "<p class=\"dalsi\" align=center>a <b>b</b> <code>c</code></p>"
            << "<p class=\"dalsi\" align=\"center\">a <b>b</b> <code>c</code></p>";
        QTest::newRow("a link and an anchor")
            << "<a href=\"nastaveni.html#jednotky\">x</a><a name=\"mereni\"></a>"
            << "<a href=\"nastaveni.html#jednotky\">x</a><a name=\"mereni\"></a>";
        QTest::newRow("a table as the shipped pages write it")
            << "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr><th>A</th><td "
               "rowspan=\"2\">B</td></tr></table>"
            << "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr><th>A</th><td "
               "rowspan=\"2\">B</td></tr></table>";
        QTest::newRow("unknown elements go, their text stays")
            << "<font color=red><blink>x</blink></font><center>y</center>"
            << "xy";
        QTest::newRow("hidden content goes with its element")
            << "a<script>alert(1)</script>b<svg><image xlink:href=\"trap.png\"/></svg>c"
               "<style>p{}</style>d<object data=x>e</object>f"
            << "abcdf";
        QTest::newRow("an element that is never closed takes the rest") << "a<script>b<p>c"
                                                                        << "a";
        QTest::newRow("events, sizes and unknown attributes go")
            << "<img src=\"a.png\" onerror=\"x()\" width=\"99999\" height=9 alt=\"A\">"
            << "<img src=\"a.png\" alt=\"A\">";
        QTest::newRow("a picture is named without query or fragment")
            << "<img src=\"big.png?0\"><img src=\"big.png#1\"><img src=\"big.png&#63;2\">"
            << "<img src=\"big.png\"><img src=\"big.png\"><img src=\"big.png\">";
        QTest::newRow("a picture's name is trimmed after its query is cut")
            << "<img src=\" a.png ?x\">"
            << "<img src=\"a.png\">";
        QTest::newRow("a picture from outside has no name")
            << "<img src=\"file:///etc/x.png\"><img src=\"http://h/x.png\"><img src=\"a\\b.png\">"
            << "<img><img><img>";
        QTest::newRow("spans within 1 to 16, borders within 0 to 20")
            << "<table border=21><tr><td colspan=16 rowspan=17>x</td><td colspan=0>y</td></tr>"
               "</table>"
            << "<table><tr><td colspan=\"16\">x</td><td>y</td></tr></table>";
        QTest::newRow("style attributes keep safe declarations, never font sizes")
            << "<span style=\"color:#202020; font-size:99pt; background-image:url(x.png); "
               "margin-left: 1000px; text-align: center\">x</span>"
            << "<span style=\"color: #202020; text-align: center;\">x</span>";
        QTest::newRow("class and anchor names of plain characters only")
            << "<p class=\"a&quot;b\" id=\"ok-1\">x</p><a name=\"a b\">y</a>"
            << "<p id=\"ok-1\">x</p><a>y</a>";
        QTest::newRow("a new block ends an open paragraph")
            << "<p>a<b>b<p>c<table><tr><td>d</table>"
            << "<p>a<b>b</b></p><p>c</p><table><tr><td>d</td></tr></table>";
        QTest::newRow("a cell ends the cell before it, a row the row")
            << "<table><tr><td>a<td>b<tr><td>c</table>"
            << "<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>";
        QTest::newRow("a cell straight in a table gets a row")
            << "<table><td>a</td></table>"
            << "<table><tr><td>a</td></tr></table>";
        QTest::newRow("rows and cells outside a table go") << "<tr><td>a</td></tr><li>b</li>"
                                                           << "ab";
        QTest::newRow("a list item ends the one before it") << "<ul><li>a<li>b</ul>"
                                                            << "<ul><li>a</li><li>b</li></ul>";
        QTest::newRow("a closing tag closes what was opened after it") << "<p><b><i>a</p>b"
                                                                       << "<p><b><i>a</i></b></p>b";
        QTest::newRow("a closing tag does not reach out of a cell")
            << "<b><table><tr><td>a</b>c</td></tr></table></b>"
            << "<b><table><tr><td>ac</td></tr></table></b>";
        QTest::newRow("closing what is not open is ignored") << "a</b></table></li>b"
                                                             << "ab";
        QTest::newRow("an anchor ends the one before it")
            << "<a href=\"a.html\">a<a href=\"b.html\">b</a>"
            << "<a href=\"a.html\">a</a><a href=\"b.html\">b</a>";
        QTest::newRow("text is escaped, references kept when well-formed")
            << "a < b > c & d &amp; &nbsp;&eacute;&#233;&#0;"
            << "a &lt; b &gt; c &amp; d &amp; "
               "&nbsp;&eacute;&#233;&amp;#0;";
        QTest::newRow("no reference: a name from a digit, or too long")
            << "&1x; &abcdefghijk; &abcdefghij;"
            << "&amp;1x; &amp;abcdefghijk; &abcdefghij;";
        QTest::newRow("headings keep their alignment")
            << "<h2 align=center>x</h2><h3 align=middle>y</h3>"
            << "<h2 align=\"center\">x</h2><h3>y</h3>";
        QTest::newRow("comments, declarations and a tag left open go")
            << "<!DOCTYPE html>a<!-- <p>x</p> -->b<?xml?>c<p"
            << "abc";
        QTest::newRow("quoted > inside an attribute") << "<a href=\"x.html\" title=\"a>b\">c</a>"
                                                      << "<a href=\"x.html\">c</a>";
        QTest::newRow("control characters go") << QString("a\x01"
                                                          "b\tc")
                                               << "ab\tc";
    }
    void elementsInAndOut() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(cleanPage(in).body, out);
        // What comes out goes in unchanged: the ruler cleans again what the reader cleaned.
        QCOMPARE(cleanPage(out).body, out);
    }

    void theHeadGivesTitleAndStyleSheets() {
        const Page page = cleanPage(
            u"<html><head><meta charset=\"utf-8\"><title>Mě&amp;ření <b>x</b></title>"
            u"<link rel=\"stylesheet\" href=\"../styl.css?v=2\"><link rel=\"icon\" href=\"i.png\">"
            u"<link rel=\"stylesheet\" href=\"http://host/a.css\"></head><body>t</body></html>");
        QCOMPARE(page.title, QStringLiteral("Mě&ření <b>x</b>"));
        QCOMPARE(page.styleSheets, QStringList{QStringLiteral("../styl.css")});
        QCOMPARE(page.body, QStringLiteral("t"));
        const QString whole = pageHtml(page);
        QVERIFY(whole.contains(QStringLiteral("<title>Mě&amp;ření &lt;b&gt;x&lt;/b&gt;</title>")));
        QCOMPARE(cleanPage(whole).title, page.title);
        QCOMPARE(cleanPage(whole).styleSheets, page.styleSheets);
    }

    // Each cap exactly at its limit and one past it.
    void nestingStopsAtTheCaps_data() {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("close");
        QTest::addColumn<int>("limit");
        QTest::newRow("tables") << "<table><tr><td>"
                                << "</td></tr></table>" << deepestTables;
        QTest::newRow("lists") << "<ul><li>"
                               << "</li></ul>" << deepestLists;
        QTest::newRow("anything") << "<span>"
                                  << "</span>" << deepestElements;
    }
    void nestingStopsAtTheCaps() {
        QFETCH(QString, open);
        QFETCH(QString, close);
        QFETCH(int, limit);
        const QString tag = open.left(open.indexOf(u'>') + 1);
        for (const int levels : {limit, limit + 1, 2000}) {
            const QString page = open.repeated(levels) + u'x' + close.repeated(levels);
            const QString body = cleanPage(page).body;
            QCOMPARE(body.count(tag), qMin(levels, limit));
            QVERIFY(body.contains(u'x'));
            QCOMPARE(body.count(tag), body.count(QStringLiteral("</") + tag.mid(1)));
        }
    }

    void aRowHoldsAtMostTheCapOfCells() {
        for (const int cells : {mostColumns, mostColumns + 1}) {
            const QString body =
                cleanPage(QStringLiteral("<table><tr>") + QStringLiteral("<td>c").repeated(cells))
                    .body;
            QCOMPARE(body.count(QStringLiteral("<td>")), mostColumns);
            QCOMPARE(body.count(u'c'), cells); // the text of a cell too many stays
        }
    }

    void aPageIsCutAtItsCapAndStaysWellFormed() {
        const QString start = QStringLiteral("<p><b>");
        const QString text = QStringLiteral("slovo ").repeated(largestPage / 6 + 1);
        // The body holds the cap's number of characters, and not one more.
        const QString fits = text.left(largestPage - start.size());
        QVERIFY(cleanPage(start + fits).body.contains(fits));
        const QString over = text.left(largestPage - start.size() + 1);
        const QString body = cleanPage(start + over).body;
        QVERIFY(!body.contains(over));
        QCOMPARE(body, start + over.chopped(1) + QStringLiteral("</b></p>"));
    }

    void styleSheetsKeepPlainRules_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("the shipped rules")
            << "h1 { font-size: 16pt; color: #8a5a00; margin-bottom: 6px; }\n"
               "th { background-color: #f3deA0; text-align: left; padding: 2px 6px; }"
            << "h1 { font-size: 16pt; color: #8a5a00; margin-bottom: 6px; }\n"
               "th { background-color: #f3deA0; text-align: left; padding: 2px 6px; }\n";
        QTest::newRow("imports, media, pictures and comments go")
            << "@import url(x.css); @media print { p { color: red } } /* } */ "
               "p { background: url(a.svg); color: red } .x { list-style-image: url(a.png) }"
            << "p { color: red; }\n";
        QTest::newRow("selectors of plain characters only")
            << "a[href^=\"file\"] { color: red } p.a, td > b { color: blue }"
            << "p.a, td > b { color: blue; }\n";
        QTest::newRow("escapes and huge numbers go")
            << "p { font-family: \\61 rial; margin: 10000px; padding: 999px }"
            << "p { padding: 999px; }\n";
        QTest::newRow("a block never closed ends the sheet") << "p { color: red"
                                                             << "";
    }
    void styleSheetsKeepPlainRules() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(cleanStyleSheet(in), out);
    }

    void aStyleSheetIsCutAfterTheRuleThatReachesItsCap() {
        const QString rule = QStringLiteral("p { color: red; }\n");
        const QString css = cleanStyleSheet(rule.repeated(largestStyleSheet / rule.size() + 100));
        QCOMPARE(css, rule.repeated((largestStyleSheet + rule.size() - 1) / rule.size()));
    }

    void zoomScalesFontSizesInPointsAndPixelsOnly() {
        const QString css = cleanStyleSheet(
            u"body { font-size: 10pt; } h1 { font-size: 16px; } p { font-size: 120%; "
            u"margin-top: 4px; } code { font-size: large; }");
        QCOMPARE(zoomStyleSheet(css, 1.5),
                 QStringLiteral("body { font-size: 15pt; }\nh1 { font-size: 24px; }\n"
                                "p { font-size: 120%; margin-top: 4px; }\n"
                                "code { font-size: large; }\n"));
        QCOMPARE(zoomStyleSheet(css, 1.0), css);
    }

    void picturesAreReadByTheirBytesWithinTheLimits_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("shown");
        const QImage small = filled(8, 6);
        QTest::newRow("png") << encoded(small, "PNG") << true;
        QTest::newRow("jpeg") << encoded(small, "JPEG") << true;
        QTest::newRow("bmp") << encoded(small, "BMP") << true;
        QTest::newRow("gif") << QByteArray::fromBase64(
                                    "R0lGODlhAQABAIAAAP///wAAACwAAAAAAQABAAACAkQBADs=")
                             << true;
        QTest::newRow("svg") << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"><image "
                                           "href=\"/etc/x.png\"/></svg>")
                             << false;
        QTest::newRow("png bytes cut short") << encoded(small, "PNG").left(40) << false;
        QTest::newRow("at the largest side")
            << encoded(filled(HelpPictures::largestSide, 1), "PNG") << true;
        QTest::newRow("one past the largest side")
            << encoded(filled(HelpPictures::largestSide + 1, 1), "PNG") << false;
    }
    void picturesAreReadByTheirBytesWithinTheLimits() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, shown);
        HelpPictures pictures;
        const QImage image = pictures.picture(QStringLiteral("a.png"), bytes);
        QCOMPARE(image != HelpPictures::placeholder(), shown);
        QVERIFY(!image.isNull());
    }

    void aPictureIsDecodedOnceAndThePageHasABudget() {
        HelpPictures pictures;
        const QByteArray big = encoded(filled(4096, 2048), "PNG"); // a quarter of the budget
        for (int i = 0; i < 10; ++i)
            pictures.picture(QStringLiteral("Big.png"), big);
        QCOMPARE(pictures.picture(QStringLiteral("big.PNG"), std::nullopt).size(),
                 QSize(4096, 2048));
        QCOMPARE(pictures.pixelsUsed(), 4096 * 2048);
        for (int i = 1; i <= 4; ++i)
            pictures.picture(QStringLiteral("other%1.png").arg(i), big);
        QCOMPARE(pictures.pixelsUsed(), HelpPictures::pixelBudget);
        QCOMPARE(pictures.picture(QStringLiteral("other4.png"), big), HelpPictures::placeholder());
        pictures.newPage();
        QCOMPARE(pictures.picture(QStringLiteral("other4.png"), big).size(), QSize(4096, 2048));
    }

    void searchIndexesUpToItsCaps() {
        const int most = HelpSearchIndex::mostWordsPerPage;
        HelpSearchIndex index;
        // The last word of a page is indexed at the cap and not one past it.
        index.addPage(QStringLiteral("at.html"),
                      QStringLiteral("a ").repeated(most - 1) + QStringLiteral("posledni"));
        index.addPage(QStringLiteral("past.html"),
                      QStringLiteral("a ").repeated(most) + QStringLiteral("posledni"));
        const QList<SearchHit> hits = index.find(QStringLiteral("posledni"));
        QCOMPARE(hits.size(), 1);
        QCOMPARE(hits.first().page, QStringLiteral("at.html"));
        QCOMPARE(index.find(QStringLiteral("a")).first().score, most);
        QCOMPARE(index.find(QStringLiteral("a")).last().score, most - 1);
        // Every word of a page is found, and a prefix finds every word it starts.
        HelpSearchIndex words;
        words.addPage(QStringLiteral("w.html"),
                      QStringLiteral("sedm jedna dva tri ctyri pet sest osm devet deset jedna"));
        for (const char *word : {"sedm", "dva", "tri", "ctyri", "pet", "sest", "osm", "devet"})
            QCOMPARE(words.find(QLatin1String(word)).value(0).score, 1);
        QCOMPARE(words.find(QStringLiteral("jedna")).value(0).score, 2);
        QCOMPARE(words.find(QStringLiteral("de")).value(0).score, 2);
        QCOMPARE(words.find(QStringLiteral("se")).value(0).score, 2);
        QCOMPARE(queryWords(QStringLiteral("b a B á c"), 2),
                 (QStringList{QStringLiteral("b"), QStringLiteral("a")}));
    }
};

QTEST_GUILESS_MAIN(TestHtmlSanitizer)
#include "tst_htmlsanitizer.moc"
