// Where the ruler goes at start so that it is fully visible, whatever place was stored.

#include "core/units/ScreenPlacement.h"

#include <QtTest>

class TestScreenPlacement : public QObject {
    Q_OBJECT

private slots:
    void placement_data() {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QPoint>("place");
        const QList<QRect> one = {QRect(0, 0, 1280, 1024)};
        // Side by side, the right one higher and smaller.
        const QList<QRect> two = {QRect(0, 0, 1280, 1024), QRect(1280, -200, 800, 600)};

        QTest::newRow("inside stays") << QRect(211, 118, 472, 64) << one << QPoint(211, 118);
        QTest::newRow("touching every edge") << QRect(0, 0, 1280, 1024) << one << QPoint(0, 0);
        QTest::newRow("one pixel past the right")
            << QRect(809, 0, 472, 64) << one << QPoint(808, 0);
        QTest::newRow("one pixel past the bottom")
            << QRect(0, 961, 472, 64) << one << QPoint(0, 960);
        QTest::newRow("one pixel past the left") << QRect(-1, 5, 472, 64) << one << QPoint(0, 5);
        QTest::newRow("one pixel past the top") << QRect(5, -1, 472, 64) << one << QPoint(5, 0);
        QTest::newRow("vertical past the bottom")
            << QRect(100, 900, 64, 472) << one << QPoint(100, 552);
        QTest::newRow("far beyond") << QRect(32767, 32767, 472, 64) << one << QPoint(808, 960);
        QTest::newRow("far before") << QRect(-32767, -32767, 64, 472) << one << QPoint(0, 0);
        QTest::newRow("longer than the screen, starting on it")
            << QRect(300, 10, 2000, 64) << one << QPoint(300, 10);
        QTest::newRow("longer than the screen, starting before it")
            << QRect(-1, 10, 2000, 64) << one << QPoint(0, 10);
        QTest::newRow("longer than the screen, starting after it")
            << QRect(1280, 10, 2000, 64) << one << QPoint(1279, 10);
        QTest::newRow("as long as the screen, one pixel past it")
            << QRect(1, 10, 1280, 64) << one << QPoint(0, 10);
        QTest::newRow("mostly on the second screen")
            << QRect(1900, -300, 472, 64) << two << QPoint(1608, -200);
        QTest::newRow("straddling, more on the first")
            << QRect(1000, 500, 472, 64) << two << QPoint(808, 500);
        QTest::newRow("off both, nearest the second")
            << QRect(2500, -500, 100, 64) << two << QPoint(1980, -200);
        QTest::newRow("beside the smaller screen, below it")
            << QRect(1500, 900, 100, 64) << two << QPoint(1180, 900);
        // Two monitors of the same top, the right one lower: what some monitor shows stays,
        // even across their border or along the whole desktop.
        const QList<QRect> pair = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        QTest::newRow("across the border stays")
            << QRect(1800, 100, 300, 40) << pair << QPoint(1800, 100);
        QTest::newRow("the whole desktop stays")
            << QRect(0, 500, 3200, 40) << pair << QPoint(0, 500);
        QTest::newRow("vertical across the border stays")
            << QRect(1900, 0, 40, 1024) << pair << QPoint(1900, 0);
        QTest::newRow("across the border, at the lower one's bottom")
            << QRect(1800, 984, 300, 40) << pair << QPoint(1800, 984);
        QTest::newRow("across the border, one pixel below the lower one")
            << QRect(1800, 985, 300, 40) << pair << QPoint(1920, 984);
        QTest::newRow("the whole desktop, one pixel past its end")
            << QRect(1, 500, 3200, 40) << pair << QPoint(0, 500);
        QTest::newRow("no screens") << QRect(5, 6, 7, 8) << QList<QRect>() << QPoint(5, 6);
    }
    void placement() {
        QFETCH(QRect, window);
        QFETCH(QList<QRect>, screens);
        QFETCH(QPoint, place);
        QCOMPARE(placeOnScreen(window, screens), place);
    }
};

QTEST_GUILESS_MAIN(TestScreenPlacement)
#include "tst_screenplacement.moc"
