// Edges in a line of screen pixels, the bar's place on the screen, the loupe's picture and text,
// and the pixels of the ruler's own windows.

#include "core/screen/BarOnScreen.h"
#include "core/screen/EdgeSearch.h"
#include "core/screen/LoupePicture.h"
#include "core/screen/OwnWindows.h"

#include <QtTest>

namespace {

constexpr QRgb white = 0xffffffff;
constexpr QRgb black = 0xff000000;

QRgb grey(int level) {
    return qRgb(level, level, level);
}

// A line from a compact description: '.' white, '#' black, 'g' the grey #d8d8d8, 'f' the faint
// #e8e8e8 (within the default tolerance of white), 'a' the anti-aliasing grey #bfbfbf.
QVector<QRgb> line(const char *pattern) {
    QVector<QRgb> pixels;
    for (const char *c = pattern; *c; ++c) {
        switch (*c) {
        case '#':
            pixels << black;
            break;
        case 'g':
            pixels << grey(0xd8);
            break;
        case 'f':
            pixels << grey(0xe8);
            break;
        case 'a':
            pixels << grey(0xbf);
            break;
        default:
            pixels << white;
        }
    }
    return pixels;
}

} // namespace

class TestEdgeSearch : public QObject {
    Q_OBJECT

private slots:
    void edges_data() {
        QTest::addColumn<QVector<QRgb>>("pixels");
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<QList<int>>("expected");
        const int t = defaultEdgeTolerance;
        QTest::newRow("nothing") << line("........") << t << QList<int>{};
        QTest::newRow("box ten wide") << line("..##########..") << t << QList<int>{2, 12};
        QTest::newRow("one-pixel grey line") << line("...g...") << t << QList<int>{3, 4};
        QTest::newRow("faint line is noise") << line("...f...") << t << QList<int>{};
        QTest::newRow("edge at the first boundary") << line("#.....") << t << QList<int>{1};
        QTest::newRow("edge at the last boundary") << line(".....#") << t << QList<int>{5};
        QTest::newRow("anti-aliased edge counts once at its steepest step")
            << line("...a###") << t << QList<int>{4};
        QTest::newRow("anti-aliased edge, falling") << line("###a...") << t << QList<int>{3};
        QTest::newRow("anti-aliased box") << line("..a###a..") << t << QList<int>{3, 6};
        QTest::newRow("line turning back is two edges") << line("..#..") << t << QList<int>{2, 3};
        QTest::newRow("a single pixel") << line("#") << t << QList<int>{};
        QTest::newRow("empty") << QVector<QRgb>{} << t << QList<int>{};
        // Exactly at the tolerance is still noise; one above it is an edge.
        QTest::newRow("step at the tolerance")
            << QVector<QRgb>{grey(100), grey(100 + t)} << t << QList<int>{};
        QTest::newRow("step one past the tolerance")
            << QVector<QRgb>{grey(100), grey(101 + t)} << t << QList<int>{1};
        QTest::newRow("tolerance zero: any change")
            << QVector<QRgb>{grey(7), grey(7), grey(8)} << 0 << QList<int>{2};
        QTest::newRow("largest tolerance: black to white is still an edge")
            << line("..##") << largestEdgeTolerance << QList<int>{2};
        QTest::newRow("hue change of equal brightness")
            << QVector<QRgb>{qRgb(200, 0, 0), qRgb(0, 0, 200)} << t << QList<int>{1};
        QTest::newRow("one channel against another turning")
            << QVector<QRgb>{qRgb(0, 0, 0), qRgb(100, 0, 0), qRgb(200, 0, 100), qRgb(200, 0, 0)}
            << t << QList<int>{1, 3};
        QVector<QRgb> gradient;
        for (int level = 0; level < 256; ++level)
            gradient << grey(level);
        QTest::newRow("gentle gradient is no edge") << gradient << t << QList<int>{};
        QVector<QRgb> steep;
        for (int level = 0; level < 256; level += 40)
            steep << grey(level);
        QTest::newRow("steep gradient is one edge") << steep << t << QList<int>{1};
        QVector<QRgb> noisy;
        for (int i = 0; i < 64; ++i)
            noisy << grey(128 + (i % 3 - 1) * 8);
        QTest::newRow("compression noise") << noisy << t << QList<int>{};
    }

    void edges() {
        QFETCH(QVector<QRgb>, pixels);
        QFETCH(int, tolerance);
        QFETCH(QList<int>, expected);
        QCOMPARE(findEdges(pixels, tolerance), expected);
    }

    void snap_data() {
        QTest::addColumn<QByteArray>("pattern");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("expected");
        // Edges of "....######....." lie at 4 and 10.
        const QByteArray box = "....######.....";
        QTest::newRow("on the edge") << box << 4 << 4;
        QTest::newRow("inside, one after") << box << 5 << 4;
        QTest::newRow("on the last pixel inside") << box << 9 << 10;
        QTest::newRow("reach exactly") << QByteArray("..........#....") << 6 << 10;
        QTest::newRow("one past the reach") << QByteArray("..........#....") << 5 << 5;
        QTest::newRow("reach exactly before") << QByteArray("..#............") << 7 << 3;
        QTest::newRow("one past the reach before") << QByteArray("..#............") << 8 << 8;
        QTest::newRow("equally near: the one before") << QByteArray("...####...") << 5 << 3;
        QTest::newRow("nearer wins") << QByteArray(".#....#..") << 5 << 6;
        QTest::newRow("press at zero") << QByteArray("....#....") << 0 << 4;
        QTest::newRow("press at the end") << QByteArray("....#....") << 9 << 5;
        QTest::newRow("no edge") << QByteArray(".........") << 3 << 3;
    }

    void snap() {
        QFETCH(QByteArray, pattern);
        QFETCH(int, press);
        QFETCH(int, expected);
        QCOMPARE(snapToEdge(line(pattern.constData()), press, edgeSnapReach, defaultEdgeTolerance),
                 expected);
    }

    void span_data() {
        QTest::addColumn<QByteArray>("pattern");
        QTest::addColumn<int>("pixel");
        QTest::addColumn<std::optional<EdgeSpan>>("expected");
        const QByteArray box = "...##########...";
        QTest::newRow("box ten wide, pointer inside") << box << 7 << std::optional(EdgeSpan{3, 13});
        QTest::newRow("first pixel of the box") << box << 3 << std::optional(EdgeSpan{3, 13});
        QTest::newRow("last pixel of the box") << box << 12 << std::optional(EdgeSpan{3, 13});
        QTest::newRow("just outside: the gap to the next edge")
            << QByteArray(".##...##.") << 4 << std::optional(EdgeSpan{3, 6});
        QTest::newRow("one-pixel line")
            << QByteArray("..#..") << 2 << std::optional(EdgeSpan{2, 3});
        QTest::newRow("no edge before") << box << 1 << std::optional<EdgeSpan>();
        QTest::newRow("no edge after") << box << 14 << std::optional<EdgeSpan>();
        QTest::newRow("no edge at all") << QByteArray("......") << 2 << std::optional<EdgeSpan>();
    }

    void span() {
        QFETCH(QByteArray, pattern);
        QFETCH(int, pixel);
        QFETCH(std::optional<EdgeSpan>, expected);
        const std::optional<EdgeSpan> found =
            spanAround(line(pattern.constData()), pixel, defaultEdgeTolerance);
        QCOMPARE(found.has_value(), expected.has_value());
        if (expected)
            QVERIFY(*found == *expected);
    }

    void linesOfAPicture() {
        QImage image(3, 2, QImage::Format_ARGB32);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                image.setPixel(x, y, qRgba(x * 10, y * 10, 5, 0)); // alpha plays no part
        QCOMPARE(imageLine(image, Qt::Horizontal, 1),
                 (QVector<QRgb>{qRgb(0, 10, 5), qRgb(10, 10, 5), qRgb(20, 10, 5)}));
        QCOMPARE(imageLine(image, Qt::Vertical, 2),
                 (QVector<QRgb>{qRgb(20, 0, 5), qRgb(20, 10, 5)}));
        QVERIFY(imageLine(image, Qt::Horizontal, 2).isEmpty());
        QVERIFY(imageLine(image, Qt::Vertical, -1).isEmpty());
        QCOMPARE(imageLine(image.convertToFormat(QImage::Format_RGB888), Qt::Vertical, 0).size(),
                 2);
    }

    void barOnScreen_data() {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<QPoint>("device");
        QTest::addColumn<int>("expected"); // -1: not across the bar
        // A bar of 500 pixels whose window starts at (100, 200).
        QTest::newRow("horizontal, start") << true << QPoint(100, 900) << 0;
        QTest::newRow("horizontal, last pixel") << true << QPoint(599, 0) << 499;
        QTest::newRow("horizontal, one past") << true << QPoint(600, 300) << -1;
        QTest::newRow("horizontal, one before") << true << QPoint(99, 300) << -1;
        QTest::newRow("vertical, start") << false << QPoint(5, 200) << 0;
        QTest::newRow("vertical, last pixel") << false << QPoint(5, 699) << 499;
        QTest::newRow("vertical, one past") << false << QPoint(100, 700) << -1;
        QTest::newRow("vertical, one before") << false << QPoint(100, 199) << -1;
    }

    void barOnScreen() {
        QFETCH(bool, horizontal);
        QFETCH(QPoint, device);
        QFETCH(int, expected);
        const BarOnScreen bar{QPoint(100, 200), 500, horizontal};
        QCOMPARE(bar.offsetOf(device).value_or(-1), expected);
        // The row above a horizontal scale, the column left of a vertical one.
        QCOMPARE(bar.outsideScale(-2, 3), horizontal ? QRect(98, 199, 5, 1) : QRect(99, 198, 1, 5));
    }

    void zoomSteps_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("expected");
        QTest::newRow("default up") << 8 << 1 << 12;
        QTest::newRow("default down") << 8 << -1 << 6;
        QTest::newRow("smallest down stays") << 2 << -1 << 2;
        QTest::newRow("largest up stays") << 32 << 1 << 32;
        QTest::newRow("one below largest up") << 24 << 1 << 32;
        QTest::newRow("far beyond") << 8 << 100 << 32;
        QTest::newRow("a zoom not offered goes to the next") << 5 << 0 << 6;
    }

    void zoomSteps() {
        QFETCH(int, zoom);
        QFETCH(int, steps);
        QFETCH(int, expected);
        QCOMPARE(steppedLoupeZoom(zoom, steps), expected);
    }

    void loupePictures_data() {
        QTest::addColumn<int>("zoom");
        for (const int zoom : loupeZooms)
            QTest::addRow("%dx", zoom) << zoom;
    }

    void loupePictures() {
        QFETCH(int, zoom);
        const int size = loupeSampleSize(zoom);
        QCOMPARE(size % 2, 1);
        QVERIFY(size * zoom <= loupeViewSize && (size + 2) * zoom > loupeViewSize);
        const QRect area = loupeSampleArea(QPoint(50, 60), zoom);
        QCOMPARE(area.center(), QPoint(50, 60));
        QCOMPARE(area.width(), size);

        QImage sample(size, size, QImage::Format_RGB32);
        sample.fill(white);
        const int middle = size / 2;
        sample.setPixel(middle, middle, qRgb(0x12, 0x34, 0x56));
        const QImage picture = loupePicture(sample, zoom);
        QCOMPARE(picture.size(), QSize(size * zoom, size * zoom));
        // The middle cell keeps its colour inside the crosshair's frame, which stands out
        // against it.
        const QPoint cell = QPoint(middle, middle) * zoom;
        QCOMPARE(picture.pixel(cell + QPoint(zoom / 2, zoom / 2)), qRgb(0x12, 0x34, 0x56));
        QCOMPARE(picture.pixel(cell - QPoint(1, 1)), qRgb(255, 255, 255));
        // The grid: from 6x up a line lies on each pixel boundary, below it none.
        const QRgb onBoundary = picture.pixel(zoom, 1);
        QCOMPARE(onBoundary != white, zoom >= loupeGridZoom);
        QCOMPARE(picture.pixel(zoom + 1, 1), white);
    }

    void crosshairStandsOut() {
        QImage dark(5, 5, QImage::Format_RGB32);
        dark.fill(black);
        QCOMPARE(loupePicture(dark, 8).pixel(2 * 8 - 1, 2 * 8 + 3), qRgb(255, 255, 255));
        QImage light(5, 5, QImage::Format_RGB32);
        light.fill(white);
        QCOMPARE(loupePicture(light, 8).pixel(2 * 8 - 1, 2 * 8 + 3), qRgb(0, 0, 0));
    }

    void colourNames() {
        QCOMPARE(colourName(qRgb(0x0a, 0xb0, 0xff)), QStringLiteral("#0ab0ff"));
        QCOMPARE(colourName(black), QStringLiteral("#000000"));
    }

    void loupeStaysOffWhatItShows_data() {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("expected");
        // A 1000 x 800 screen, a 100 x 120 loupe, a sample of 21 pixels, 12 pixels apart.
        QTest::newRow("room below right") << QPoint(100, 100) << QPoint(123, 123);
        QTest::newRow("right edge: to the left") << QPoint(900, 100) << QPoint(778, 123);
        QTest::newRow("bottom edge: above") << QPoint(100, 700) << QPoint(123, 558);
        QTest::newRow("bottom right corner") << QPoint(990, 790) << QPoint(868, 648);
        QTest::newRow("exactly fits to the right") << QPoint(877, 100) << QPoint(900, 123);
        QTest::newRow("one pixel short to the right") << QPoint(878, 100) << QPoint(756, 123);
    }

    void loupeStaysOffWhatItShows() {
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, expected);
        const QRect sampled = loupeSampleArea(pointer, 8);
        const QSize loupe(100, 120);
        const QPoint place = loupePlace(loupe, sampled, QRect(0, 0, 1000, 800));
        QCOMPARE(place, expected);
        QVERIFY(!QRect(place, loupe).intersects(sampled));
    }

    void ownWindowsAreUnread_data() {
        QTest::addColumn<QList<QRect>>("windows");
        QTest::addColumn<int>("unread");
        QTest::addColumn<QPoint>("firstUnread"); // (-1, -1): none
        // A read of 10 x 8 pixels from (100, 200).
        QTest::newRow("none") << QList<QRect>{} << 0 << QPoint(-1, -1);
        QTest::newRow("ends one before the left edge")
            << QList<QRect>{{90, 200, 10, 8}} << 0 << QPoint(-1, -1);
        QTest::newRow("reaches the left column")
            << QList<QRect>{{90, 200, 11, 8}} << 8 << QPoint(0, 0);
        QTest::newRow("starts one past the right edge")
            << QList<QRect>{{110, 200, 5, 8}} << 0 << QPoint(-1, -1);
        QTest::newRow("on the last column") << QList<QRect>{{109, 200, 5, 8}} << 8 << QPoint(9, 0);
        QTest::newRow("ends one above the top row")
            << QList<QRect>{{100, 190, 10, 10}} << 0 << QPoint(-1, -1);
        QTest::newRow("on the bottom row")
            << QList<QRect>{{100, 207, 10, 10}} << 10 << QPoint(0, 7);
        QTest::newRow("one pixel inside") << QList<QRect>{{104, 203, 1, 1}} << 1 << QPoint(4, 3);
        QTest::newRow("over all of it") << QList<QRect>{{0, 0, 500, 500}} << 80 << QPoint(0, 0);
        QTest::newRow("two overlapping windows")
            << QList<QRect>{{100, 200, 2, 2}, {101, 201, 2, 2}} << 7 << QPoint(0, 0);
    }

    void ownWindowsAreUnread() {
        QFETCH(QList<QRect>, windows);
        QFETCH(int, unread);
        QFETCH(QPoint, firstUnread);
        QImage read(10, 8, QImage::Format_RGB32);
        read.fill(qRgb(0x20, 0x50, 0xa0));
        const QImage marked = withOwnWindowsUnread(read, QPoint(100, 200), windows);
        int count = 0;
        QPoint first(-1, -1);
        for (int y = 0; y < marked.height(); ++y)
            for (int x = 0; x < marked.width(); ++x) {
                const QRgb pixel = marked.pixel(x, y);
                // What was read keeps its colour.
                QCOMPARE(pixel & RGB_MASK, read.pixel(x, y) & RGB_MASK);
                if (!isRead(pixel) && count++ == 0)
                    first = QPoint(x, y);
            }
        QCOMPARE(count, unread);
        QCOMPARE(first, firstUnread);
        QCOMPARE(wholeRead(marked), unread == 0);
    }

    void unreadEndsOfALine_data() {
        QTest::addColumn<QString>("pattern");  // '#' black, '.' white, 'u' unread
        QTest::addColumn<QString>("expected"); // empty: the line cannot be used
        QTest::newRow("all read") << "..##.."
                                  << "..##..";
        QTest::newRow("unread first") << "u.##"
                                      << "..##";
        QTest::newRow("unread last") << "##.u"
                                     << "##..";
        QTest::newRow("unread at both ends") << "uu#.uu"
                                             << "###...";
        QTest::newRow("unread between read") << ".#u#."
                                             << "";
        QTest::newRow("one read pixel") << "uu#uu"
                                        << "#####";
        QTest::newRow("nothing read") << "uuu"
                                      << "";
        QTest::newRow("empty") << ""
                               << "";
    }

    void unreadEndsOfALine() {
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        const auto pixels = [](const QString &text) {
            QVector<QRgb> line;
            for (const QChar c : text)
                line << (c == u'#' ? black : c == u'.' ? white : qRgba(0, 0, 0, 0));
            return line;
        };
        // As a row and as a column of a picture.
        const QVector<QRgb> line = pixels(pattern);
        QImage row(int(line.size()), 1, QImage::Format_ARGB32);
        QImage column(1, int(line.size()), QImage::Format_ARGB32);
        for (int i = 0; i < line.size(); ++i) {
            row.setPixel(i, 0, line[i]);
            column.setPixel(0, i, line[i]);
        }
        QCOMPARE(lineWithUnreadEndsFilled(row), pixels(expected));
        QCOMPARE(lineWithUnreadEndsFilled(column), pixels(expected));
    }

    void unreadPixelsShowNoColour() {
        QImage sample(5, 5, QImage::Format_ARGB32);
        sample.fill(black);
        sample.setPixel(2, 2, qRgba(0, 0, 0, 0));
        sample.setPixel(0, 0, qRgba(0xff, 0, 0, 0));
        const QImage picture = loupePicture(sample, 8);
        // Neither the unread black nor the unread red shows as it was: both are hatched grey.
        for (const QPoint cell : {QPoint(0, 0), QPoint(2, 2)}) {
            const QRgb inside = picture.pixel(cell * 8 + QPoint(3, 3));
            QCOMPARE(qRed(inside), qGreen(inside));
            QVERIFY(qRed(inside) >= 0x60);
        }
        // The crosshair is drawn in black on the hatching.
        QCOMPARE(picture.pixel(2 * 8 - 1, 2 * 8 + 3), qRgb(0, 0, 0));
        QCOMPARE(picture.pixel(1 * 8 + 3, 1 * 8 + 3), black);
    }

    void loupeReadouts_data() {
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("distance");
        QTest::addColumn<QString>("expected");
        QTest::newRow("colour") << true << QString() << "12, 0  #2050a0";
        QTest::newRow("colour and reading") << true << "104 px"
                                            << "12, 0  #2050a0\n104 px";
        QTest::newRow("not read") << false << QString() << "12, 0  Not read here.";
        QTest::newRow("not read, reading") << false << "3 cm"
                                           << "12, 0  Not read here.\n3 cm";
    }

    void loupeReadouts() {
        QFETCH(bool, read);
        QFETCH(QString, distance);
        QFETCH(QString, expected);
        const std::optional<QRgb> colour =
            read ? std::optional<QRgb>(qRgb(0x20, 0x50, 0xa0)) : std::nullopt;
        QCOMPARE(loupeReadout(QPoint(12, 0), colour, QStringLiteral("Not read here."), distance),
                 expected);
    }
};

QTEST_GUILESS_MAIN(TestEdgeSearch)
#include "tst_edgesearch.moc"
