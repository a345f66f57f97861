// The arithmetic behind markers, calibration, percent resizing and the saved file, and the
// drawing of one unit-menu item.

#include "core/drawing/UnitMenuDrawing.h"
#include "core/units/Markers.h"
#include "core/units/RulerMath.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

class TestRulerMath : public QObject {
    Q_OBJECT

private slots:
    void nearestMarker_data() {
        QTest::addColumn<QList<int>>("positions");
        QTest::addColumn<QList<bool>>("active");
        QTest::addColumn<int>("pos");
        QTest::addColumn<int>("expected");
        QTest::newRow("none") << QList<int>{} << QList<bool>{} << 10 << -1;
        QTest::newRow("tie goes to the earlier")
            << QList<int>{50, 150} << QList<bool>{true, true} << 100 << 0;
        QTest::newRow("inactive skipped")
            << QList<int>{99, 150} << QList<bool>{false, true} << 100 << 1;
        QTest::newRow("far away still found") << QList<int>{29000} << QList<bool>{true} << 0 << 0;
        QTest::newRow("30000 away is too far") << QList<int>{30000} << QList<bool>{true} << 0 << -1;
    }

    void nearestMarker() {
        QFETCH(QList<int>, positions);
        QFETCH(QList<bool>, active);
        QFETCH(int, pos);
        QFETCH(int, expected);
        QVector<tzalozka> zalozky;
        for (int i = 0; i < positions.size(); ++i)
            zalozky.append({positions[i], 0, active[i]});
        QCOMPARE(::nearestMarker(zalozky, pos), expected);
    }

    // A deleted marker keeps its slot, so the pictures' numbers stay; a length change in the
    // percent unit moves only active markers, to the same share of the bar from either zero.
    void markerListKeepsSlotsAndPercentages_data() {
        QTest::addColumn<bool>("obracene");
        QTest::newRow("zero at the start") << false;
        QTest::newRow("zero at the end") << true;
    }
    void markerListKeepsSlotsAndPercentages() {
        QFETCH(bool, obracene);
        MarkerList markers;
        for (const int pozice : {100, 200, 300})
            markers.add(pozice, (obracene ? 400 - pozice : pozice) / 4.0);
        QCOMPARE(markers.removeNearest(199), 1);
        QCOMPARE(markers.removeNearest(150), 0); // 200 is gone: 100 is nearer than 300
        QCOMPARE(markers.size(), 3);
        QCOMPARE(markers.add(200, 50), 3);
        markers.placeAtPercent(300, obracene); // from 400 pixels long to 300
        QCOMPARE(markers[2].Pozice, 225);
        QCOMPARE(markers[3].Pozice, 150);
        QCOMPARE(markers[1].Pozice, 200); // an inactive slot is left alone
        markers.recordPercent([](int pozice) { return pozice / 3.0; });
        QCOMPARE(markers[2].Procenta, 75.0);
        QCOMPARE(markers[1].Procenta, 50.0);
        markers.move([](int pozice) { return pozice * 2; });
        QCOMPARE(markers[1].Pozice, 400); // moved with the screen, deleted or not
        markers.clear();
        QCOMPARE(markers.removeNearest(0), -1);
    }

    void calibrationReadsTheReferenceOfItsUnit() {
        QCOMPARE(calibrationReference(UnitCentimetre).length, 10.0);
        QCOMPARE(calibrationReference(UnitCentimetre).text, QStringLiteral("10 cm"));
        QCOMPARE(calibrationReference(UnitInch).length, 3.0);
        QCOMPARE(calibrationReference(UnitInch).text, QStringLiteral("3 in"));
    }

    void resolutionFromTheReference_data() {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("dpi");
        QTest::newRow("10 cm at 378 px") << 378 << int(UnitCentimetre) << 96;
        QTest::newRow("3 in at 289 px, truncated") << 289 << int(UnitInch) << 96;
        QTest::newRow("cm rounds halves to even") << 2500 << int(UnitCentimetre) << 635;
        QTest::newRow("a click at the zero") << 0 << int(UnitInch) << 0;
    }

    void resolutionFromTheReference() {
        QFETCH(int, pixels);
        QFETCH(int, unit);
        QFETCH(int, dpi);
        QCOMPARE(SpocitejRozliseni(pixels, unit), dpi);
    }

    void keyedLength_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("floor");
        QTest::addColumn<int>("expected");
        QTest::newRow("shorten") << 472 << -10 << 20 << 462;
        QTest::newRow("shorten to the floor exactly") << 30 << -10 << 20 << 20;
        QTest::newRow("shorten stops at the floor") << 25 << -10 << 20 << 20;
        QTest::newRow("shorten below the floor already") << 150 << -1 << 200 << 150;
        QTest::newRow("shorten at the floor") << 20 << -1 << 20 << 20;
        QTest::newRow("shorten under the shortest bar") << 15 << -1 << 200 << 15;
        QTest::newRow("lengthen below the floor") << 150 << 1 << 200 << 151;
        QTest::newRow("lengthen to the longest bar") << 32760 << 10 << 20 << 32767;
        QTest::newRow("lengthen past the longest bar") << 32767 << 10 << 20 << 32767;
        QTest::newRow("lengthen beyond the longest bar") << 40000 << 1 << 20 << 40000;
    }

    // A shorten key never lengthens and a lengthen key never shortens, whatever the floor.
    void keyedLength() {
        QFETCH(int, current);
        QFETCH(int, step);
        QFETCH(int, floor);
        QFETCH(int, expected);
        QCOMPARE(::keyedLength(current, step, floor), expected);
    }

    void percentPositions() {
        QCOMPARE(roundHalfEven(2.5), 2);
        QCOMPARE(roundHalfEven(3.5), 4);
        QCOMPARE(percentPosition(25, 500, false), 125);
        QCOMPARE(percentPosition(25, 500, true), 375);
        QCOMPARE(percentPosition(0.5, 500, false), 2); // 2.5 rounds to even
        QCOMPARE(roundHalfEven(1e300), 1000000000);    // no overflow from absurd readings
    }

    void savedText() {
        QCOMPARE(distancesText("a", "b", {}), QStringLiteral("a\r\n"));
        QCOMPARE(distancesText("a", "b", {"1 cm", "2 cm"}),
                 QStringLiteral("a\r\nb\r\n1 cm\r\n2 cm\r\n"));
    }

    void unitMenuItemLooks() {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        const QSize item = unitMenuItemSize(QStringLiteral("Stopa"), font);
        QCOMPARE(item.width(), QFontMetrics(font).horizontalAdvance(QStringLiteral("Stopa")) + 42);
        QCOMPARE(item.height(), QFontMetrics(font).height() + 5);
        QCOMPARE(unitMenuItemSize(QStringLiteral("-"), font).height(), 3);
        // A unit's own "&" is doubled when its entry gets an access key, and shows once; a
        // last "&" marks nothing.
        const std::pair<const char *, const char *> shown[] = {
            {"&R&&D", "R&D"}, {"R&&&D", "R&D"}, {"R&&D&", "R&D&"}, {"&&&", "&&"}};
        for (const auto &[caption, drawn] : shown)
            QCOMPARE(unitMenuItemSize(QString::fromUtf8(caption), font).width(),
                     QFontMetrics(font).horizontalAdvance(QString::fromUtf8(drawn)) + 42);
        // A name exactly as wide as the room for names is whole; one pixel wider is cut.
        const QFontMetrics metrics(font);
        const int room = metrics.averageCharWidth() * 40;
        QString fitting;
        const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
        for (qsizetype wide = 0; fitting.isEmpty() && wide < letters.size(); ++wide) {
            QString name;
            while (metrics.horizontalAdvance(name + letters[wide]) <= room)
                name += letters[wide];
            for (QChar narrow : letters) {
                if (metrics.horizontalAdvance(name + narrow) == room)
                    fitting = name + narrow;
                else if (metrics.horizontalAdvance(name) == room)
                    fitting = name;
            }
        }
        QVERIFY(!fitting.isEmpty());
        QVERIFY(!unitMenuNameCut(fitting, font));
        QCOMPARE(unitMenuItemSize(fitting, font).width(), room + 42);
        QVERIFY(unitMenuNameCut(fitting + u'.', font));
        QCOMPARE(unitMenuItemSize(fitting + u'.', font).width(), room + 42);

        for (bool selected : {false, true}) {
            QImage image(120, item.height(), QImage::Format_RGB32);
            image.fill(Qt::magenta);
            QPainter painter(&image);
            painter.setFont(font);
            drawUnitMenuItem(painter, image.rect(), QStringLiteral("&Stopa"), QStringLiteral("ft"),
                             selected);
            painter.end();
            QCOMPARE(image.pixelColor(39, item.height() - 1),
                     selected ? QColor(0, 0, 255) : QColor(204, 204, 204));
            QCOMPARE(image.pixelColor(119, item.height() - 1),
                     selected ? QColor(160, 160, 255) : QColor(240, 240, 240));
            // Something is written over both fills: the symbol and the name.
            const QColor stripFill = image.pixelColor(39, item.height() - 1);
            const QColor restFill = image.pixelColor(119, item.height() - 1);
            bool symbolInked = false, nameInked = false;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < 120; ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    if (x < 40 && pixel != stripFill)
                        symbolInked = true;
                    if (x >= 42 && pixel != restFill)
                        nameInked = true;
                }
            QVERIFY(symbolInked);
            QVERIFY(nameInked);
        }

        QImage separator(120, 3, QImage::Format_RGB32);
        separator.fill(Qt::magenta);
        QPainter painter(&separator);
        drawUnitMenuItem(painter, separator.rect(), QStringLiteral("-"), QStringLiteral("Xx"),
                         false);
        painter.end();
        QCOMPARE(separator.pixelColor(60, 1), QColor(Qt::black));
        QCOMPARE(separator.pixelColor(10, 0), QColor(204, 204, 204));
    }
};

QTEST_MAIN(TestRulerMath)
#include "tst_rulermath.moc"
