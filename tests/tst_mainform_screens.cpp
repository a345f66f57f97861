// The ruler moved between two screens of different device pixel ratios. CTest runs this program
// on an offscreen desktop of a screen at ratio 1 with a screen at ratio 2 to its right
// (tests/data/two-screens.json).

#include "RulerFixture.h"
#include "core/units/DevicePixels.h"

#include <QGuiApplication>
#include <QScreen>

class TestMainFormScreens : public QObject {
    Q_OBJECT

    RulerFixture ruler;

    // Moves the window and lets Qt tell it about its new screen.
    void moveTo(QPoint place) {
        ruler.form->move(place);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        QCOMPARE(QGuiApplication::screens().size(), 2);
    }
    void cleanup() { ruler.stop(); }

    // On the denser screen the window keeps its logical size: it covers twice the device
    // pixels, the arrow and the markers keep their places on the bar, their readings count the
    // new device pixels, and the scale is drawn afresh for that screen at once.
    void followsTheScreensRatio() {
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\nX=100\nY=100\nDelka=400\n");
        ruler.start();
        QCOMPARE(ruler.form->ratio(), 1.0);
        ruler.press(150);
        ruler.press(200, Qt::ControlModifier);

        moveTo({900, 100});
        QCOMPARE(ruler.form->ratio(), 2.0);
        QCOMPARE(ruler.state.PoziceMeridla, 300);
        QCOMPARE(ruler.state.Zalozky.constFirst().Pozice, 400);
        QCOMPARE(ruler.reading(), QStringLiteral("300"));
        const QImage strip = ruler.control<ImageControl>("imageMeritko")->picture();
        QCOMPARE(strip.devicePixelRatio(), 2.0);
        QCOMPARE(strip.width(), 800);
        // The percent unit counts the new device length: 100 % is still the far end.
        QCOMPARE(ruler.state.Jednotky[UnitPercent].Pixelu, 8.0);

        moveTo({100, 100});
        QCOMPARE(ruler.form->ratio(), 1.0);
        QCOMPARE(ruler.state.PoziceMeridla, 150);
        QCOMPARE(ruler.state.Zalozky.constFirst().Pozice, 200);
        QCOMPARE(ruler.control<ImageControl>("imageMeritko")->picture().width(), 400);
    }

    // Settings written on the denser screen hold its device pixels.
    void savesTheDevicePixelsOfItsScreen() {
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\nX=100\nY=100\nDelka=400\n");
        ruler.start();
        moveTo({900, 100});
        ruler.stop();
        const QString saved = QString::fromUtf8(ruler.read(QStringLiteral("tavlinko.ini")));
        QVERIFY(saved.contains(QLatin1String("Delka=800")));
    }
};

QTEST_MAIN(TestMainFormScreens)
#include "tst_mainform_screens.moc"
