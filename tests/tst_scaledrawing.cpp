#include <QPainter>
#include <QtTest>

#include "core/drawing/ColourKey.h"
#include "core/drawing/ScaleDrawing.h"
#include "core/units/DistanceFormat.h"

#include <cmath>
#include <limits>

namespace {

const QRgb Aqua = qRgb(0, 255, 255);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Red = qRgb(255, 0, 0);
const int NumberTop = 9;

ScaleParams scale(int length, double carka, double pixeluNaJednotku, bool obracene) {
    ScaleParams params;
    params.length = length;
    params.carka = carka;
    params.pixeluNaJednotku = pixeluNaJednotku;
    params.obracene = obracene;
    params.numberColour = Red; // keeps digits apart from ticks
    return params;
}

QImage draw(const ScaleParams &params, bool vertical) {
    QImage strip;
    if (vertical)
        KresliTavlinkoVertik(strip, params);
    else
        KresliTavlinkoHoriz(strip, params);
    return strip;
}

// Length of the tick at pos, counted from the measuring edge.
int tickLength(const QImage &strip, int pos, bool vertical) {
    int length = 0;
    while (length <= 8 && (vertical ? strip.pixel(length, pos) : strip.pixel(pos, length)) == Black)
        ++length;
    return length;
}

QImage labelCell(const QString &text) {
    const QFont font = ScaleParams::defaultScaleFont();
    const QFontMetrics metrics(font);
    QImage cell(metrics.horizontalAdvance(text), metrics.height(), QImage::Format_RGB32);
    cell.fill(Aqua);
    QPainter painter(&cell);
    painter.setFont(font);
    painter.setPen(Red);
    painter.drawText(0, metrics.ascent(), text);
    return cell;
}

// Where a number stands: centred on its tick along the ruler, the zero flush with its end.
QPoint labelTopLeft(const QString &text, int tickPos, int length, bool vertical, bool obracene) {
    const QImage cell = labelCell(text);
    const int extent = vertical ? cell.height() : cell.width();
    int start = tickPos - extent / 2;
    if (text == QLatin1String("0"))
        start = obracene ? length - extent : 0;
    return vertical ? QPoint(NumberTop, start) : QPoint(start, NumberTop);
}

// Compares the visible part of the number's cell; fails when nothing of it is visible.
bool labelShown(const QImage &strip, const QString &text, QPoint topLeft) {
    const QImage cell = labelCell(text);
    int compared = 0;
    for (int y = 0; y < cell.height(); ++y) {
        for (int x = 0; x < cell.width(); ++x) {
            const QPoint at = topLeft + QPoint(x, y);
            if (!strip.valid(at))
                continue;
            if (strip.pixel(at) != cell.pixel(x, y))
                return false;
            compared += cell.pixel(x, y) == Red;
        }
    }
    return compared > 0;
}

bool onlyAqua(const QImage &image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != Aqua)
                return false;
    return true;
}

} // namespace

class TestScaleDrawing : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void drawsTicksAndNumbers_data();
    void drawsTicksAndNumbers();
    void pixelRulerHasEveryTick();
    void emptyScaleForUnusableSpacing_data();
    void emptyScaleForUnusableSpacing();
    void crowdedNumbersAreThinned_data();
    void crowdedNumbersAreThinned();
    void denseScaleStaysFast();
    void composesBar_data();
    void composesBar();
    void keysOutTheBackground();
    void anyFontIsDrawnUnsmoothed();
    void drawsInDevicePixels_data();
    void drawsInDevicePixels();
};

void TestScaleDrawing::drawsTicksAndNumbers_data() {
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("carka");
    QTest::addColumn<double>("pixeluNaJednotku");
    QTest::addColumn<bool>("obracene");
    QTest::addColumn<QList<QPoint>>("ticks"); // (position, length)
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QList<int>>("numberTicks");

    const double cm96 = 96 / 2.54;
    QTest::newRow("pixels on 472")
        << false << 472 << 5.0 << 1.0 << false
        << QList<QPoint>{{0, 8}, {1, 0}, {5, 2}, {25, 4}, {50, 8}, {450, 8}, {470, 2}, {471, 0}}
        << QStringList{"0", "50", "100", "450"} << QList<int>{0, 50, 100, 450};
    QTest::newRow("centimetres at 96 dpi")
        << false << 472 << 0.1 << cm96 << false
        << QList<QPoint>{{0, 8}, {1, 0}, {4, 2}, {19, 4}, {38, 8}, {189, 8}, {454, 8}}
        << QStringList{"0", "1", "5", "12"} << QList<int>{0, 38, 189, 454};
    QTest::newRow("zero at the right")
        << false << 472 << 5.0 << 1.0 << true
        << QList<QPoint>{{0, 0}, {1, 0}, {2, 2}, {22, 8}, {422, 8}, {447, 4}, {467, 2}, {471, 0}}
        << QStringList{"0", "50", "450"} << QList<int>{472, 422, 22};
    QTest::newRow("94.5 spacings end on the last whole one")
        << false << 189 << 2.0 << 1.0 << false
        << QList<QPoint>{{100, 8}, {186, 2}, {187, 0}, {188, 2}} << QStringList{"180"}
        << QList<int>{180};
    QTest::newRow("95.5 spacings clip the last tick")
        << false << 191 << 2.0 << 1.0 << false << QList<QPoint>{{188, 2}, {189, 0}, {190, 4}}
        << QStringList{"180"} << QList<int>{180};
    QTest::newRow("percent: number 100 half beyond the end")
        << false << 472 << 1.0 << 4.72 << false
        << QList<QPoint>{{0, 8}, {118, 4}, {236, 8}, {467, 2}, {471, 0}}
        << QStringList{"0", "50", "100"} << QList<int>{0, 236, 472};
    QTest::newRow("half-pixel spacing shares pixels")
        << false << 200 << 0.05 << 10.0 << false
        << QList<QPoint>{{0, 8}, {1, 2}, {2, 4}, {3, 2}, {4, 2}, {5, 8}, {6, 2}, {7, 2}, {8, 4}}
        << QStringList{"0"} << QList<int>{0};
    QTest::newRow("vertical, zero at the top")
        << true << 300 << 5.0 << 1.0 << false
        << QList<QPoint>{{0, 8}, {1, 0}, {5, 2}, {25, 4}, {50, 8}, {299, 0}}
        << QStringList{"0", "100"} << QList<int>{0, 100};
    QTest::newRow("vertical 300 high, zero at the bottom")
        << true << 300 << 5.0 << 1.0 << true
        << QList<QPoint>{{0, 8}, {250, 8}, {275, 4}, {295, 2}, {299, 0}}
        << QStringList{"0", "50", "300"} << QList<int>{300, 250, 0};
}

void TestScaleDrawing::drawsTicksAndNumbers() {
    QFETCH(bool, vertical);
    QFETCH(int, length);
    QFETCH(double, carka);
    QFETCH(double, pixeluNaJednotku);
    QFETCH(bool, obracene);
    QFETCH(QList<QPoint>, ticks);
    QFETCH(QStringList, numbers);
    QFETCH(QList<int>, numberTicks);

    const QImage strip = draw(scale(length, carka, pixeluNaJednotku, obracene), vertical);
    QCOMPARE(strip.format(), QImage::Format_RGB32);
    QCOMPARE(strip.size(), vertical ? QSize(35, length) : QSize(length, 20));
    for (const QPoint &tick : ticks)
        QVERIFY2(tickLength(strip, tick.x(), vertical) == tick.y(),
                 qPrintable(QStringLiteral("tick at %1").arg(tick.x())));
    for (int i = 0; i < numbers.size(); ++i) {
        const QPoint at = labelTopLeft(numbers[i], numberTicks[i], length, vertical, obracene);
        QVERIFY2(labelShown(strip, numbers[i], at), qPrintable(numbers[i]));
    }
}

void TestScaleDrawing::pixelRulerHasEveryTick() {
    const QImage strip = draw(scale(472, 5, 1, false), false);
    for (int x = 0; x < 472; ++x) {
        const int expected = x % 50 == 0 ? 8 : x % 25 == 0 ? 4 : x % 5 == 0 ? 2 : 0;
        QCOMPARE(tickLength(strip, x, false), expected);
    }
}

void TestScaleDrawing::emptyScaleForUnusableSpacing_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("carka");
    QTest::addColumn<double>("pixeluNaJednotku");

    QTest::newRow("zero tick spacing") << 472 << 0.0 << 1.0;
    QTest::newRow("zero factor") << 472 << 5.0 << 0.0;
    QTest::newRow("negative spacing") << 472 << 5.0 << -1.0;
    QTest::newRow("infinite factor") << 472 << 5.0 << std::numeric_limits<double>::infinity();
    QTest::newRow("nan factor") << 472 << 5.0 << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("spacing below any precision") << 472 << 1e-300 << 1e-20;
}

void TestScaleDrawing::emptyScaleForUnusableSpacing() {
    QFETCH(int, length);
    QFETCH(double, carka);
    QFETCH(double, pixeluNaJednotku);
    for (bool vertical : {false, true}) {
        const QImage strip = draw(scale(length, carka, pixeluNaJednotku, false), vertical);
        QCOMPARE(strip.size(), vertical ? QSize(35, length) : QSize(length, 20));
        QVERIFY(onlyAqua(strip));
    }
    QVERIFY(draw(scale(0, 5, 1, false), false).isNull());
}

void TestScaleDrawing::crowdedNumbersAreThinned_data() {
    QTest::addColumn<bool>("obracene");
    QTest::addColumn<double>("pixeluNaJednotku");
    QTest::addColumn<bool>("commasShown");
    QTest::newRow("zero at the left") << false << 30.0 << false;
    QTest::newRow("zero at the right") << true << 30.0 << true;
    QTest::newRow("1.75-pixel ticks, zero at the left") << false << 35.0 << true;
    QTest::newRow("1.75-pixel ticks, zero at the right") << true << 35.0 << true;
    QTest::newRow("half-pixel ticks, zero at the left") << false << 10.0 << false;
    QTest::newRow("half-pixel ticks, zero at the right") << true << 10.0 << false;
}

// Numbers every 15 (or 17.5, or 5) pixels are about as wide as their distance: walking away from
// the zero, a number that would come closer than half a digit to the one kept before it is left
// out, so no two numbers run together, and the kept ones show whole, with the locale's decimal
// comma.
void TestScaleDrawing::crowdedNumbersAreThinned() {
    QFETCH(bool, obracene);
    QFETCH(double, pixeluNaJednotku);
    QFETCH(bool, commasShown);
    QLocale::setDefault(QLocale(QLocale::Czech));
    const int length = 300;
    const double carka = 0.05;
    const double spacing = carka * pixeluNaJednotku;
    const int gap = labelCell(QStringLiteral("0")).width() / 2;
    const QImage strip = draw(scale(length, carka, pixeluNaJednotku, obracene), false);

    QImage expected(length, 20, QImage::Format_RGB32);
    expected.fill(Aqua);
    QPainter painter(&expected);
    int keptStart = 0;
    int keptEnd = 0;
    int commas = 0;
    int skipped = 0;
    for (int n = 0; n <= std::lround(length / spacing); n += 10) {
        const QString text = FormatujCislo(n * carka);
        const int offset = int(std::nearbyint(n * spacing));
        const int tick = obracene ? length - offset : offset;
        const QPoint at = labelTopLeft(text, tick, length, false, obracene);
        const int end = at.x() + labelCell(text).width();
        if (n > 0 && (obracene ? end + gap > keptStart : at.x() < keptEnd + gap)) {
            ++skipped;
            continue;
        }
        painter.drawImage(at, labelCell(text));
        keptStart = at.x();
        keptEnd = end;
        commas += text.contains(QLatin1Char(','));
    }
    painter.end();
    QCOMPARE(commas > 0, commasShown);
    QVERIFY(skipped > 0);
    QCOMPARE(strip.copy(0, NumberTop, length, 11), expected.copy(0, NumberTop, length, 11));
    QLocale::setDefault(QLocale::c());
}

void TestScaleDrawing::denseScaleStaysFast() {
    QElapsedTimer timer;
    timer.start();
    const QImage strip = draw(scale(7680, 1e-9, 1, false), false);
    QVERIFY(timer.elapsed() < 1000);
    for (int x = 0; x < strip.width(); ++x)
        QCOMPARE(tickLength(strip, x, false), 8);
}

void TestScaleDrawing::composesBar_data() {
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("length");
    // One letter per pixel along the bar: start, middle piece column 0..6, end.
    QTest::addColumn<QString>("pieces");

    QTest::newRow("three middle copies, the last under the end")
        << true << 30 << "SSSSSSSSSS0123456012345601EEEE";
    QTest::newRow("k = 0: one middle copy") << true << 20 << "SSSSSSSSSS012345EEEE";
    QTest::newRow("short by less than a middle width: k = 0") << true << 12 << "SSSSSSSSEEEE";
    QTest::newRow("short by a full middle width: no middle") << true << 7 << "SSSEEEE";
    QTest::newRow("vertical, k = 1") << false << 22 << "SSSSSSSSSS01234560EEEE";
    QTest::newRow("vertical, k < 0") << false << 6 << "SSEEEE";
}

void TestScaleDrawing::composesBar() {
    QFETCH(bool, horizontal);
    QFETCH(int, length);
    QFETCH(QString, pieces);
    QCOMPARE(pieces.size(), length);

    // Pieces 8 pixels thick against a rule of 5: only the first 5 rows (columns) are used.
    const int thick = 8;
    const int rule = 5;
    const auto piece = [&](int along, int channel) {
        QImage image(horizontal ? QSize(along, thick) : QSize(thick, along), QImage::Format_RGB32);
        for (int a = 0; a < along; ++a) {
            for (int t = 0; t < thick; ++t) {
                const QRgb colour = qRgb(channel == 0 ? a : 200, channel == 1 ? a : 200, t);
                horizontal ? image.setPixel(a, t, colour) : image.setPixel(t, a, colour);
            }
        }
        return image;
    };
    const QImage start = piece(10, 0);
    const QImage middle = piece(7, 1).convertToFormat(QImage::Format_RGB888);
    const QImage end = piece(4, 2);

    const QSize window = horizontal ? QSize(length, thick) : QSize(thick, length);
    const QImage bar = Ramecek(start, middle, end, horizontal, window, rule);
    QCOMPARE(bar.size(), window);
    for (int a = 0; a < length; ++a) {
        const QChar kind = pieces[a];
        for (int t = 0; t < thick; ++t) {
            const QPoint at = horizontal ? QPoint(a, t) : QPoint(t, a);
            QRgb expected = qRgb(0, 0, 0);
            if (t < rule) {
                if (kind == QLatin1Char('S'))
                    expected = start.pixel(horizontal ? QPoint(a, t) : QPoint(t, a));
                else if (kind == QLatin1Char('E'))
                    expected = horizontal ? end.pixel(a - (length - 4), t)
                                          : end.pixel(t, a - (length - 4));
                else
                    expected = qRgb(200, kind.digitValue(), t);
            }
            QVERIFY2(bar.pixel(at) == expected,
                     qPrintable(QStringLiteral("pixel %1,%2").arg(at.x()).arg(at.y())));
        }
    }
}

void TestScaleDrawing::keysOutTheBackground() {
    const QImage strip = draw(scale(100, 5, 1, false), false);
    const QImage shown = transparentByColour(strip, scaleBackground());
    QCOMPARE(qAlpha(shown.pixel(1, 0)), 0);
    QCOMPARE(shown.pixel(0, 0), Black);
    QCOMPARE(qAlpha(shown.pixel(99, 19)), 0);
}

// A font given for the scale is drawn without smoothing too: the background is keyed out by its
// exact colour, and a smoothed edge would leave a fringe of mixed colours around each number.
void TestScaleDrawing::anyFontIsDrawnUnsmoothed() {
    ScaleParams params = scale(400, 10, 10, false);
    params.font = QFont();
    params.font.setPixelSize(12);
    const QImage strip = draw(params, false);
    int digitPixels = 0;
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x) {
            const QRgb pixel = strip.pixel(x, y);
            QVERIFY2(pixel == Aqua || pixel == Black || pixel == Red,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            digitPixels += pixel == Red;
        }
    QVERIFY(digitPixels > 0);
}

void TestScaleDrawing::drawsInDevicePixels_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("obracene");
    QTest::addColumn<double>("carka");
    QTest::addColumn<double>("pixeluNaJednotku");
    QTest::addColumn<QString>("firstNumber"); // the number at the tenth tick
    for (double ratio : {1.25, 1.5, 2.0}) {
        const QByteArray r = QByteArray::number(ratio);
        QTest::newRow("pixels at " + r) << ratio << false << false << 5.0 << 1.0 << "50";
        QTest::newRow("centimetres at " + r)
            << ratio << false << false << 0.1 << 144 * ratio / 1.5 / 2.54 << "1";
        QTest::newRow("pixels from the bottom at " + r)
            << ratio << true << true << 5.0 << 1.0 << "50";
        QTest::newRow("centimetres from the right at " + r)
            << ratio << false << true << 0.1 << 96 * ratio / 2.54 << "1";
    }
}

// On a scaled screen every tick is one device pixel wide at its rounded device position, the
// ticks and the strip grow by the ratio across the ruler, and the numbers are rendered in a
// font grown by the ratio, whole, and without a pixel blended into the background.
void TestScaleDrawing::drawsInDevicePixels() {
    QFETCH(double, ratio);
    QFETCH(bool, vertical);
    QFETCH(bool, obracene);
    QFETCH(double, carka);
    QFETCH(double, pixeluNaJednotku);
    QFETCH(QString, firstNumber);
    const int length = 709; // 472.67 logical pixels at 1.5: no whole number of them
    ScaleParams params = scale(length, carka, pixeluNaJednotku, obracene);
    params.ratio = ratio;
    const QImage strip = draw(params, vertical);
    const int thickness = qRound((vertical ? 35 : 20) * ratio);
    QCOMPARE(strip.size(), vertical ? QSize(thickness, length) : QSize(length, thickness));
    QCOMPARE(strip.devicePixelRatio(), ratio);

    const double spacing = carka * pixeluNaJednotku;
    QList<int> expected;
    QHash<int, int> expectedLength;
    for (int i = 0; i <= std::lround(length / spacing); ++i) {
        const int offset = int(std::nearbyint(i * spacing));
        const int at = obracene ? length - offset : offset;
        if (at < 0 || at >= length)
            continue;
        expected << at;
        expectedLength[at] = qRound((i % 10 == 0 ? 8 : i % 5 == 0 ? 4 : 2) * ratio);
    }
    std::sort(expected.begin(), expected.end());
    QList<int> ticks;
    for (int at = 0; at < length; ++at)
        if ((vertical ? strip.pixel(0, at) : strip.pixel(at, 0)) == Black)
            ticks << at;
    QCOMPARE(ticks, expected);
    for (int at : std::as_const(expected)) {
        int drawn = 0;
        while ((vertical ? strip.pixel(drawn, at) : strip.pixel(at, drawn)) == Black)
            ++drawn;
        QCOMPARE(drawn, expectedLength[at]);
    }

    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            QVERIFY(QList<QRgb>({Aqua, Black, Red}).contains(strip.pixel(x, y)));

    // The zero and the first numbers stand whole in their cells at the device font's size.
    QFont font = ScaleParams::defaultScaleFont();
    font.setPointSizeF(font.pointSizeF() * ratio);
    const QFontMetrics metrics(font);
    const auto cellOf = [&](const QString &text) {
        QImage cell(metrics.horizontalAdvance(text), metrics.height(), QImage::Format_RGB32);
        cell.fill(Aqua);
        QPainter painter(&cell);
        painter.setFont(font);
        painter.setPen(Red);
        painter.drawText(0, metrics.ascent(), text);
        painter.end();
        cell.setDevicePixelRatio(ratio);
        return cell;
    };
    const int numbersAt = qRound(9 * ratio);
    const int tenth = int(std::nearbyint(10 * spacing));
    for (const QString &text : {QStringLiteral("0"), firstNumber}) {
        const QImage cell = cellOf(text);
        const int extent = vertical ? cell.height() : cell.width();
        const int tick = text == QLatin1String("0") ? 0 : tenth;
        int start = (obracene ? length - tick : tick) - extent / 2;
        if (tick == 0)
            start = obracene ? length - extent : 0;
        const QPoint topLeft = vertical ? QPoint(numbersAt, start) : QPoint(start, numbersAt);
        // The font's descent may reach below the strip, as it does at a ratio of 1.
        const QRect visible = QRect(topLeft, cell.size()) & strip.rect();
        QCOMPARE(strip.copy(visible), cell.copy(visible.translated(-topLeft)));
    }
}

QTEST_MAIN(TestScaleDrawing)
#include "tst_scaledrawing.moc"
