// A unit made from a length the user knows between two places on the scale.

#include "core/units/KnownLength.h"
#include "core/units/Units.h"

#include <QtTest>

using Ends = std::optional<std::pair<int, int>>;
Q_DECLARE_METATYPE(Ends)
using Span = std::optional<EdgeSpan>;
Q_DECLARE_METATYPE(Span)

class TestKnownLength : public QObject {
    Q_OBJECT

private slots:
    void tickSpacing_data() {
        QTest::addColumn<double>("pixelu");
        QTest::addColumn<double>("carka");
        QTest::newRow("exactly 8 px a unit") << 8.0 << 1.0;
        QTest::newRow("just under 8") << 7.99 << 2.0;
        QTest::newRow("4 px: every 2") << 4.0 << 2.0;
        QTest::newRow("just under 4") << 3.99 << 5.0;
        QTest::newRow("1.6 px: every 5") << 1.6 << 5.0;
        QTest::newRow("just under 1.6") << 1.59 << 10.0;
        QTest::newRow("80 px: a tenth") << 80.0 << 0.1;
        QTest::newRow("just under 80") << 79.9 << 0.2;
        QTest::newRow("a km of a 1:10 000 map at 96 dpi") << 3779.527559 << 0.005;
        QTest::newRow("tiny") << 0.001 << 10000.0;
        QTest::newRow("no size") << 0.0 << 1.0;
    }
    void tickSpacing() {
        QFETCH(double, pixelu);
        QFETCH(double, carka);
        QCOMPARE(tickSpacing125(pixelu), carka);
    }

    void ends_data() {
        QTest::addColumn<int>("arrow");
        QTest::addColumn<QList<int>>("markers"); // negative: placed, then deleted
        QTest::addColumn<Span>("span");          // between edges, while shown
        QTest::addColumn<Ends>("ends");
        const Ends none;
        const Span noSpan;
        QTest::newRow("nothing placed") << 100 << QList<int>{} << noSpan << none;
        QTest::newRow("a span alone") << 100 << QList<int>{} << std::optional(EdgeSpan{10, 20})
                                      << std::optional(std::pair(10, 20));
        QTest::newRow("a span before the arrow and a marker")
            << 300 << QList<int>{100} << std::optional(EdgeSpan{0, 1})
            << std::optional(std::pair(0, 1));
        QTest::newRow("a span of no length")
            << 300 << QList<int>{100} << std::optional(EdgeSpan{15, 15})
            << std::optional(std::pair(100, 300));
        QTest::newRow("arrow and a marker")
            << 300 << QList<int>{100} << noSpan << std::optional(std::pair(100, 300));
        QTest::newRow("marker beyond the arrow")
            << 100 << QList<int>{300} << noSpan << std::optional(std::pair(100, 300));
        QTest::newRow("arrow on the marker") << 100 << QList<int>{100} << noSpan << none;
        QTest::newRow("two markers, arrow elsewhere")
            << 0 << QList<int>{400, 200} << noSpan << std::optional(std::pair(200, 400));
        QTest::newRow("the two nearest of three")
            << 250 << QList<int>{10, 200, 300} << noSpan << std::optional(std::pair(200, 300));
        QTest::newRow("a deleted marker does not count")
            << 300 << QList<int>{-250, 100} << noSpan << std::optional(std::pair(100, 300));
        QTest::newRow("marker at the zero")
            << 333 << QList<int>{0} << noSpan << std::optional(std::pair(0, 333));
    }
    void ends() {
        QFETCH(int, arrow);
        QFETCH(QList<int>, markers);
        QFETCH(Span, span);
        QFETCH(Ends, ends);
        MarkerList list;
        for (const int at : markers) {
            list.add(std::abs(at), 0);
            if (at < 0)
                list.removeNearest(-at);
        }
        QCOMPARE(knownLengthEnds(arrow, list, span), ends);
    }

    void unit_data() {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<double>("length");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<bool>("made");
        QTest::newRow("a map's scale bar") << 333 << 7.0 << "Mapa"
                                           << "km" << true;
        QTest::newRow("no length") << 333 << 0.0 << "Mapa"
                                   << "km" << false;
        QTest::newRow("no pixels") << 0 << 7.0 << "Mapa"
                                   << "km" << false;
        QTest::newRow("no name") << 333 << 7.0 << " "
                                 << "km" << false;
        QTest::newRow("the separator's name") << 333 << 7.0 << "-"
                                              << "km" << false;
        QTest::newRow("field separator") << 333 << 7.0 << "a;b"
                                         << "km" << false;
        QTest::newRow("no symbol") << 333 << 7.0 << "Mapa"
                                   << "" << false;
        QTest::newRow("smallest size") << 1 << 10000.0 << "Mapa"
                                       << "km" << true;
        QTest::newRow("below the smallest size") << 1 << 10001.0 << "Mapa"
                                                 << "km" << false;
        // Ticks every ten-thousandth of a unit still stand far apart: the spacing stops there.
        QTest::newRow("the largest size") << 1000 << 0.0001 << "Mapa"
                                          << "km" << true;
        QTest::newRow("above the largest size") << 1001 << 0.0001 << "Mapa"
                                                << "km" << false;
    }

    // The lengths offered for a span are exactly those that make a unit.
    void range_data() {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<double>("least");
        QTest::addColumn<double>("largest");
        QTest::newRow("one pixel") << 1 << 0.0001 << 10000.0;
        QTest::newRow("999 pixels") << 999 << 0.0001 << 9990000.0;
        QTest::newRow("1000 pixels") << 1000 << 0.0001 << 1e7;
        QTest::newRow("1001 pixels") << 1001 << 0.0002 << 1e7;
        QTest::newRow("3000 pixels") << 3000 << 0.0003 << 1e7;
        QTest::newRow("32767 pixels") << 32767 << 0.0033 << 1e7;
    }
    void range() {
        QFETCH(int, pixels);
        QFETCH(double, least);
        QFETCH(double, largest);
        const auto [shortest, longest] = knownLengthRange(pixels);
        QCOMPARE(shortest.toDouble(), least);
        QCOMPARE(longest.toDouble(), largest);
        const auto made = [pixels](FixedPoint length) {
            return knownLengthUnit(pixels, length.toDouble(), "Mapa", "km").has_value();
        };
        const FixedPoint step = FixedPoint::fromRaw(1);
        QVERIFY(made(shortest));
        QVERIFY(made(longest));
        if (shortest > LeastUnitNumber)
            QVERIFY(!made(shortest - step));
        if (longest < LargestUnitNumber)
            QVERIFY(!made(longest + step));
    }
    void unit() {
        QFETCH(int, pixels);
        QFETCH(double, length);
        QFETCH(QString, name);
        QFETCH(QString, symbol);
        QFETCH(bool, made);
        const auto unit = knownLengthUnit(pixels, length, name, symbol);
        QCOMPARE(unit.has_value(), made);
        if (!unit)
            return;
        QCOMPARE(unit->Zaklad, quint8(UnitPixel));
        // The unit's size read back from its stored text still spans the length.
        bool ok = false;
        const double stored = parseUnitNumber(formatUnitNumber(unit->Hodnota), &ok);
        QVERIFY(ok);
        QCOMPARE(pixels / stored, length);
        QVERIFY(unit->Carka * unit->Hodnota >= leastTickGap * (1 - 1e-9));
    }

    void sameNameIsUpdated() {
        QVector<tjednotka> units(BuiltInUnitCount);
        units[UnitCentimetre].Nazev = QStringLiteral("Mapa"); // a built-in unit is never replaced
        const tjednotka first{QStringLiteral("Mapa"), QStringLiteral("km"), 10, 0, 0, 1};
        QCOMPARE(putUserUnit(units, first), 4);
        const tjednotka again{QStringLiteral("Mapa"), QStringLiteral("mi"), 20, 0, 0, 1};
        QCOMPARE(putUserUnit(units, again), 4);
        QCOMPARE(units.size(), 5);
        QCOMPARE(units[4].Znacka, QStringLiteral("mi"));
        const tjednotka other{QStringLiteral("Plán"), QStringLiteral("m"), 2, 0, 0, 5};
        QCOMPARE(putUserUnit(units, other), 5);
    }
};

QTEST_GUILESS_MAIN(TestKnownLength)
#include "tst_knownlength.moc"
