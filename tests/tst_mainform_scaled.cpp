// The ruler on a scaled screen. CTest runs this program at the device pixel ratios 1, 1.25,
// 1.5 and 2 (QT_SCALE_FACTOR); every expectation is in device pixels, so the same checks hold
// at each of them.

#include "RulerFixture.h"
#include "core/units/DevicePixels.h"
#include "forms/ruler/ScreenTools.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>

namespace {

// Where the rendered window shows ink along its measuring edge, in device pixels.
QList<int> inkAlongEdge(const QImage &shot, bool vertical, int from, int to) {
    QList<int> ink;
    for (int at = from; at < to; ++at) {
        const QRgb pixel = vertical ? shot.pixel(0, at) : shot.pixel(at, 0);
        if (qGray(pixel) < 100)
            ink << at;
    }
    return ink;
}

} // namespace

class TestMainFormScaled : public QObject {
    Q_OBJECT

    RulerFixture ruler;
    double ratio = 1;

    void startWith(const QByteArray &ini, const QStringList &arguments = {}) {
        ruler.write(QStringLiteral("tavlinko.ini"), ini);
        ruler.start(arguments);
        ruler.messages.clear();
        ratio = ruler.form->devicePixelRatio();
    }

    // A press at the device pixel `along` of the scale, given to Qt as the fractional logical
    // position a pointer there has; `within` moves it inside that device pixel.
    void pressAt(int along, double within = 0) {
        auto *scale = ruler.control<ImageControl>("imageMeritko");
        const double logical = (along + within) / ratio;
        const QPointF at = ruler.state.Horizontalni ? QPointF(logical, 3) : QPointF(3, logical);
        QMouseEvent press(QEvent::MouseButtonPress, at, scale->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(scale, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, scale->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(scale, &release);
    }

    QImage shot() const { return ruler.form->grab().toImage(); }

private slots:
    void init() {
        QLocale::setDefault(QLocale::c());
        QFile::remove(ruler.folder.filePath(QStringLiteral("tavlinko.ini")));
    }
    void cleanup() { ruler.stop(); }

    void runsAtTheRatioAsked() {
        startWith("");
        QCOMPARE(ratio, qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                            ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                            : 1.0);
        // Without a stored length the window opens at the size its skin is laid out for.
        QCOMPARE(ruler.length(), 472);
        // Without stored resolutions, a centimetre is the screen's device pixels per inch.
        QCOMPARE(ruler.state.RozliseniX, qRound(96 * ratio));
        QCOMPARE(ruler.state.RozliseniY, qRound(96 * ratio));
    }

    void ticksOneDevicePixelWide_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("inverted");
        QTest::newRow("pixels") << 0 << false << false;
        QTest::newRow("pixels from the far end") << 0 << false << true;
        QTest::newRow("centimetres") << 1 << false << false;
        QTest::newRow("centimetres standing") << 1 << true << false;
        QTest::newRow("pixels standing from the bottom") << 0 << true << true;
    }
    // The window as the screen shows it: one dark device pixel per tick, exactly at the
    // rounded device position, everywhere the arrow does not stand.
    void ticksOneDevicePixelWide() {
        QFETCH(int, unit);
        QFETCH(bool, vertical);
        QFETCH(bool, inverted);
        QStringList arguments;
        if (vertical)
            arguments << QStringLiteral("-vertical");
        if (inverted)
            arguments << QStringLiteral("-inverted");
        startWith(QStringLiteral("[Obecne]\nDelka=709\n[Mereni]\nJednotka=%1\n"
                                 "Rozliseni X=144\nRozliseni Y=144\n")
                      .arg(unit)
                      .toUtf8(),
                  arguments);
        const QImage window = shot();
        const int length = deviceLength(ruler.length(), ratio);
        QCOMPARE(vertical ? window.height() : window.width(), length);

        const double spacing = unit == 0 ? 5 : 0.1 * 144 / 2.54;
        const int arrowReach = qCeil(21 * ratio); // the arrow stands at 0
        QList<int> expected;
        for (int i = 0; i <= std::lround(length / spacing); ++i) {
            const int offset = int(std::nearbyint(i * spacing));
            const int at = inverted ? length - offset : offset;
            if (at >= arrowReach && at < length)
                expected << at;
        }
        std::sort(expected.begin(), expected.end());
        QCOMPARE(inkAlongEdge(window, vertical, arrowReach, length), expected);
    }

    void pressReadsTheDevicePixel_data() {
        QTest::addColumn<int>("device");
        QTest::addColumn<double>("within");
        QTest::newRow("77") << 77 << 0.0;
        QTest::newRow("123, right half") << 123 << 0.6;
        QTest::newRow("224, last hundredth") << 224 << 0.99;
    }
    // A press anywhere inside a device pixel reads that pixel's distance from the zero, and the
    // arrow's stem stands on exactly that device pixel.
    void pressReadsTheDevicePixel() {
        QFETCH(int, device);
        QFETCH(double, within);
        startWith("[Obecne]\nDelka=600\n");
        pressAt(device, within);
        QCOMPARE(ruler.state.PoziceMeridla, device);
        QCOMPARE(ruler.reading(), QString::number(device));

        // Halfway down the arrow its stem is the darkest column.
        const QImage window = shot();
        const int row = int(15 * ratio);
        int darkest = -1;
        for (int x = device - 3; x <= device + 3; ++x)
            if (darkest < 0 || qGray(window.pixel(x, row)) < qGray(window.pixel(darkest, row)))
                darkest = x;
        QCOMPARE(darkest, device);

        // Ctrl+Insert copies what the label shows; a marker placed there reads the same.
        ruler.key(Qt::Key_Insert);
        QCOMPARE(ruler.state.Zalozky.constLast().Pozice, device);
    }

    // Positions and the length are stored in device pixels and read back to the same window.
    void settingsSpeakOfDevicePixels() {
        startWith("[Obecne]\nX=60\nY=30\nDelka=300\n");
        QCOMPARE(ruler.form->pos(), QPoint(qRound(60 / ratio), qRound(30 / ratio)));
        QCOMPARE(deviceLength(ruler.form->width(), ratio), 300);
        ruler.stop();
        const QString saved = QString::fromUtf8(ruler.read(QStringLiteral("tavlinko.ini")));
        for (const char *line : {"X=60", "Y=30", "Delka=300"})
            QVERIFY2(saved.contains(QLatin1String(line)), line);
    }

    // A place that no whole logical pixel names (301 at 1.5 lies between 200 and 201) comes
    // back as it was stored, also after the bar changed its length and position there.
    void devicePlaceComesBackExactly_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::newRow("only started") << QList<int>{};
        QTest::newRow("made longer") << QList<int>{Qt::Key_Right};
        QTest::newRow("turned and back") << QList<int>{Qt::Key_F2, Qt::Key_F2};
        QTest::newRow("spanning the desktop, turned") << QList<int>{Qt::Key_F11, Qt::Key_F2};
        QTest::newRow("spanning the desktop, turned, back")
            << QList<int>{Qt::Key_F11, Qt::Key_F2, Qt::Key_F11};
    }
    void devicePlaceComesBackExactly() {
        QFETCH(QList<int>, keys);
        startWith("[Obecne]\nX=301\nY=151\nDelka=300\n");
        const bool spans = keys.count(Qt::Key_F11) == 1;
        for (const int key : keys)
            ruler.key(Qt::Key(key));
        BarOnScreen bar = ruler.form->findChild<ScreenTools *>("screenTools")->bar();
        QCOMPARE(bar.start, spans ? QPoint(0, 0) : QPoint(301, 151));
        ruler.stop();
        const QString saved = QString::fromUtf8(ruler.read(QStringLiteral("tavlinko.ini")));
        const char *expected[] = {spans ? "X=0" : "X=301", spans ? "Y=0" : "Y=151"};
        for (const char *line : expected)
            QVERIFY2(saved.contains(QLatin1String(line)), qPrintable(saved));
    }

    // Calibration counts device pixels: 10 cm over 567 device pixels is 144 per inch at any
    // ratio.
    void calibrationGivesDeviceResolution() {
        startWith("[Obecne]\nDelka=700\n[Mereni]\nJednotka=1\nRozliseni X=50\nRozliseni Y=50\n");
        QVERIFY(ruler.trigger("menuKalibrace"));
        pressAt(567, 0.5);
        QCOMPARE(ruler.state.RozliseniX, 144);
        QVERIFY(!ruler.state.Horizontalni);
        pressAt(567);
        QCOMPARE(ruler.state.RozliseniY, 144);
        QCOMPARE(ruler.reading(), QStringLiteral("10"));
    }

    // The keys lengthen and shorten the bar by at least the step in device pixels.
    void keyStepsInDevicePixels() {
        startWith("[Obecne]\nDelka=600\n");
        const int before = deviceLength(ruler.length(), ratio);
        ruler.key(Qt::Key_Right);
        const int one = deviceLength(ruler.length(), ratio);
        QVERIFY(one > before && one <= before + qCeil(ratio));
        ruler.key(Qt::Key_Left, Qt::ControlModifier);
        QVERIFY(qAbs(deviceLength(ruler.length(), ratio) - (one - 10)) <= qCeil(ratio / 2));
    }
};

QTEST_MAIN(TestMainFormScaled)
#include "tst_mainform_scaled.moc"
