// The ruler on monitors of different densities. CTest runs this program on an offscreen
// desktop of two screens (tests/data/two-screens.json: "left" at ratio 1, "right" at ratio 2);
// that platform reports no real physical sizes, so the monitors' sizes are given here.

#include "RulerFixture.h"
#include "core/settings/IniFile.h"
#include "core/units/DevicePixels.h"

#include <QGuiApplication>
#include <QScreen>

class TestMainFormMonitors : public QObject {
    Q_OBJECT

    RulerFixture ruler;

    // The left monitor is 80 dots per inch, the right one 200 (device pixels).
    static QList<MonitorInfo> monitors() {
        QList<MonitorInfo> list;
        for (const QScreen *screen : QGuiApplication::screens()) {
            const double ratio = screen->devicePixelRatio();
            const QSize pixels = screen->geometry().size() * ratio;
            const double dpi = ratio == 1 ? 80 : 200;
            list << MonitorInfo{screen->name(),
                                screen->name(),
                                screen->geometry(),
                                pixels,
                                QSizeF(pixels) * 25.4 / dpi,
                                screenDeviceDpi(screen)};
        }
        return list;
    }

    void moveTo(QPoint place) {
        ruler.form->move(place);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

private slots:
    void init() { ruler.monitors = monitors; }
    void cleanup() { ruler.stop(); }

    // A reading in centimetres follows the monitor under the bar.
    void readingFollowsTheMonitor() {
        ruler.write("tavlinko.ini", "[Obecne]\nX=100\nY=100\nDelka=400\n[Mereni]\nJednotka=1\n");
        ruler.start();
        QCOMPARE(ruler.state.RozliseniX, 80);
        ruler.press(315); // 315 px at 80 per inch: 10.0 cm
        QCOMPARE(ruler.reading(), QStringLiteral("10"));
        QVERIFY(ruler.control<QLabel>("labelMeridlo")->toolTip().contains("315 px"));
        moveTo({900, 100});
        QCOMPARE(ruler.state.RozliseniX, 200);
        // 630 device pixels at 200 per inch.
        QCOMPARE(ruler.state.PoziceMeridla, 630);
        QCOMPARE(ruler.reading(), QStringLiteral("8"));
        const QString tip = ruler.control<QLabel>("labelMeridlo")->toolTip();
        for (const char *part : {"630 px", "315", "200 %", "8", "right"})
            QVERIFY2(tip.contains(QLatin1String(part)), qPrintable(tip));
    }

    // The bar measures on the monitor under its zero end, so swapping the end may move it to
    // the other monitor; the reading follows at once.
    void swappingTheZeroEndMeasuresOnTheMonitorUnderIt() {
        ruler.write("tavlinko.ini", "[Obecne]\nX=500\nY=100\nDelka=400\n[Mereni]\nJednotka=1\n");
        ruler.start();
        QCOMPARE(ruler.state.monitor.identity, QStringLiteral("left"));
        int drawn = 0;
        connect(ruler.control<ImageControl>("imageMeritko"), &ImageControl::pictureChanged,
                [&drawn] { ++drawn; });
        ruler.key(Qt::Key_F3);
        QCOMPARE(ruler.state.monitor.identity, QStringLiteral("right"));
        QCOMPARE(ruler.state.RozliseniX, 200);
        QCOMPARE(drawn, 1);
        ruler.key(Qt::Key_F3);
        QCOMPARE(ruler.state.monitor.identity, QStringLiteral("left"));
        QCOMPARE(ruler.state.RozliseniX, 80);
    }

    // A ruler starts where it was left, on either monitor, at the length it had there, and
    // leaves the same place and length behind.
    void startsWhereItWasLeft_data() {
        QTest::addColumn<QPoint>("stored"); // device pixels
        QTest::addColumn<QPoint>("place");  // logical
        QTest::addColumn<int>("width");
        QTest::newRow("on the left monitor") << QPoint(100, 100) << QPoint(100, 100) << 300;
        QTest::newRow("on the denser monitor") << QPoint(1000, 100) << QPoint(900, 50) << 150;
    }
    void startsWhereItWasLeft() {
        QFETCH(QPoint, stored);
        QFETCH(QPoint, place);
        QFETCH(int, width);
        ruler.write("tavlinko.ini", QStringLiteral("[Obecne]\nX=%1\nY=%2\nDelka=300\n")
                                        .arg(stored.x())
                                        .arg(stored.y())
                                        .toUtf8());
        ruler.start();
        QCOMPARE(ruler.form->pos(), place);
        QCOMPARE(ruler.form->width(), width);
        QCOMPARE(ruler.form->ratio(), ruler.form->devicePixelRatio());
        ruler.stop();
        const IniFile ini(ruler.folder.filePath("tavlinko.ini"));
        QCOMPARE(QPoint(ini.readInteger("Obecne", "X", 0), ini.readInteger("Obecne", "Y", 0)),
                 stored);
        QCOMPARE(ini.readInteger("Obecne", "Delka", 0), 300);
    }

    // A calibration on one monitor leaves the other's values alone, and both are kept.
    void calibrationSetsOnlyItsMonitor() {
        ruler.write("tavlinko.ini", "[Obecne]\nX=100\nY=100\nDelka=500\n[Mereni]\nJednotka=1\n");
        ruler.start();
        QVERIFY(ruler.trigger("menuKalibrace"));
        ruler.press(378); // 10 cm: 96 per inch
        ruler.press(378);
        QCOMPARE(ruler.state.RozliseniX, 96);
        moveTo({900, 100});
        QCOMPARE(ruler.state.RozliseniX, 200);
        moveTo({100, 100});
        QCOMPARE(ruler.state.RozliseniX, 96);
        ruler.stop();
        const IniFile ini(ruler.folder.filePath("tavlinko.ini"));
        QCOMPARE(ini.readInteger("Monitor left", "Rozliseni X", 0), 96);
        QVERIFY(!ini.sectionExists("Monitor right"));
        QCOMPARE(ini.readInteger("Mereni", "Rozliseni X", 0), 96);
    }

    // A calibration of an older run, kept in [Mereni] only, stays on the monitor the ruler
    // starts on; the other monitor shows its own density.
    void oldCalibrationIsKept() {
        ruler.write("tavlinko.ini", "[Obecne]\nX=100\nY=100\nDelka=400\n"
                                    "[Mereni]\nRozliseni X=120\nRozliseni Y=121\n");
        ruler.start();
        QCOMPARE(ruler.state.RozliseniX, 120);
        QCOMPARE(ruler.state.RozliseniY, 121);
        moveTo({900, 100});
        QCOMPARE(ruler.state.RozliseniX, 200);
    }

    // A unit made from a known length reads that length at whichever end it is measured, in
    // both orientations and with either zero end.
    void knownLengthReadsExactly_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("inverted");
        QTest::newRow("horizontal") << false << false;
        QTest::newRow("horizontal, zero at the far end") << false << true;
        QTest::newRow("vertical") << true << false;
        QTest::newRow("vertical, zero at the far end") << true << true;
    }
    void knownLengthReadsExactly() {
        QFETCH(bool, vertical);
        QFETCH(bool, inverted);
        ruler.write("tavlinko.ini", "[Obecne]\nX=100\nY=20\nDelka=500\n");
        QStringList arguments;
        if (vertical)
            arguments << "-vertical";
        if (inverted)
            arguments << "-inverted";
        ruler.start(arguments);
        // The zero end's own pixel, and one 333 px from it.
        const int end = inverted ? ruler.length() - 1 : 0;
        const int other = inverted ? end - 333 : end + 333;
        const auto readings = [this] {
            const double arrow = ruler.reading().toDouble();
            const QString marker = partOf<RulerView>(ruler.form)
                                       .markerImage(ruler.state.Zalozky.size() - 1)
                                       ->accessibleName()
                                       .section(u' ', -2, -2);
            return std::abs(arrow - marker.toDouble());
        };
        ruler.press(end, Qt::ControlModifier);
        ruler.press(other);
        QVERIFY(partOf<KnownLengthScale>(ruler.form).makeUnit(7, "Mapa", "km"));
        QCOMPARE(ruler.unit(), QStringLiteral("km"));
        QCOMPARE(readings(), 7.0);
        if (!inverted)
            QCOMPARE(ruler.reading(), QStringLiteral("7"));
        // The same unit again, with the arrow and the marker swapped: updated, not added.
        const qsizetype units = ruler.state.Jednotky.size();
        ruler.press(end, Qt::ShiftModifier);
        ruler.press(other, Qt::ControlModifier);
        ruler.press(end);
        QVERIFY(partOf<KnownLengthScale>(ruler.form).makeUnit(7, "Mapa", "km"));
        QCOMPARE(ruler.state.Jednotky.size(), units);
        QCOMPARE(readings(), 7.0);
    }
};

QTEST_MAIN(TestMainFormMonitors)
#include "tst_mainform_monitors.moc"
