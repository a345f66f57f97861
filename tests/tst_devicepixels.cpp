#include <QtTest>

#include "core/units/DevicePixels.h"

// Conversions between the device pixels the ruler measures and Qt's logical pixels.
class TestDevicePixels : public QObject {
    Q_OBJECT

private slots:
    void lengthsSurviveSaveAndLoad_data() {
        QTest::addColumn<double>("ratio");
        for (double ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0})
            QTest::newRow(QByteArray::number(ratio)) << ratio;
    }
    // A length is saved in device pixels and read back into the same logical length.
    void lengthsSurviveSaveAndLoad() {
        QFETCH(double, ratio);
        for (int logical = 0; logical <= 5000; ++logical) {
            const int device = deviceLength(logical, ratio);
            QVERIFY(qAbs(device - logical * ratio) <= 0.5);
            QCOMPARE(logicalLength(device, ratio), logical);
        }
    }

    void keyStepsNeverGetLost_data() {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("logical");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("expected");
        QTest::newRow("1: one") << 1.0 << 472 << 1 << 473;
        QTest::newRow("1: minus ten") << 1.0 << 472 << -10 << 462;
        QTest::newRow("2: one device pixel is half a logical one") << 2.0 << 236 << 1 << 237;
        QTest::newRow("2: minus one") << 2.0 << 236 << -1 << 235;
        QTest::newRow("2: ten") << 2.0 << 236 << 10 << 241;
        QTest::newRow("1.5: one from 473") << 1.5 << 315 << 1 << 316;
        QTest::newRow("1.5: ten from 473 to 483") << 1.5 << 315 << 10 << 322;
        QTest::newRow("1.5: minus ten from 473 to 463") << 1.5 << 315 << -10 << 309;
        QTest::newRow("no step") << 1.5 << 315 << 0 << 315;
    }
    void keyStepsNeverGetLost() {
        QFETCH(double, ratio);
        QFETCH(int, logical);
        QFETCH(int, step);
        QFETCH(int, expected);
        QCOMPARE(steppedLogicalLength(logical, step, ratio), expected);
    }

    void pressReadsTheDevicePixel_data() {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("logical");
        QTest::addColumn<int>("device");
        QTest::newRow("1: whole") << 1.0 << 100.0 << 100;
        QTest::newRow("1: inside") << 1.0 << 100.75 << 100;
        QTest::newRow("1.5: pixel 151 comes as 100.6667") << 1.5 << 151 / 1.5 << 151;
        QTest::newRow("1.5: a hair below pixel 151") << 1.5 << 100.66666 << 151;
        QTest::newRow("1.5: the middle of pixel 150") << 1.5 << 100.3333 << 150;
        QTest::newRow("1.25: pixel 127") << 1.25 << 127 / 1.25 << 127;
        QTest::newRow("2: the right half of a logical pixel") << 2.0 << 50.5 << 101;
        QTest::newRow("2: left of the zero") << 2.0 << -0.25 << -1;
        QTest::newRow("absurd") << 2.0 << 1e300 << 1000000000;
    }
    void pressReadsTheDevicePixel() {
        QFETCH(double, ratio);
        QFETCH(double, logical);
        QFETCH(int, device);
        QCOMPARE(devicePixelAt(logical, ratio), device);
    }

    void pointersStandOnTheirCentre_data() {
        QTest::addColumn<int>("centre");
        QTest::addColumn<int>("logicalSize");
        QTest::addColumn<int>("deviceSize");
        QTest::addColumn<int>("expected");
        QTest::newRow("same size") << 4 << 9 << 9 << 4;
        QTest::newRow("twice: the right one of two") << 5 << 11 << 22 << 11;
        QTest::newRow("1.5") << 5 << 11 << 17 << 8;
        QTest::newRow("1.5, first column") << 0 << 3 << 5 << 0;
        QTest::newRow("1.25, last column") << 8 << 9 << 11 << 10;
        QTest::newRow("no picture") << 4 << 0 << 0 << 4;
    }
    void pointersStandOnTheirCentre() {
        QFETCH(int, centre);
        QFETCH(int, logicalSize);
        QFETCH(int, deviceSize);
        QFETCH(int, expected);
        QCOMPARE(deviceCentre(centre, logicalSize, deviceSize), expected);
    }

    void carriedToAnotherRatio_data() {
        QTest::addColumn<int>("device");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<int>("expected");
        QTest::newRow("same ratio") << 151 << 1.5 << 1.5 << 151;
        QTest::newRow("1.5 to 1") << 150 << 1.5 << 1.0 << 100;
        QTest::newRow("1 to 2") << 100 << 1.0 << 2.0 << 200;
        QTest::newRow("2 to 1.25") << 200 << 2.0 << 1.25 << 125;
        QTest::newRow("unknown ratio") << 77 << 0.0 << 2.0 << 77;
    }
    void carriedToAnotherRatio() {
        QFETCH(int, device);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(int, expected);
        QCOMPARE(rescaledPixel(device, from, to), expected);
    }

    void dotsPerInch_data() {
        QTest::addColumn<double>("logicalDpi");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << 96.0 << 1.0 << 96;
        QTest::newRow("Xft.dpi 144") << 96.0 << 1.5 << 144;
        QTest::newRow("Xft.dpi 192") << 96.0 << 2.0 << 192;
        QTest::newRow("125 %") << 96.0 << 1.25 << 120;
        QTest::newRow("odd logical") << 100.8 << 1.25 << 126;
    }
    void dotsPerInch() {
        QFETCH(double, logicalDpi);
        QFETCH(double, ratio);
        QFETCH(int, expected);
        QCOMPARE(deviceDotsPerInch(logicalDpi, ratio), expected);
    }

    // A 1920 x 1080 screen at ratio 1 with a 3840 x 2160 screen at ratio 2 to its right: Qt
    // keeps each screen's top-left at its device place and shrinks its size by the ratio.
    void placesOnScreensOfTwoRatios_data() {
        QTest::addColumn<QPoint>("device");
        QTest::addColumn<QPoint>("logical");
        QTest::newRow("first screen") << QPoint(211, 118) << QPoint(211, 118);
        QTest::newRow("second screen's corner") << QPoint(1920, 0) << QPoint(1920, 0);
        QTest::newRow("on the second screen") << QPoint(2920, 400) << QPoint(2420, 200);
        QTest::newRow("last device pixel") << QPoint(5759, 2159) << QPoint(3840, 1080);
        QTest::newRow("off every screen: the first one's") << QPoint(-50, 40) << QPoint(-50, 40);
    }
    void placesOnScreensOfTwoRatios() {
        QFETCH(QPoint, device);
        QFETCH(QPoint, logical);
        const ScreenArea first{QRect(0, 0, 1920, 1080), 1};
        const ScreenArea second{QRect(1920, 0, 1920, 1080), 2};
        const QList<ScreenArea> screens{first, second};
        QCOMPARE(logicalPlace(device, screens), logical);
        const ScreenArea &holder = logical.x() >= 1920 ? second : first;
        QVERIFY(qAbs(devicePlace(logical, holder).x() - device.x()) <= 1);
        QCOMPARE(deviceDesktop(screens), QRect(0, 0, 5760, 2160));
    }
};

QTEST_GUILESS_MAIN(TestDevicePixels)
#include "tst_devicepixels.moc"
