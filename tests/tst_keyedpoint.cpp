#include <QtTest>

#include "core/screen/KeyedPoint.h"

// The loupe's point as the arrow keys move it over one screen or two.
class TestKeyedPoint : public QObject {
    Q_OBJECT

private slots:
    void arrows_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QPoint>("step");
        QTest::newRow("left") << int(Qt::Key_Left) << false << QPoint(-1, 0);
        QTest::newRow("right") << int(Qt::Key_Right) << false << QPoint(1, 0);
        QTest::newRow("up") << int(Qt::Key_Up) << false << QPoint(0, -1);
        QTest::newRow("down") << int(Qt::Key_Down) << false << QPoint(0, 1);
        QTest::newRow("shift left") << int(Qt::Key_Left) << true << QPoint(-10, 0);
        QTest::newRow("shift right") << int(Qt::Key_Right) << true << QPoint(10, 0);
        QTest::newRow("shift up") << int(Qt::Key_Up) << true << QPoint(0, -10);
        QTest::newRow("shift down") << int(Qt::Key_Down) << true << QPoint(0, 10);
    }
    void arrows() {
        QFETCH(int, key);
        QFETCH(bool, shift);
        QFETCH(QPoint, step);
        QCOMPARE(arrowStep(key, shift ? Qt::ShiftModifier : Qt::NoModifier), step);
        // Ctrl is no Shift.
        if (!shift)
            QCOMPARE(arrowStep(key, Qt::ControlModifier), step);
    }

    void otherKeysMoveNothing() {
        for (const int key : {int(Qt::Key_Return), int(Qt::Key_PageUp), int(Qt::Key_Home), 0})
            QVERIFY(!arrowStep(key, Qt::ShiftModifier));
    }

    void steps_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("step");
        QTest::addColumn<QPoint>("expected");
        // Two screens side by side, the right one less high: 0..1279 and 1280..3199.
        QTest::newRow("inside") << QPoint(100, 100) << QPoint(1, 0) << QPoint(101, 100);
        QTest::newRow("to the left edge") << QPoint(1, 5) << QPoint(-1, 0) << QPoint(0, 5);
        QTest::newRow("past the left edge") << QPoint(0, 5) << QPoint(-1, 0) << QPoint(0, 5);
        QTest::newRow("ten past the left edge") << QPoint(4, 5) << QPoint(-10, 0) << QPoint(0, 5);
        QTest::newRow("to the top") << QPoint(5, 1) << QPoint(0, -1) << QPoint(5, 0);
        QTest::newRow("past the top") << QPoint(5, 0) << QPoint(0, -1) << QPoint(5, 0);
        QTest::newRow("to the bottom") << QPoint(5, 1022) << QPoint(0, 1) << QPoint(5, 1023);
        QTest::newRow("past the bottom") << QPoint(5, 1023) << QPoint(0, 1) << QPoint(5, 1023);
        QTest::newRow("onto the next screen")
            << QPoint(1279, 500) << QPoint(1, 0) << QPoint(1280, 500);
        QTest::newRow("ten onto the next screen")
            << QPoint(1275, 500) << QPoint(10, 0) << QPoint(1285, 500);
        QTest::newRow("back onto the first")
            << QPoint(1280, 500) << QPoint(-1, 0) << QPoint(1279, 500);
        QTest::newRow("to the right end") << QPoint(3198, 10) << QPoint(1, 0) << QPoint(3199, 10);
        QTest::newRow("past the right end") << QPoint(3199, 10) << QPoint(1, 0) << QPoint(3199, 10);
        // The first screen is higher: beside its lowest rows there is no screen to go to.
        QTest::newRow("where no screen lies beside")
            << QPoint(1279, 900) << QPoint(10, 0) << QPoint(1279, 900);
        QTest::newRow("below the lower screen")
            << QPoint(2000, 799) << QPoint(0, 10) << QPoint(2000, 799);
        QTest::newRow("from off the screens")
            << QPoint(-50, 2000) << QPoint(1, 0) << QPoint(1, 1023);
    }
    void steps() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, step);
        QFETCH(QPoint, expected);
        const QList<QRect> screens{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 800)};
        QCOMPARE(steppedOnDesktop(from, step, screens), expected);
    }

    void withoutScreensThePointMovesFreely() {
        QCOMPARE(steppedOnDesktop(QPoint(-5, 7), QPoint(-10, 0), {}), QPoint(-15, 7));
    }
};

QTEST_APPLESS_MAIN(TestKeyedPoint)
#include "tst_keyedpoint.moc"
