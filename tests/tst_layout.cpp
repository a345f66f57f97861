#include <QtTest>

#include "core/skins/Layout.h"
#include "core/skins/Skin.h"

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void placesControls_data();
    void placesControls();
    void farEdgeControlsFollowAResize();
};

void TestLayout::placesControls_data() {
    QTest::addColumn<bool>("numberLabel");
    QTest::addColumn<QPoint>("skinPlace");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("topLeft");

    const QSize bar(472, 64);
    const QSize column(90, 472);
    QTest::newRow("button from the near edges")
        << false << QPoint(8, 38) << QSize(26, 22) << bar << QPoint(8, 38);
    QTest::newRow("exit button 30 from the right end")
        << false << QPoint(-30, 38) << QSize(26, 22) << bar << QPoint(416, 38);
    QTest::newRow("button without a bitmap")
        << false << QPoint(-10, 38) << QSize(0, 0) << bar << QPoint(462, 38);
    QTest::newRow("zero counts from the near edge")
        << false << QPoint(0, 0) << QSize(26, 22) << bar << QPoint(0, 0);
    QTest::newRow("resize arrow") << false << QPoint(-18, 21) << QSize(19, 19) << bar
                                  << QPoint(435, 21);
    QTest::newRow("unit label bottom 5 above the bottom edge")
        << false << QPoint(-15, -5) << QSize(24, 24) << bar << QPoint(433, 35);
    QTest::newRow("vertical unit-menu button at the bottom")
        << false << QPoint(-1, -5) << QSize(20, 16) << column << QPoint(69, 451);
    QTest::newRow("vertical resize arrow")
        << false << QPoint(65, -31) << QSize(19, 19) << column << QPoint(65, 422);
    QTest::newRow("number right edge at 100")
        << true << QPoint(100, 38) << QSize(30, 13) << bar << QPoint(70, 38);
    QTest::newRow("longer number grows to the left")
        << true << QPoint(100, 38) << QSize(50, 13) << bar << QPoint(50, 38);
    QTest::newRow("number 42 from the right end")
        << true << QPoint(-42, 38) << QSize(30, 13) << bar << QPoint(400, 38);
    QTest::newRow("number at the bottom of a column")
        << true << QPoint(-27, -5) << QSize(30, 13) << column << QPoint(33, 454);
    QTest::newRow("number x of zero means right edge at 0")
        << true << QPoint(0, 0) << QSize(30, 13) << bar << QPoint(-30, 0);
}

void TestLayout::placesControls() {
    QFETCH(bool, numberLabel);
    QFETCH(QPoint, skinPlace);
    QFETCH(QSize, size);
    QFETCH(QSize, window);
    QFETCH(QPoint, topLeft);
    const QPoint placed = numberLabel ? placeNumberLabel(skinPlace, size, window)
                                      : placeControl(skinPlace, size, window);
    QCOMPARE(placed, topLeft);
}

void TestLayout::farEdgeControlsFollowAResize() {
    const SkinSection places = SkinSection::defaultHorizontal();
    const QSize button(26, 22);
    const QSize shortBar(472, 64);
    const QSize longBar(600, 64);
    QCOMPARE(placeControl(places.buttonRotate, button, longBar),
             placeControl(places.buttonRotate, button, shortBar));
    QCOMPARE(placeControl(places.buttonUnits, button, longBar),
             placeControl(places.buttonUnits, button, shortBar) + QPoint(128, 0));
    QCOMPARE(placeNumberLabel(places.number, button, longBar),
             placeNumberLabel(places.number, button, shortBar) + QPoint(128, 0));
}

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
