// The ruler's arithmetic on its state and what each change asks the window to redraw.

#include "core/ruler/RulerModel.h"
#include "core/settings/RulerState.h"

#include <QtTest>

Q_DECLARE_METATYPE(RulerChanges)

namespace {

using C = RulerChange;

// A ruler 400 device pixels long whose units are laid out for that length: pixels, centimetres
// at 96 per inch, inches, percent, and one user unit.
struct Ruler {
    RulerState state;
    int length = 400;
    RulerModel model{state, [this] { return length; }};

    Ruler() {
        const std::pair<const char *, double> units[] = {
            {"px", 1}, {"cm", 96 / 2.54}, {"in", 96}, {"%", 4}, {"ft", 1152}};
        for (const auto &[symbol, pixels] : units)
            state.Jednotky.append({QString(), QLatin1String(symbol), 1, 0, pixels, 1});
        state.PixeluNaJednotku = 1;
    }
};

} // namespace

class TestRulerModel : public QObject {
    Q_OBJECT

private slots:
    void consequences_data() {
        QTest::addColumn<RulerChanges>("changes");
        QTest::addColumn<RulerChanges>("expected");
        const RulerChanges redrawn = C::Factors | C::Scale | C::Reading | C::Markers;
        const RulerChanges reshaped = C::Shape | C::Monitor | C::Arrow | redrawn;
        QTest::newRow("turn") << RulerChanges(C::Turned) << (C::Turned | reshaped);
        QTest::newRow("shape") << RulerChanges(C::Shape) << reshaped;
        QTest::newRow("factors") << RulerChanges(C::Factors) << redrawn;
        QTest::newRow("monitor alone") << RulerChanges(C::Monitor) << RulerChanges(C::Monitor);
        QTest::newRow("kept reading")
            << (C::Reading | C::KeepReading) << (C::Reading | C::KeepReading);
        QTest::newRow("unit symbol and list")
            << (C::UnitSymbol | C::UnitList) << (C::UnitSymbol | C::UnitList);
        QTest::newRow("nothing") << RulerChanges() << RulerChanges();
    }
    void consequences() {
        QFETCH(RulerChanges, changes);
        QFETCH(RulerChanges, expected);
        QCOMPARE(withConsequences(changes), expected);
    }

    // The first layout and a new skin draw everything, but neither turn the window nor keep a
    // reading that the new factors change.
    void everyChangeIsAllButATurn() {
        for (const C change : {C::Shape, C::Monitor, C::Factors, C::MarkerPercents, C::Scale,
                               C::Arrow, C::Markers, C::Reading, C::UnitSymbol, C::UnitList})
            QVERIFY(everyChange.testFlag(change));
        QVERIFY(!everyChange.testFlag(C::Turned));
        QVERIFY(!everyChange.testFlag(C::KeepReading));
    }

    // Each operation changes the state and names what the window must bring up to date; a
    // swap of the zero end may take the bar to another monitor.
    void operations_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("unitBefore");
        QTest::addColumn<RulerChanges>("expected");
        QTest::addColumn<int>("unitAfter");
        const RulerChanges unit =
            C::UnitSymbol | C::Scale | C::Reading | C::Markers | C::MarkerPercents;
        QTest::newRow("turn") << "turn" << 1 << RulerChanges(C::Turned) << 1;
        QTest::newRow("swap") << "swap" << 1
                              << (C::Monitor | C::Scale | C::Reading | C::Markers |
                                  C::MarkerPercents)
                              << 1;
        QTest::newRow("unit") << "unit 2" << 0 << unit << 2;
        QTest::newRow("last unit") << "unit 4" << 0 << unit << 4;
        QTest::newRow("unit past the last") << "unit 5" << 2 << unit << 0;
        QTest::newRow("negative unit") << "unit -1" << 2 << unit << 0;
        QTest::newRow("next after pixels") << "next" << 0 << unit << 1;
        QTest::newRow("next after inches") << "next" << 2 << unit << 3;
        QTest::newRow("next after percent") << "next" << 3 << unit << 0;
        QTest::newRow("next after a user unit") << "next" << 4 << unit << 0;
        QTest::newRow("measure") << "measure" << 1 << (C::Reading | C::Arrow) << 1;
        QTest::newRow("marker") << "marker" << 1 << RulerChanges(C::Markers) << 1;
        QTest::newRow("delete with none") << "delete" << 1 << RulerChanges() << 1;
        QTest::newRow("clear") << "clear" << 1 << RulerChanges(C::Markers) << 1;
    }
    void operations() {
        QFETCH(QString, operation);
        QFETCH(int, unitBefore);
        QFETCH(RulerChanges, expected);
        QFETCH(int, unitAfter);
        Ruler ruler;
        ruler.state.Jednotka = unitBefore;
        RulerChanges changes;
        if (operation == "turn")
            changes = ruler.model.turn();
        else if (operation == "swap")
            changes = ruler.model.swapZeroEnd();
        else if (operation.startsWith("unit"))
            changes = ruler.model.selectUnit(operation.mid(5).toInt());
        else if (operation == "next")
            changes = ruler.model.nextBuiltInUnit();
        else if (operation == "measure")
            changes = ruler.model.measureAt(120);
        else if (operation == "marker")
            changes = ruler.model.addMarker(120);
        else if (operation == "delete")
            changes = ruler.model.removeMarkerNear(120);
        else if (operation == "clear")
            changes = ruler.model.clearMarkers();
        QCOMPARE(changes, expected);
        QCOMPARE(ruler.state.Jednotka, unitAfter);
        QCOMPARE(ruler.state.Horizontalni, operation != "turn");
        QCOMPARE(ruler.state.Obracene, operation == "swap");
        QCOMPARE(ruler.state.PoziceMeridla, operation == "measure" ? 120 : 0);
        QCOMPARE(ruler.state.Zalozky.size(), operation == "marker" ? 1 : 0);
        if (operation.startsWith("unit") || operation == "next")
            QCOMPARE(ruler.state.PixeluNaJednotku, ruler.state.Jednotky[unitAfter].Pixelu);
    }

    // Distances count from the zero end; a span between edges is a length of its own.
    void readings_data() {
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<bool>("span");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<double>("reading");
        QTest::newRow("from the start") << false << false << 0 << 150 << 150.0;
        QTest::newRow("from the far end") << true << false << 0 << 250 << 250.0;
        QTest::newRow("span from the start") << false << true << 0 << 37 << 37.0;
        QTest::newRow("span from the far end") << true << true << 0 << 37 << 37.0;
        // 150 / 4 = 37.5 percent.
        QTest::newRow("percent") << false << false << 3 << 150 << 37.5;
        QTest::newRow("centimetres") << true << false << 1 << 250 << 250 * 2.54 / 96;
    }
    void readings() {
        QFETCH(bool, inverted);
        QFETCH(bool, span);
        QFETCH(int, unit);
        QFETCH(int, pixels);
        QFETCH(double, reading);
        Ruler ruler;
        ruler.state.Obracene = inverted;
        ruler.model.selectUnit(unit);
        ruler.model.measureAt(150);
        if (span)
            ruler.state.edgeSpan = EdgeSpan{200, 237};
        QCOMPARE(ruler.model.measuredPixels(), pixels);
        QCOMPARE(ruler.model.reading(), reading);
        QCOMPARE(ruler.model.distanceFromZero(0), inverted ? 400 : 0);
        QCOMPARE(ruler.model.distanceFromZero(400), inverted ? 0 : 400);
    }

    // In the percent unit a resize moves the arrow and the markers to keep their readings, at
    // either zero end; in any other unit they stay and their percentages are taken anew.
    void lengthChanges_data() {
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("keepPercent");
        QTest::addColumn<int>("arrow");
        QTest::addColumn<int>("marker");
        QTest::addColumn<RulerChanges>("changes");
        const RulerChanges kept = C::Shape | C::KeepReading;
        const RulerChanges taken = C::Shape | C::MarkerPercents;
        // 25 % and 50 % of 600.
        QTest::newRow("percent") << false << 3 << true << 150 << 300 << kept;
        QTest::newRow("percent, far end") << true << 3 << true << 450 << 300 << kept;
        QTest::newRow("percent, not kept") << false << 3 << false << 100 << 200 << taken;
        QTest::newRow("pixels") << false << 0 << true << 100 << 200 << taken;
        QTest::newRow("pixels, far end") << true << 0 << true << 100 << 200 << taken;
    }
    void lengthChanges() {
        QFETCH(bool, inverted);
        QFETCH(int, unit);
        QFETCH(bool, keepPercent);
        QFETCH(int, arrow);
        QFETCH(int, marker);
        QFETCH(RulerChanges, changes);
        Ruler ruler;
        ruler.state.Obracene = inverted;
        ruler.state.Jednotka = unit;
        const int fromZero = inverted ? 300 : 100;
        ruler.model.measureAt(fromZero);
        ruler.state.Odecet = 25;
        ruler.model.addMarker(200);
        ruler.length = 600;
        QCOMPARE(ruler.model.lengthChanged(keepPercent), changes);
        QCOMPARE(ruler.state.PoziceMeridla, inverted && arrow == 100 ? 300 : arrow);
        QCOMPARE(ruler.state.Zalozky[0].Pozice, marker);
    }

    // Markers keep their distance from zero in percent of the bar, in hundredths.
    void markerPercent() {
        Ruler ruler;
        ruler.length = 300;
        ruler.state.Jednotky[UnitPercent].Pixelu = 3;
        QCOMPARE(ruler.model.markerPercent(100), 33.33);
        QCOMPARE(ruler.model.markerPercent(200), 66.67);
        ruler.state.Obracene = true;
        QCOMPARE(ruler.model.markerPercent(200), 33.33);
        ruler.model.addMarker(200);
        ruler.state.Obracene = false;
        ruler.model.recordMarkerPercents();
        QCOMPARE(ruler.state.Zalozky[0].Procenta, 66.67);
        // A percent unit without pixels (a bar not laid out yet) gives no percentage at all.
        ruler.state.Jednotky[UnitPercent].Pixelu = 0;
        QCOMPARE(ruler.model.markerPercent(200), 0.0);
    }

    // Only another monitor's identity makes a change that shows; the monitor's resolution is
    // taken either way.
    void followingTheMonitor() {
        Ruler ruler;
        const MonitorInfo left{"left",           "Left", QRect(0, 0, 1000, 800),
                               QSize(1000, 800), {},     {96, 96}};
        const MonitorInfo right{"right",          "Right", QRect(1000, 0, 1000, 800),
                                QSize(1000, 800), {},      {144, 120}};
        QVERIFY(!ruler.model.followMonitor(std::nullopt));
        QVERIFY(ruler.model.followMonitor(left));
        QVERIFY(!ruler.model.followMonitor(left));
        QVERIFY(ruler.model.followMonitor(right));
        QCOMPARE(ruler.state.monitor.identity, QStringLiteral("right"));
        QCOMPARE(QPoint(ruler.state.RozliseniX, ruler.state.RozliseniY), QPoint(144, 120));
    }

    // Positions counted at one ratio stand on the same logical pixels at another.
    void rescaling() {
        Ruler ruler;
        ruler.model.measureAt(151);
        ruler.model.addMarker(300);
        ruler.model.rescale(1.5, 2);
        QCOMPARE(ruler.state.PoziceMeridla, 201);
        QCOMPARE(ruler.state.Zalozky[0].Pozice, 400);
    }
};

QTEST_GUILESS_MAIN(TestRulerModel)
#include "tst_rulermodel.moc"
