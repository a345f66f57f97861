// Using the ruler the way a person does: measuring, markers, copying and saving, turning,
// swapping the zero end, resizing, the keyboard, the unit menu and calibration.

#include "RulerFixture.h"
#include "core/units/DistanceFormat.h"
#include "forms/ruler/UnitMenuItem.h"
#include "widgets/CoolForm.h"

#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QScreen>

namespace {
// 96 DPI in both directions, so centimetres are 37.795... pixels.
const QByteArray at96 = "[Mereni]\r\nRozliseni X=96\r\nRozliseni Y=96\r\n";
} // namespace

class TestMainFormUse : public QObject {
    Q_OBJECT

    RulerFixture ruler;

    void startWith(const QByteArray &ini = at96, const QStringList &arguments = {}) {
        ruler.write(QStringLiteral("tavlinko.ini"), ini);
        ruler.start(arguments);
        ruler.messages.clear();
        ruler.icons.clear();
    }

    QList<int> activeMarkerPositions() const {
        QList<int> positions;
        for (const tzalozka &zalozka : ruler.state.Zalozky)
            if (zalozka.Aktivni)
                positions << zalozka.Pozice;
        return positions;
    }

private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        QFile::remove(ruler.folder.filePath(QStringLiteral("tavlinko.ini")));
    }
    void cleanup() { ruler.stop(); }

    void readingsInEachUnitFromEitherEnd_data() {
        QTest::addColumn<int>("unitClicks");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<QString>("reading");
        QTest::addColumn<QString>("symbol");
        QTest::newRow("pixels") << 0 << false << "100"
                                << "px";
        QTest::newRow("pixels from the far end") << 0 << true << "372"
                                                 << "px";
        QTest::newRow("centimetres") << 1 << false << "2,65"
                                     << "cm";
        QTest::newRow("centimetres from the far end") << 1 << true << "9,84"
                                                      << "cm";
        QTest::newRow("inches") << 2 << false << "1,04"
                                << "in";
        QTest::newRow("percent") << 3 << false << "21,19"
                                 << "%";
        QTest::newRow("back to pixels") << 4 << false << "100"
                                        << "px";
    }

    void readingsInEachUnitFromEitherEnd() {
        QFETCH(int, unitClicks);
        QFETCH(bool, inverted);
        QFETCH(QString, reading);
        QFETCH(QString, symbol);
        startWith();
        auto *unitButton = ruler.control<QLabel>("buttonJednotka");
        for (int i = 0; i < unitClicks; ++i)
            QTest::mouseClick(unitButton, Qt::LeftButton);
        if (inverted)
            QTest::mouseClick(ruler.control<ImageControl>("buttonObratit"), Qt::LeftButton);
        ruler.press(100);
        QCOMPARE(ruler.reading(), reading);
        QCOMPARE(ruler.unit(), symbol);
        // The arrow points at the press.
        auto *arrow = ruler.control<ImageControl>("imageSipka");
        QCOMPARE(arrow->x() + partOf<RulerView>(ruler.form).skin().horizontal.arrowCenter, 100);
        // A press on the arrow measures at the point under the cursor.
        QTest::mouseClick(arrow, Qt::RightButton, {},
                          QPoint(partOf<RulerView>(ruler.form).skin().horizontal.arrowCenter, 15));
        QCOMPARE(ruler.state.PoziceMeridla, 100);
    }

    void markersArePlacedAndDeleted() {
        startWith();
        ruler.press(100);
        ruler.press(50, Qt::ControlModifier);
        ruler.press(150, Qt::ControlModifier);
        QCOMPARE(activeMarkerPositions(), (QList<int>{50, 150}));
        QCOMPARE(ruler.state.PoziceMeridla, 100); // placing does not move the arrow

        // Equally near: the earlier marker goes; Ctrl+Shift deletes like Shift.
        ruler.press(100, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(activeMarkerPositions(), QList<int>{150});
        QCOMPARE(ruler.state.Zalozky.size(), 2); // the slot stays
        ruler.press(10, Qt::ShiftModifier);      // the nearest, however far
        QVERIFY(activeMarkerPositions().isEmpty());
        ruler.press(10, Qt::ShiftModifier); // nothing left to delete
        QCOMPARE(ruler.state.Zalozky.size(), 2);

        // The menu arms exactly one press.
        QVERIFY(ruler.trigger("menuZVytvorit"));
        ruler.press(200);
        QCOMPARE(activeMarkerPositions(), QList<int>{200});
        QCOMPARE(ruler.state.PoziceMeridla, 100);
        ruler.press(220);
        QCOMPARE(ruler.state.PoziceMeridla, 220);

        // A press on a marker's picture measures at that point of the scale.
        ImageControl *marker = partOf<RulerView>(ruler.form).markerImage(2);
        QVERIFY(marker);
        QVERIFY(ruler.trigger("menuZSmazat"));
        QTest::mouseClick(marker, Qt::LeftButton, {}, QPoint(1, 3));
        QVERIFY(activeMarkerPositions().isEmpty());

        ruler.press(30, Qt::ControlModifier);
        QVERIFY(ruler.trigger("menuZSmazatVse"));
        QVERIFY(ruler.state.Zalozky.isEmpty());
    }

    void copyAndSaveTheReadings() {
        startWith();
        QTest::mouseClick(ruler.control<QLabel>("buttonJednotka"), Qt::LeftButton); // cm
        ruler.press(472 - 100);
        QTest::mouseClick(ruler.control<ImageControl>("buttonObratit"), Qt::LeftButton);
        QCOMPARE(ruler.reading(), QStringLiteral("2,65"));
        ruler.key(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2,65"));
        QVERIFY(ruler.state.Zalozky.isEmpty()); // Ctrl+Insert copies only

        const QString file = ruler.folder.filePath(QStringLiteral("vzdalenosti.txt"));
        QVERIFY(partOf<ReadingExport>(ruler.form).UlozVzdalenostiDoSouboru(file));
        QCOMPARE(ruler.read(QStringLiteral("vzdalenosti.txt")),
                 QByteArray("Naměřená vzdálenost je 2,65 cm.\r\n"));

        ruler.press(472 - 121, Qt::ControlModifier); // 3,2 cm from the far end
        ruler.press(472 - 265, Qt::ControlModifier); // 7,01 cm
        ruler.press(472 - 300, Qt::ControlModifier);
        ruler.press(472 - 300, Qt::ShiftModifier);
        QVERIFY(partOf<ReadingExport>(ruler.form).UlozVzdalenostiDoSouboru(file));
        QCOMPARE(ruler.read(QStringLiteral("vzdalenosti.txt")),
                 QByteArray("Naměřená vzdálenost je 2,65 cm.\r\nPozice záložek :\r\n3,2 cm\r\n"
                            "7,01 cm\r\n"));

        // A file that cannot be written is reported and an older file stays whole.
        QVERIFY(!partOf<ReadingExport>(ruler.form)
                     .UlozVzdalenostiDoSouboru(
                         ruler.folder.filePath(QStringLiteral("missing/folder/x.txt"))));
        QCOMPARE(ruler.messages.size(), 1);
        QVERIFY(ruler.messages.first().contains(QStringLiteral("x.txt")));
        QCOMPARE(ruler.icons, QList<QMessageBox::Icon>{QMessageBox::Warning}); // a failure
    }

    void saveDialogAsksTheRightQuestion() {
        startWith();
        QString title, filters, suffix;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            filters = dialog->nameFilters().join(QLatin1Char('|'));
            suffix = dialog->defaultSuffix();
            QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
            dialog->reject();
        });
        QVERIFY(ruler.trigger("menuUlozit"));
        QCOMPARE(title, QStringLiteral("Uložit do souboru"));
        QCOMPARE(filters, QStringLiteral("Textové soubory (*.txt)|Všechny soubory (*.*)"));
        QCOMPARE(suffix, QStringLiteral("txt"));
    }

    void turningTwiceRestoresEverything() {
        startWith();
        ruler.press(120);
        ruler.press(60, Qt::ControlModifier);
        const QRect before(ruler.form->pos(), ruler.form->size());
        const QPoint arrowBefore = ruler.control<ImageControl>("imageSipka")->pos();
        ruler.key(Qt::Key_F2);
        QCOMPARE(ruler.form->size(), QSize(90, 472));
        QCOMPARE(ruler.form->pos(), before.topLeft());
        QCOMPARE(ruler.control<ImageControl>("imageMeritko")->size(), QSize(35, 472));
        QCOMPARE(partOf<RulerView>(ruler.form).markerImage(0)->y() +
                     partOf<RulerView>(ruler.form).skin().vertical.markCenter,
                 60);
        QCOMPARE(ruler.control<ImageControl>("imageVelikost")->cursor().shape(), Qt::SizeVerCursor);
        ruler.press(200);
        QCOMPARE(ruler.reading(), QStringLiteral("200"));
        ruler.press(120);
        QTest::mouseClick(ruler.control<ImageControl>("buttonHorizVert"), Qt::LeftButton);
        QCOMPARE(QRect(ruler.form->pos(), ruler.form->size()), before);
        QCOMPARE(ruler.control<ImageControl>("imageSipka")->pos(), arrowBefore);
        QCOMPARE(partOf<RulerView>(ruler.form).markerImage(0)->x() +
                     partOf<RulerView>(ruler.form).skin().horizontal.markCenter,
                 60);
    }

    void swappingTheZeroEndKeepsTheArrow() {
        startWith(QByteArray("[Obecne]\r\nDelka=500\r\n") + at96);
        ruler.press(100);
        ruler.key(Qt::Key_F3);
        QCOMPARE(ruler.reading(), QStringLiteral("400"));
        QCOMPARE(ruler.state.PoziceMeridla, 100);
        ruler.key(Qt::Key_F3);
        QCOMPARE(ruler.reading(), QStringLiteral("100"));
    }

    // Centimetres across count the X resolution, down the Y one: turning the bar reads the same
    // pixels anew.
    void turningRereadsWhereTheResolutionsDiffer() {
        startWith("[Mereni]\r\nJednotka=1\r\nRozliseni X=80\r\nRozliseni Y=160\r\n");
        ruler.press(315);
        QCOMPARE(ruler.reading(), QStringLiteral("10"));
        ruler.key(Qt::Key_F2);
        QCOMPARE(ruler.reading(), QStringLiteral("5"));
        ruler.key(Qt::Key_F2);
        QCOMPARE(ruler.reading(), QStringLiteral("10"));
    }

    void draggingTheResizeArrow() {
        ruler.write(QStringLiteral("skin/Min/skin.ini"), "[Horizontal]\r\nrule.MinSize=200\r\n");
        startWith(QByteArray("[Obecne]\r\nVzhled=Min\r\n") + at96);
        auto *handle = ruler.control<ImageControl>("imageVelikost");
        auto dragTo = [&](int windowX) {
            QMouseEvent move(
                QEvent::MouseMove, handle->mapFrom(ruler.form.get(), QPoint(windowX, 10)),
                handle->mapToGlobal(handle->mapFrom(ruler.form.get(), QPoint(windowX, 10))),
                Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(handle, &move);
        };
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(5, 5));
        dragTo(580);
        QCOMPARE(ruler.form->width(), 600);
        QCOMPARE(ruler.control<ImageControl>("imageMeritko")->width(), 600);
        dragTo(150); // 170 is below the skin's minimum
        QCOMPARE(ruler.form->width(), 600);
        dragTo(300);
        QTest::mouseRelease(handle, Qt::LeftButton, {},
                            handle->mapFrom(ruler.form.get(), QPoint(300, 10)));
        QCOMPARE(ruler.form->width(), 320);
        // Controls placed from the far end follow it.
        QCOMPARE(handle->x(), 320 - 18 - 19);
    }

    void percentResizeKeepsReadingsAndMarkers_data() {
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<bool>("vertical");
        QTest::newRow("zero at the start") << false << false;
        QTest::newRow("zero at the far end") << true << false;
        QTest::newRow("vertical") << false << true;
        QTest::newRow("vertical, far end") << true << true;
    }

    void percentResizeKeepsReadingsAndMarkers() {
        QFETCH(bool, inverted);
        QFETCH(bool, vertical);
        startWith(QByteArray("[Obecne]\r\nDelka=400\r\n") + at96);
        if (vertical)
            ruler.key(Qt::Key_F2);
        if (inverted)
            ruler.key(Qt::Key_F3);
        for (int i = 0; i < 3; ++i)
            ruler.key(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(ruler.unit(), QStringLiteral("%"));
        ruler.press(100);
        ruler.press(300, Qt::ControlModifier);
        const QString reading = ruler.reading();
        QCOMPARE(reading, inverted ? QStringLiteral("75") : QStringLiteral("25"));
        for (int i = 0; i < 10; ++i)
            ruler.key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(ruler.length(), 500);
        QCOMPARE(ruler.reading(), reading);
        QCOMPARE(ruler.state.PoziceMeridla, 125);
        QCOMPARE(activeMarkerPositions(), QList<int>{375});
    }

    void percentMarkersKeepTheirReading_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::newRow("swap") << QList<int>{Qt::Key_F3};
        QTest::newRow("span") << QList<int>{Qt::Key_F11};
        QTest::newRow("span and back") << QList<int>{Qt::Key_F11, Qt::Key_F11};
        QTest::newRow("swap and span") << QList<int>{Qt::Key_F3, Qt::Key_F11};
        QTest::newRow("turn and swap") << QList<int>{Qt::Key_F2, Qt::Key_F3};
        QTest::newRow("span, turn, swap") << QList<int>{Qt::Key_F11, Qt::Key_F2, Qt::Key_F3};
    }

    // Whatever changed the length or the zero end before, a percent-unit resize keeps every
    // marker at the reading it showed, up to the rounding of one pixel.
    void percentMarkersKeepTheirReading() {
        QFETCH(QList<int>, keys);
        startWith(QByteArray("[Obecne]\r\nDelka=400\r\n") + at96);
        for (int i = 0; i < 3; ++i)
            ruler.key(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(ruler.unit(), QStringLiteral("%"));
        ruler.press(100, Qt::ControlModifier);
        ruler.press(390, Qt::ControlModifier);
        for (int key : keys)
            ruler.key(Qt::Key(key));
        const auto percents = [&] {
            QList<double> result;
            for (const tzalozka &zalozka : ruler.state.Zalozky) {
                const int fromZero =
                    ruler.state.Obracene ? ruler.length() - zalozka.Pozice : zalozka.Pozice;
                result << 100.0 * fromZero / ruler.length();
            }
            return result;
        };
        const QList<double> before = percents();
        for (int i = 0; i < 5; ++i)
            ruler.key(Qt::Key_Left, Qt::ControlModifier);
        const QList<double> after = percents();
        for (int i = 0; i < before.size(); ++i)
            QVERIFY2(std::abs(after[i] - before[i]) <= 100.0 / ruler.length() + 0.01,
                     qPrintable(QStringLiteral("marker %1: %2 % before, %3 % after")
                                    .arg(i)
                                    .arg(before[i])
                                    .arg(after[i])));
    }

    void keyboardLengthAndFloor() {
        startWith();
        ruler.key(Qt::Key_Right);
        QCOMPARE(ruler.form->width(), 473);
        ruler.key(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(ruler.form->width(), 483);
        ruler.key(Qt::Key_Left, Qt::ShiftModifier | Qt::AltModifier); // only Ctrl matters
        QCOMPARE(ruler.form->width(), 482);
        ruler.key(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(ruler.form->width(), 472);
        ruler.key(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(ruler.form->width(), 473);
        ruler.key(Qt::Key_Minus, Qt::KeypadModifier | Qt::ControlModifier);
        QCOMPARE(ruler.form->width(), 463);
        ruler.key(Qt::Key_Minus); // the main keyboard's minus is no length key
        QCOMPARE(ruler.form->width(), 463);
        for (int i = 0; i < 60; ++i)
            ruler.key(Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(ruler.form->width(), 20);
        ruler.key(Qt::Key_F2);
        ruler.key(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(ruler.form->height(), 30);
    }

    void keyboardMarkersUnitsAndMenus() {
        startWith();
        ruler.press(80);
        ruler.key(Qt::Key_Insert);
        ruler.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(activeMarkerPositions(), (QList<int>{80, 80}));
        ruler.key(Qt::Key_Delete);
        QCOMPARE(activeMarkerPositions(), QList<int>{80});
        ruler.key(Qt::Key_Tab);
        QCOMPARE(ruler.unit(), QStringLiteral("px"));
        ruler.key(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(ruler.unit(), QStringLiteral("cm"));
        // With Shift as well the key arrives as Backtab; only Ctrl counts.
        ruler.key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ruler.unit(), QStringLiteral("in"));
        ruler.key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(ruler.unit(), QStringLiteral("in"));
        ruler.key(Qt::Key_F4);
        ruler.key(Qt::Key_F8);
        QCOMPARE(ruler.form->width(), 472);

        ruler.key(Qt::Key_F10);
        QVERIFY(partOf<RulerMenus>(ruler.form).functionMenu()->isVisible());
        QCOMPARE(partOf<RulerMenus>(ruler.form).functionMenu()->pos(),
                 ruler.form->pos() + QPoint(ruler.control<ImageControl>("buttonMenu")->x(), 64));
        partOf<RulerMenus>(ruler.form).functionMenu()->close();
        ruler.key(Qt::Key_F9);
        QMenu *units = partOf<RulerMenus>(ruler.form).unitMenu();
        QVERIFY(units->isVisible());
        auto *button = ruler.control<ImageControl>("buttonDalsiJednotky");
        QCOMPARE(units->geometry().right() + 1, ruler.form->x() + button->x() + button->width());
        units->close();

        ruler.key(Qt::Key_F2);
        ruler.key(Qt::Key_F9);
        QCOMPARE(units->pos(), ruler.form->pos() + QPoint(90, button->y()));
        units->close();
    }

    void spanningTheDesktopAndBack() {
        startWith(QByteArray("[Obecne]\r\nX=100\r\nY=100\r\n") + at96);
        const QRect desktop = ruler.form->screen()->virtualGeometry();
        ruler.key(Qt::Key_F11);
        QCOMPARE(ruler.form->x(), desktop.left());
        QCOMPARE(ruler.form->width(), desktop.width());
        QCOMPARE(ruler.form->y(), 100);
        QCOMPARE(ruler.control<ImageControl>("imageMeritko")->width(), desktop.width());
        QVERIFY(ruler.trigger("menuMaxi"));
        QCOMPARE(QRect(ruler.form->pos(), ruler.form->size()), QRect(100, 100, 472, 64));
    }

    // Turned while it spans the desktop, the bar spans the desktop the other way: never longer
    // than the screen it now stands along. Ending the span brings back the place and length it
    // had.
    void turningWhileSpanning_data() {
        QTest::addColumn<bool>("vertical");
        QTest::newRow("horizontal first") << false;
        QTest::newRow("vertical first") << true;
    }
    void turningWhileSpanning() {
        QFETCH(bool, vertical);
        const QByteArray place = "[Obecne]\r\nX=100\r\nY=100\r\nDelka=300\r\n";
        startWith(place + (vertical ? "Poloha=Vertikalni\r\n" : "") + at96);
        const QRect before(ruler.form->pos(), ruler.form->size());
        const QRect desktop = ruler.form->screen()->virtualGeometry();
        ruler.key(Qt::Key_F11);
        ruler.key(Qt::Key_F2);
        if (vertical) {
            QCOMPARE(ruler.form->x(), desktop.left());
            QCOMPARE(ruler.form->width(), desktop.width());
        } else {
            QCOMPARE(ruler.form->y(), desktop.top());
            QCOMPARE(ruler.form->height(), desktop.height());
        }
        ruler.key(Qt::Key_F2);
        QCOMPARE(ruler.length(), vertical ? desktop.height() : desktop.width());
        ruler.key(Qt::Key_F11);
        QCOMPARE(QRect(ruler.form->pos(), ruler.form->size()), before);
    }

    void theReadingAlwaysTellsWhereTheArrowIs() {
        startWith();
        ruler.key(Qt::Key_F3); // zero at the far end
        ruler.press(72);
        QCOMPARE(ruler.reading(), QStringLiteral("400"));
        ruler.key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(ruler.reading(), QStringLiteral("410"));
        for (int i = 0; i < 3; ++i)
            ruler.key(Qt::Key_Tab, Qt::ControlModifier);
        ruler.key(Qt::Key_F11); // spanning keeps the arrow and tells its new percentage
        QCOMPARE(ruler.state.PoziceMeridla, 72);
        const int desktop = ruler.form->width();
        QCOMPARE(ruler.reading(), FormatujVzdalenost(desktop - 72, desktop / 100.0));
    }

    void unitMenuFollowsTheUnits() {
        ruler.start(); // a first run brings the eleven stock units
        const auto &items = partOf<RulerMenus>(ruler.form).PolozkyJednotek();
        QCOMPARE(items.size(), 11);
        QCOMPARE(items[4]->text(), QStringLiteral("-"));
        QCOMPARE(items[6]->toolTip(), QStringLiteral("ft"));
        items[6]->trigger();
        QCOMPARE(ruler.unit(), QStringLiteral("ft"));
        QCOMPARE(ruler.state.Jednotka, 6);
        QTest::mouseClick(ruler.control<QLabel>("buttonJednotka"), Qt::LeftButton);
        QCOMPARE(ruler.state.Jednotka, 0);

        ruler.state.Jednotky.resize(5);
        partOf<RulerMenus>(ruler.form).ObnovMenuJednotky();
        QCOMPARE(items.size(), 11);
        QVERIFY(items[4]->isVisible());
        QVERIFY(!items[5]->isVisible());
        ruler.state.Jednotky.append(ruler.state.Jednotky[1]);
        ruler.state.Jednotky.last().Nazev = QStringLiteral("Nový");
        partOf<RulerMenus>(ruler.form).ObnovMenuJednotky();
        QVERIFY(items[5]->isVisible());
        QCOMPARE(items[5]->text(), QStringLiteral("Nový"));

        // Choosing the percent unit records every marker's percentage from the zero end.
        ruler.key(Qt::Key_F3);
        ruler.press(118, Qt::ControlModifier);
        items[3]->trigger();
        QCOMPARE(ruler.state.Zalozky.first().Procenta, 75.0);
    }

    void unitButtonHover() {
        ruler.write(QStringLiteral("skin/Hover/skin.ini"),
                    "[Colors]\r\nUnit.color=clNavy\r\nUnit.color2=clLime\r\n");
        startWith(QByteArray("[Obecne]\r\nVzhled=Hover\r\n"));
        auto *unit = ruler.control<QLabel>("buttonJednotka");
        QCOMPARE(unit->palette().color(QPalette::WindowText), QColor(0, 0, 0x80));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(unit, &enter);
        QCOMPARE(unit->palette().color(QPalette::WindowText), QColor(0, 0xFF, 0));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(unit, &leave);
        QCOMPARE(unit->palette().color(QPalette::WindowText), QColor(0, 0, 0x80));
    }

    void calibration_data() {
        QTest::addColumn<int>("startUnit");
        QTest::addColumn<bool>("startVertical");
        QTest::addColumn<int>("click");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("shown");
        QTest::newRow("from pixels: centimetres") << 0 << false << 378 << "cm"
                                                  << "10";
        QTest::newRow("from percent, vertical") << 3 << true << 378 << "cm"
                                                << "10";
        QTest::newRow("inches stay") << 2 << false << 289 << "in"
                                     << "3";
    }

    void calibration() {
        QFETCH(int, startUnit);
        QFETCH(bool, startVertical);
        QFETCH(int, click);
        QFETCH(QString, symbol);
        QFETCH(QString, shown);
        startWith(QStringLiteral("[Mereni]\r\nRozliseni X=50\r\nRozliseni Y=60\r\nJednotka=%1\r\n"
                                 "[Obecne]\r\nDelka=500\r\nObracene=Ano\r\n")
                      .arg(startUnit)
                      .toUtf8(),
                  startVertical ? QStringList{QStringLiteral("-vertical")} : QStringList{});
        QVERIFY(ruler.trigger("menuKalibrace"));
        QCOMPARE(ruler.unit(), symbol);
        QVERIFY(ruler.state.Horizontalni);
        QVERIFY(!ruler.state.Obracene);
        QCOMPARE(ruler.messages.size(), 1);
        QVERIFY(
            ruler.messages.first().endsWith(symbol == QLatin1String("cm") ? "10 cm." : "3 in."));

        ruler.press(5); // too near the zero: refused, still waiting
        QCOMPARE(ruler.messages.size(), 2);
        QCOMPARE(ruler.state.RozliseniX, 50);
        ruler.press(click, Qt::ControlModifier); // places a marker, no step
        QCOMPARE(ruler.state.RozliseniX, 50);

        ruler.press(click);
        QCOMPARE(ruler.state.RozliseniX, 96);
        QVERIFY(!ruler.state.Horizontalni);
        QCOMPARE(ruler.messages.last(),
                 QStringLiteral("Výborně! A nyní proveďte totéž ve svislé poloze."));
        ruler.press(click);
        QCOMPARE(ruler.state.RozliseniY, 96);
        QVERIFY(ruler.state.Horizontalni);
        QVERIFY(!ruler.state.Kalibruje);
        QCOMPARE(ruler.reading(), shown);
        QCOMPARE(ruler.messages.last(), QStringLiteral("Kalibrace byla dokončena."));
        QVERIFY(!ruler.icons.contains(QMessageBox::Warning)); // guidance, not failures
    }

    void calibrationCanBeCancelled() {
        startWith();
        QVERIFY(ruler.trigger("menuKalibrace"));
        ruler.press(378);
        QVERIFY(ruler.trigger("menuKalibrace"));
        QVERIFY(!ruler.state.Kalibruje);
        QCOMPARE(ruler.messages.last(), QStringLiteral("Kalibrace byla přerušena."));
        QCOMPARE(ruler.state.RozliseniX, 96); // the finished horizontal step stays
        ruler.press(100);
        QCOMPARE(ruler.state.RozliseniY, 96);
    }

    // A key redraws the scale at most once, however much it changes: the bar, the factors, the
    // monitor and the reading are all brought up to date in one step.
    void oneScaleRedrawPerKey_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("redraws");
        QTest::newRow("turn") << int(Qt::Key_F2) << 0 << 1;
        QTest::newRow("swap the zero end") << int(Qt::Key_F3) << 0 << 1;
        QTest::newRow("shorter") << int(Qt::Key_Left) << 0 << 1;
        QTest::newRow("ten longer") << int(Qt::Key_Right) << int(Qt::ControlModifier) << 1;
        QTest::newRow("next unit") << int(Qt::Key_Tab) << int(Qt::ControlModifier) << 1;
        QTest::newRow("across the desktop") << int(Qt::Key_F11) << 0 << 1;
        QTest::newRow("marker") << int(Qt::Key_Insert) << 0 << 0;
    }
    void oneScaleRedrawPerKey() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, redraws);
        startWith();
        int drawn = 0;
        connect(ruler.control<ImageControl>("imageMeritko"), &ImageControl::pictureChanged,
                [&drawn] { ++drawn; });
        ruler.key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(drawn, redraws);
        ruler.key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(drawn, 2 * redraws);
    }

    // Each control shows what it does: its pointer and a name for assistive technology; the
    // unit label and the units button open the unit menu on a right click too.
    void controlsTellWhatTheyDo_data() {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("cursor");
        for (const char *button : {"buttonHorizVert", "buttonObratit", "buttonMenu", "buttonInfo",
                                   "buttonKonec", "buttonDalsiJednotky", "buttonJednotka"})
            QTest::newRow(button) << QByteArray(button) << int(Qt::PointingHandCursor);
        QTest::newRow("scale") << QByteArray("imageMeritko") << int(Qt::CrossCursor);
        QTest::newRow("arrow") << QByteArray("imageSipka") << int(Qt::CrossCursor);
        QTest::newRow("resize arrow") << QByteArray("imageVelikost") << int(Qt::SizeHorCursor);
    }
    void controlsTellWhatTheyDo() {
        QFETCH(QByteArray, control);
        QFETCH(int, cursor);
        startWith();
        QWidget *widget = ruler.control(control.constData());
        QCOMPARE(int(widget->cursor().shape()), cursor);
        QVERIFY(!widget->accessibleName().isEmpty() || !widget->toolTip().isEmpty());
        if (control == "buttonDalsiJednotky" || control == "buttonJednotka") {
            QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(2, 2),
                                         widget->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(widget, &rightClick);
            QTRY_VERIFY(partOf<RulerMenus>(ruler.form).unitMenu()->isVisible());
            partOf<RulerMenus>(ruler.form).unitMenu()->close();
        }
    }

    // A length that makes no unit is refused, and said so.
    void knownLengthRefusedWithoutEnds() {
        startWith();
        QVERIFY(!partOf<KnownLengthScale>(ruler.form).makeUnit(5, "Mapa", "km"));
        QCOMPARE(ruler.messages, QStringList{"Z této délky nelze udělat jednotku."});
        QCOMPARE(ruler.unit(), QStringLiteral("px"));
    }
};

QTEST_MAIN(TestMainFormUse)
#include "tst_mainform_use.moc"
