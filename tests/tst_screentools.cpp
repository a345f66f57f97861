// Presses and markers that snap to edges on the screen, the span between two edges and the
// loupe, on a desktop picture of known pixels, at every device pixel ratio the test runs at.

#include "RulerFixture.h"
#include "core/units/DevicePixels.h"
#include "forms/ruler/Loupe.h"
#include "forms/ruler/ScreenTools.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTimer>

namespace {

constexpr QRgb boxColour = 0xff2050a0;
const QString unreadable = QStringLiteral("Obrazovku tu nelze číst.");

// Name changes of the loupe's readout that reach assistive technology.
int readoutEvents = 0;
void countReadoutEvents(QAccessibleEvent *event) {
    if (event->type() == QAccessible::NameChanged &&
        event->object()->objectName() == QLatin1String("lupaUdaje"))
        ++readoutEvents;
}

// What the ruler window tells a screen reader: each new description it is given.
QStringList descriptions;
void collectDescriptions(QAccessibleEvent *event) {
    auto *window = qobject_cast<QWidget *>(event->object());
    if (event->type() == QAccessible::DescriptionChanged && window &&
        window->objectName() == QLatin1String("MainForm"))
        descriptions << window->accessibleDescription();
}

} // namespace

class TestScreenTools : public QObject {
    Q_OBJECT

    RulerFixture ruler;
    QImage desktop;
    QPoint pointer;
    bool screenGivesPixels = true;
    int reads = 0;

    ScreenTools *tools() const { return ruler.form->findChild<ScreenTools *>("screenTools"); }
    BarOnScreen bar() const { return tools()->bar(); }
    double ratio() const { return ruler.form->ratio(); }

    // A box on the desktop just outside the scale edge, from offset `from` to `to` along the bar.
    void putBox(int from, int to) {
        const BarOnScreen where = bar();
        QRect box = where.outsideScale(from, to);
        // A few pixels deep, as a real box is; only the pixels beside the scale count.
        box = where.horizontal ? box.adjusted(0, -5, 0, 0) : box.adjusted(-5, 0, 0, 0);
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                desktop.setPixel(x, y, boxColour);
    }

    // Both orientations and both zero ends, as a data table.
    static void orientations() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("inverted");
        QTest::newRow("horizontal") << false << false;
        QTest::newRow("horizontal inverted") << false << true;
        QTest::newRow("vertical") << true << false;
        QTest::newRow("vertical inverted") << true << true;
    }

    void startOriented(bool vertical, bool inverted) {
        QStringList arguments;
        if (vertical)
            arguments << QStringLiteral("-vertical");
        if (inverted)
            arguments << QStringLiteral("-inverted");
        startRuler(arguments);
    }

    void startRuler(const QStringList &arguments = {}) {
        ruler.start(arguments);
        ruler.messages.clear();
        desktop = QImage(3000, 3000, QImage::Format_RGB32);
        desktop.fill(Qt::white);
        screenGivesPixels = true;
        reads = 0;
        tools()->readScreen = [this](const QRect &area) {
            ++reads;
            return screenGivesPixels ? desktop.copy(area) : QImage();
        };
        tools()->pointer = [this] { return pointer; };
    }

    // The loupe shown, its point moved by the keys and the pointer where the test puts it; with
    // `pointerFollows` the pointer goes where the keys take the point, as it does on X11.
    void startLoupe(bool pointerFollows) {
        tools()->keyboardPoint.movePointer = [this, pointerFollows](QPoint to) {
            if (pointerFollows)
                pointer = to;
        };
        ruler.key(Qt::Key_F6);
        QVERIFY(tools()->loupe()->running());
    }
    QPoint keyedPoint() const { return tools()->keyboardPoint.point(); }

    // The keys that move the point along the bar, towards its far end and back.
    Qt::Key forwardKey() const { return ruler.state.Horizontalni ? Qt::Key_Right : Qt::Key_Down; }
    Qt::Key backKey() const { return ruler.state.Horizontalni ? Qt::Key_Left : Qt::Key_Up; }
    // Away from the bar, out beyond the scale.
    Qt::Key outKey() const { return ruler.state.Horizontalni ? Qt::Key_Up : Qt::Key_Left; }

    // Starts listening as a screen reader does; false where no bridge carries it.
    bool listen() {
        QAccessible::installUpdateHandler(collectDescriptions);
        if (!QTest::qWaitFor([] { return QAccessible::isActive(); }, 3000)) {
            QAccessible::installUpdateHandler(nullptr);
            return false;
        }
        descriptions.clear();
        return true;
    }
    QString shownReading(const char *czech) const {
        return QString::fromUtf8(czech) + ruler.reading() + u' ' + ruler.unit();
    }

    // A press at a logical place, and the device pixel it presses.
    int pressAt(int logical, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        ruler.press(logical, modifiers);
        return devicePixelAt(logical, ratio());
    }

private slots:
    void init() {
        QLocale::setDefault(QLocale::c());
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\nX=300\r\nY=200\r\n");
    }
    void cleanup() {
        ruler.stop();
        // The shipped languages, where a test put them, would choose English for the next.
        QDir(ruler.folder.filePath(QStringLiteral("jazyky"))).removeRecursively();
    }

    void pressesSnap_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<int>("edgeAfter"); // where the edge lies from the pressed pixel
        QTest::addColumn<bool>("snaps");
        for (const bool vertical : {false, true}) {
            for (const bool inverted : {false, true}) {
                const char *way = vertical ? (inverted ? "vertical inverted" : "vertical")
                                           : (inverted ? "horizontal inverted" : "horizontal");
                QTest::addRow("%s, on the edge", way) << vertical << inverted << 0 << true;
                QTest::addRow("%s, reach after", way) << vertical << inverted << 4 << true;
                QTest::addRow("%s, one past after", way) << vertical << inverted << 5 << false;
                QTest::addRow("%s, reach before", way) << vertical << inverted << -4 << true;
                QTest::addRow("%s, one past before", way) << vertical << inverted << -5 << false;
            }
        }
    }

    void pressesSnap() {
        QFETCH(bool, vertical);
        QFETCH(bool, inverted);
        QFETCH(int, edgeAfter);
        QFETCH(bool, snaps);
        startOriented(vertical, inverted);
        const int length = bar().length;
        const int logical = 120;
        const int pressed = devicePixelAt(logical, ratio());
        // A box from the edge on, or ending at it when the edge lies before the press.
        if (edgeAfter >= 0)
            putBox(pressed + edgeAfter, pressed + edgeAfter + 30);
        else
            putBox(pressed + edgeAfter - 30, pressed + edgeAfter);
        const auto shown = [&](int offset) {
            return QString::number(inverted ? length - offset : offset);
        };

        // Off by default: the press measures where it was pressed.
        pressAt(logical);
        QCOMPARE(ruler.reading(), shown(pressed));

        ruler.key(Qt::Key_F7);
        QVERIFY(ruler.state.snapToEdges);
        const int expected = snaps ? pressed + edgeAfter : pressed;
        pressAt(logical);
        QCOMPARE(ruler.reading(), shown(expected));
        QCOMPARE(ruler.state.PoziceMeridla, expected);
        // A marker by Ctrl+press snaps the same way; so does one placed by the key at the arrow.
        pressAt(logical, Qt::ControlModifier);
        QCOMPARE(ruler.state.Zalozky.constLast().Pozice, expected);
        ruler.state.PoziceMeridla = pressed;
        ruler.key(Qt::Key_Insert);
        QCOMPARE(ruler.state.Zalozky.constLast().Pozice, expected);

        ruler.key(Qt::Key_F7);
        pressAt(logical);
        QCOMPARE(ruler.reading(), shown(pressed));
    }

    void snappingIsStoredOnlyOnceUsed() {
        startRuler();
        ruler.stop();
        QVERIFY(!ruler.read("tavlinko.ini").contains("Prichytit"));
        startRuler();
        ruler.key(Qt::Key_F7);
        ruler.stop();
        QVERIFY(ruler.read("tavlinko.ini").contains("Prichytit k hranam=Ano"));
        startRuler();
        QVERIFY(ruler.state.snapToEdges);
        ruler.key(Qt::Key_F7);
        ruler.stop();
        QVERIFY(ruler.read("tavlinko.ini").contains("Prichytit k hranam=Ne"));
    }

    void spanBetweenEdges_data() { orientations(); }

    void spanBetweenEdges() {
        QFETCH(bool, vertical);
        QFETCH(bool, inverted);
        startOriented(vertical, inverted);
        const BarOnScreen where = bar();
        putBox(100, 110); // ten pixels wide
        putBox(0, 3);     // at the very start of the bar
        const QPoint across = where.horizontal ? QPoint(1, -40) : QPoint(-40, 1);
        const QPoint along = where.horizontal ? QPoint(1, 0) : QPoint(0, 1);

        // The pointer on the box's first pixel, on its last one, in the gap.
        for (const int at : {100, 109}) {
            pointer = where.start + across + along * at;
            ruler.key(Qt::Key_F8);
            QCOMPARE(ruler.reading(), QStringLiteral("10"));
        }
        QCOMPARE(*ruler.state.edgeSpan, (EdgeSpan{100, 110}));
        ruler.key(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("10"));
        pointer = where.start + across + along * 50;
        ruler.key(Qt::Key_F8);
        QCOMPARE(ruler.reading(), QStringLiteral("97"));
        pointer = where.start + across + along * 1;
        ruler.key(Qt::Key_F8);
        QCOMPARE(ruler.reading(), QStringLiteral("3"));
        // Nothing beyond the box up to the bar's far end: no span, the reading stays.
        pointer = where.start + across + along * 200;
        ruler.key(Qt::Key_F8);
        QCOMPARE(ruler.reading(), QStringLiteral("3"));
        // Beside the bar, not across it: nothing either.
        pointer = where.start - along;
        ruler.key(Qt::Key_F8);
        QCOMPARE(ruler.reading(), QStringLiteral("3"));

        // A box that ends where the bar ends; the pointer on its last pixel.
        putBox(where.length - 4, where.length);
        pointer = where.start + across + along * (where.length - 2);
        ruler.key(Qt::Key_F8);
        QCOMPARE(*ruler.state.edgeSpan, (EdgeSpan{where.length - 4, where.length}));
        QCOMPARE(ruler.reading(), QStringLiteral("4"));

        // A press ends the span; the reading is the arrow's again.
        const int pressed = pressAt(30);
        QVERIFY(!ruler.state.edgeSpan);
        QCOMPARE(ruler.reading(), QString::number(inverted ? where.length - pressed : pressed));
    }

    // The span just measured is the known length, though markers stand elsewhere.
    void spanGivesTheKnownLength() {
        startRuler();
        putBox(100, 110);
        ruler.press(300, Qt::ControlModifier);
        pointer = bar().start + QPoint(105, -3);
        ruler.key(Qt::Key_F8);
        QVERIFY(partOf<KnownLengthScale>(ruler.form).makeUnit(4, "Pole", "p"));
        QCOMPARE(ruler.state.Jednotky.constLast().Hodnota, 2.5);
        QCOMPARE(ruler.unit(), QStringLiteral("p"));
    }

    // The edges' sensitivity reads as the other numbers do: a number past the range is shown
    // brought into it, with why, before it is taken.
    void sensitivityIsBroughtIntoRange_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // after the first OK; empty when it was taken
        QTest::addColumn<int>("taken");
        QTest::newRow("the largest") << "254" << QString() << 254;
        QTest::newRow("one past the largest") << "255"
                                              << "254" << 254;
        QTest::newRow("three hundred") << "300"
                                       << "254" << 254;
        QTest::newRow("zero") << "0" << QString() << 0;
        QTest::newRow("below zero") << "-1"
                                    << "0" << 0;
    }
    void sensitivityIsBroughtIntoRange() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, taken);
        startRuler();
        QString shownAfterOk;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            auto *edit = dialog->findChild<QLineEdit *>();
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, typed);
            QTest::keyClick(edit, Qt::Key_Return);
            if (dialog->isVisible()) {
                shownAfterOk = edit->text();
                QTest::keyClick(edit, Qt::Key_Return);
            }
            if (dialog->isVisible()) // a failure must not hold the test up
                dialog->close();
        });
        QVERIFY(ruler.trigger("menuToleranceHran"));
        QCOMPARE(shownAfterOk, shown);
        QCOMPARE(ruler.state.edgeTolerance, taken);
    }

    // The known-length dialog opens only with two ends to measure between, and offers the
    // lengths that make a unit of the span, starting at 1.
    void knownLengthAsksForTheSpan() {
        startRuler();
        QStringList shown;
        const auto askAndLook = [&] {
            QTimer::singleShot(0, [&] {
                QWidget *dialog = QApplication::activeModalWidget();
                if (!dialog)
                    return;
                shown << dialog->findChild<QLabel *>("labelRozsah")->text()
                      << dialog->findChild<QLineEdit *>("editZnamaDelka")->text();
                dialog->close();
            });
            QVERIFY(ruler.trigger("menuZnamaDelka"));
        };
        askAndLook(); // nothing marked: a message, no dialog
        QCOMPARE(ruler.messages.size(), 1);
        QVERIFY(shown.isEmpty());
        putBox(100, 110);
        pointer = bar().start + QPoint(105, -3);
        ruler.key(Qt::Key_F8);
        askAndLook();
        QCOMPARE(ruler.messages.size(), 1);
        QCOMPARE(shown, (QStringList{"od 0.0001 do 100000", "1"}));
    }

    void spanEndsWhenTheBarChanges() {
        startRuler();
        putBox(100, 110);
        pointer = bar().start + QPoint(105, -3);
        ruler.key(Qt::Key_F8);
        QCOMPARE(ruler.reading(), QStringLiteral("10"));
        ruler.key(Qt::Key_Right);
        QVERIFY(!ruler.state.edgeSpan);
        QCOMPARE(ruler.reading(), QStringLiteral("0"));
    }

    // The loupe's reading counts from the zero end, wherever that is.
    void loupeReadsFromTheZero_data() { orientations(); }
    void loupeReadsFromTheZero() {
        QFETCH(bool, vertical);
        QFETCH(bool, inverted);
        startOriented(vertical, inverted);
        ruler.key(Qt::Key_F6);
        QCOMPARE(tools()->loupe()->accessibleName(), QStringLiteral("Lupa"));
        const BarOnScreen where = bar();
        const QPoint across = where.horizontal ? QPoint(0, -1) : QPoint(-1, 0);
        const QPoint along = where.horizontal ? QPoint(1, 0) : QPoint(0, 1);
        for (const int at : {0, 104, where.length - 1}) {
            const QPoint device = where.start + across + along * at;
            tools()->loupe()->showFrame(device);
            const int reading = inverted ? where.length - at : at;
            QVERIFY2(tools()->loupe()->readout().endsWith(QStringLiteral("\n%1 px").arg(reading)),
                     qPrintable(tools()->loupe()->readout()));
        }
    }

    // A still pointer over a picture that changes: the loupe shows the change soon.
    void loupeFollowsTheScreenUnderAStillPointer() {
        startRuler();
        putBox(100, 110);
        pointer = bar().start + QPoint(104, -1);
        ruler.key(Qt::Key_F6);
        Loupe *loupe = tools()->loupe();
        QVERIFY(loupe->readout().contains(QLatin1String("#2050a0")));
        desktop.fill(Qt::white);
        QTRY_VERIFY(loupe->readout().contains(QLatin1String("#ffffff")));
    }

    void loupe() {
        startRuler();
        putBox(100, 110);
        QVERIFY(!tools()->loupe());
        ruler.key(Qt::Key_F6);
        Loupe *loupe = tools()->loupe();
        QVERIFY(loupe && loupe->running() && loupe->isVisible());

        const BarOnScreen where = bar();
        const QPoint onBox = where.start + QPoint(104, -1);
        loupe->showFrame(onBox);
        QCOMPARE(loupe->readout(),
                 QStringLiteral("%1, %2  #2050a0\n104 px").arg(onBox.x()).arg(onBox.y()));
        // Off the scale's length: no reading.
        const QPoint beside = where.start + QPoint(where.length, -1);
        loupe->showFrame(beside);
        QCOMPARE(loupe->readout(),
                 QStringLiteral("%1, %2  #ffffff").arg(beside.x()).arg(beside.y()));
        QTRY_COMPARE(loupe->findChild<QLabel *>("lupaUdaje")->accessibleName(), loupe->readout());

        ruler.key(Qt::Key_PageUp);
        QCOMPARE(loupe->zoom(), 12);
        ruler.key(Qt::Key_PageDown);
        ruler.key(Qt::Key_PageDown);
        QCOMPARE(loupe->zoom(), 6);

        ruler.key(Qt::Key_F6);
        QVERIFY(!loupe->running() && !loupe->isVisible());
        // Without the loupe the page keys are the ruler's again, which gives them no meaning.
        ruler.key(Qt::Key_PageUp);
        QCOMPARE(loupe->zoom(), 6);
    }

    // An X server without a picture of the screen (XWayland under most compositors) is found by
    // the first tool used, whichever it is; no colour is named, and F7 and F8 say why once.
    void screenWithoutPixels_data() {
        QTest::addColumn<Qt::Key>("first");
        QTest::newRow("loupe first") << Qt::Key_F6;
        QTest::newRow("snapping first") << Qt::Key_F7;
        QTest::newRow("span first") << Qt::Key_F8;
    }

    void screenWithoutPixels() {
        QFETCH(Qt::Key, first);
        startRuler();
        screenGivesPixels = false;
        pointer = bar().start + QPoint(104, -1);
        QCOMPARE(reads, 0); // nothing is read at start
        ruler.key(first);
        QCOMPARE(reads, 1); // one pixel tells
        for (const Qt::Key key : {Qt::Key_F7, Qt::Key_F8, Qt::Key_F7, Qt::Key_F8})
            ruler.key(key);
        QVERIFY(!ruler.state.snapToEdges);
        QCOMPARE(ruler.messages.size(), 1);
        QVERIFY(ruler.messages.constFirst().startsWith(unreadable));
        QVERIFY(ruler.messages.constFirst().contains(QStringLiteral("přečíst")));
        QCOMPARE(reads, 1); // and no tool asks again

        if (first != Qt::Key_F6)
            ruler.key(Qt::Key_F6);
        Loupe *loupe = tools()->loupe();
        QVERIFY(loupe && loupe->isVisible());
        loupe->showFrame(pointer);
        QVERIFY(!loupe->readout().contains(u'#'));
        QCOMPARE(loupe->readout(), QStringLiteral("%1, %2  %3\n104 px")
                                       .arg(pointer.x())
                                       .arg(pointer.y())
                                       .arg(ruler.messages.constFirst()));
        // In the picture's place, the same note; the readout tells a screen reader the same.
        QCOMPARE(loupe->findChild<QLabel *>("lupaObraz")->text(), ruler.messages.constFirst());
        QVERIFY(loupe->findChild<QLabel *>("lupaObraz")->pixmap().isNull());
        QTRY_COMPARE(loupe->findChild<QLabel *>("lupaUdaje")->accessibleName(), loupe->readout());
        // The note takes several lines within the picture's width, all of it shown.
        auto *readout = loupe->findChild<QLabel *>("lupaUdaje");
        QVERIFY(readout->width() <= loupe->findChild<QLabel *>("lupaObraz")->width());
        QVERIFY(readout->height() >= 4 * readout->fontMetrics().height());
    }

    // A read that fails after others worked shows no colour for that frame, and F8 says why;
    // the next good read shows the picture again.
    void failedReadIsNotShownAsPixels() {
        startRuler();
        putBox(100, 110);
        ruler.key(Qt::Key_F6);
        Loupe *loupe = tools()->loupe();
        pointer = bar().start + QPoint(104, -1);
        loupe->showFrame(pointer);
        QVERIFY(loupe->readout().contains(QStringLiteral("#2050a0")));

        screenGivesPixels = false;
        loupe->showFrame(pointer);
        QVERIFY(!loupe->readout().contains(u'#'));
        QVERIFY(loupe->readout().contains(unreadable));
        ruler.key(Qt::Key_F8);
        ruler.key(Qt::Key_F8);
        QCOMPARE(ruler.messages.size(), 1);
        QVERIFY(ruler.messages.constFirst().startsWith(unreadable));
        QVERIFY(!ruler.state.edgeSpan);

        screenGivesPixels = true;
        loupe->showFrame(pointer);
        QVERIFY(loupe->readout().contains(QStringLiteral("#2050a0")));
        QVERIFY(!loupe->findChild<QLabel *>("lupaObraz")->pixmap().isNull());
        ruler.key(Qt::Key_F8);
        QCOMPARE(ruler.reading(), QStringLiteral("10"));
    }

    void unreadableNoteIsTranslated() {
        ruler.shipLanguages();
        startRuler({QStringLiteral("-language:english")});
        screenGivesPixels = false;
        ruler.key(Qt::Key_F8);
        QCOMPARE(ruler.messages.size(), 1);
        QVERIFY(ruler.messages.constFirst().startsWith(
            QStringLiteral("The screen cannot be read here.")));
    }

    // The pointer jumps onto where the loupe stands: what the screen shows there is the loupe
    // itself, and for a moment after it moved off, what the program beneath has not painted
    // again yet. The bar is the ruler's own too.
    void ownWindowsAreNeverContent() {
        startRuler();
        ruler.key(Qt::Key_F6);
        Loupe *loupe = tools()->loupe();
        const QPoint away = bar().start + QPoint(50, -200);
        loupe->showFrame(away);
        const QRect stands = loupe->placesOnScreen().constFirst();
        // The screen shows the loupe's own dark picture there.
        for (int y = stands.top(); y <= stands.bottom(); ++y)
            for (int x = stands.left(); x <= stands.right(); ++x)
                desktop.setPixel(x, y, 0xff000000);
        for (const QPoint &at : {stands.topLeft(), stands.bottomRight(), stands.center()}) {
            loupe->showFrame(away);
            QCOMPARE(loupe->placesOnScreen().constFirst(), stands);
            loupe->showFrame(at);
            QVERIFY2(!loupe->readout().contains(u'#'), qPrintable(loupe->readout()));
            QVERIFY2(loupe->readout().contains(unreadable), qPrintable(loupe->readout()));
        }
        // The loupe has moved off; where it stood a moment ago still shows it, until the
        // program beneath had time to paint it again.
        QVERIFY(!loupe->placesOnScreen().constFirst().contains(stands.center()));
        loupe->showFrame(stands.center());
        QVERIFY(!loupe->readout().contains(u'#'));
        desktop.fill(Qt::white);
        QTRY_VERIFY_WITH_TIMEOUT(loupe->placesOnScreen().size() == 1, 2000);
        loupe->showFrame(stands.center());
        QVERIFY(loupe->readout().contains(QStringLiteral("#ffffff")));

        // On the bar: its own pixels, never the screen's.
        const QPoint onBar = bar().start + QPoint(104, 1);
        loupe->showFrame(onBar);
        QVERIFY(!loupe->readout().contains(u'#'));
        // One pixel off the bar is the screen again.
        loupe->showFrame(onBar - QPoint(0, 2));
        QVERIFY(loupe->readout().contains(QStringLiteral("#ffffff")));
    }

    // Snapping and spans do not take the loupe's edges for the screen's.
    void edgesIgnoreTheLoupe() {
        startRuler();
        putBox(100, 110);
        ruler.key(Qt::Key_F6);
        Loupe *loupe = tools()->loupe();
        loupe->showFrame(bar().start + QPoint(120, -30));
        const BarOnScreen where = bar();
        const QRect stands = loupe->placesOnScreen().constFirst();
        QVERIFY(stands.intersects(where.outsideScale(0, where.length)));
        // What the screen shows there is the loupe, with edges of its own.
        for (int y = stands.top(); y <= stands.bottom(); ++y)
            for (int x = stands.left(); x <= stands.right(); ++x)
                desktop.setPixel(x, y, 0xff000000);
        pointer = where.start + QPoint(stands.left() - where.start.x() + 3, -1);
        ruler.key(Qt::Key_F8);
        QVERIFY(!ruler.state.edgeSpan);
        QVERIFY(ruler.messages.isEmpty()); // a beep: the screen itself can be read

        // A press just before the loupe's edge stays where it was pressed.
        ruler.key(Qt::Key_F7);
        const int edge = stands.left() - where.start.x();
        int logical = int(edge / ratio());
        while (edge - devicePixelAt(logical, ratio()) < 2)
            --logical;
        const int pressed = pressAt(logical);
        QVERIFY(edge - pressed <= edgeSnapReach);
        QCOMPARE(ruler.state.PoziceMeridla, pressed);
        ruler.key(Qt::Key_F6);
    }

    // While the pointer stands still a screen reader hears nothing new from the readout; a
    // change under the pointer is told once. Events reach assistive technology only where the
    // platform has a bridge to it (tests/accessibility_session.sh runs this with one).
    void keyboardPointAtTheBarsEnds_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<bool>("pointerFollows");
        QTest::addColumn<bool>("fromFarEnd"); // offsets count back from the bar's length
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("steps"); // arrow presses towards the far end, negative back
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("acrossTheBar");
        for (const bool vertical : {false, true}) {
            for (const bool inverted : {false, true}) {
                for (const bool follows : {true, false}) {
                    const QByteArray way = QByteArray(vertical ? "vertical" : "horizontal") +
                                           (inverted ? " inverted" : "") +
                                           (follows ? ", pointer follows" : ", on its own");
                    const auto row = [&](const char *name) {
                        return &QTest::newRow((way + ", " + name).constData());
                    };
                    *row("to the first pixel") << vertical << inverted << follows << false << 1
                                               << -1 << false << 0 << true;
                    *row("one before the bar") << vertical << inverted << follows << false << 0
                                               << -1 << false << -1 << false;
                    *row("ten with shift")
                        << vertical << inverted << follows << false << 5 << 1 << true << 15 << true;
                    *row("to the last pixel")
                        << vertical << inverted << follows << true << 2 << 1 << false << 1 << true;
                    *row("one past the bar")
                        << vertical << inverted << follows << true << 1 << 1 << false << 0 << false;
                    *row("two back from past the bar")
                        << vertical << inverted << follows << true << 0 << -2 << false << 2 << true;
                }
            }
        }
    }

    // The arrows move the loupe's point one device pixel along the bar; Enter measures there as
    // a click would, and only where a click could land.
    void keyboardPointAtTheBarsEnds() {
        QFETCH(bool, vertical);
        QFETCH(bool, inverted);
        QFETCH(bool, pointerFollows);
        QFETCH(bool, fromFarEnd);
        QFETCH(int, start);
        QFETCH(int, steps);
        QFETCH(bool, shift);
        QFETCH(int, expected);
        QFETCH(bool, acrossTheBar);
        // Clear of the screen's edges, which stop the point before the bar's end would.
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\nX=100\r\nY=50\r\nDelka=400\r\n");
        startOriented(vertical, inverted);
        const BarOnScreen where = bar();
        const int length = where.length;
        if (fromFarEnd) {
            start = length - start;
            expected = length - expected;
        }
        const QPoint along = where.horizontal ? QPoint(1, 0) : QPoint(0, 1);
        const QPoint across = where.horizontal ? QPoint(0, -30) : QPoint(-30, 0);
        const QPoint started = where.start + across + along * start;
        pointer = started;
        startLoupe(pointerFollows);
        ruler.press(40);
        const QString before = ruler.reading();

        for (int i = 0; i < qAbs(steps); ++i)
            ruler.key(steps > 0 ? forwardKey() : backKey(),
                      shift ? Qt::ShiftModifier : Qt::NoModifier);
        const QPoint reached = where.start + across + along * expected;
        QCOMPARE(keyedPoint(), reached);
        QCOMPARE(pointer, pointerFollows ? reached : started);
        // Across the bar the point moves too, and keeps its place along it.
        ruler.key(outKey());
        ruler.key(outKey(), Qt::ShiftModifier);
        QCOMPARE(keyedPoint(), reached + across / 30 * 11);
        QVERIFY(tools()->loupe()->readout().contains(
            QStringLiteral("%1, %2").arg(keyedPoint().x()).arg(keyedPoint().y())));

        ruler.key(Qt::Key_Return);
        if (acrossTheBar) {
            QCOMPARE(ruler.state.PoziceMeridla, expected);
            QCOMPARE(ruler.reading(), QString::number(inverted ? length - expected : expected));
        } else {
            QCOMPARE(ruler.reading(), before);
        }
        ruler.key(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(ruler.state.Zalozky.size(), acrossTheBar ? 1 : 0);
        if (acrossTheBar)
            QCOMPARE(ruler.state.Zalozky.constLast().Pozice, expected);

        // The mouse takes the point back as soon as it moves.
        pointer = started + along;
        QCOMPARE(keyedPoint(), started + along);
    }

    void keyboardPointStaysOnTheScreen_data() {
        QTest::addColumn<bool>("pointerFollows");
        QTest::newRow("pointer follows") << true;
        QTest::newRow("on its own") << false;
    }
    void keyboardPointStaysOnTheScreen() {
        QFETCH(bool, pointerFollows);
        startRuler();
        const QRect desktop = deviceDesktop(screenAreas());
        pointer = desktop.bottomRight();
        startLoupe(pointerFollows);
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down}) {
            ruler.key(key);
            ruler.key(key, Qt::ShiftModifier);
        }
        QCOMPARE(keyedPoint(), desktop.bottomRight());
        ruler.key(Qt::Key_Left);
        QCOMPARE(keyedPoint(), desktop.bottomRight() - QPoint(1, 0));
        ruler.key(Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(keyedPoint(), desktop.bottomRight() - QPoint(1, 10));

        pointer = desktop.topLeft() + QPoint(3, 0);
        ruler.key(Qt::Key_Up);
        QCOMPARE(keyedPoint(), desktop.topLeft() + QPoint(3, 0));
        ruler.key(Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(keyedPoint(), desktop.topLeft());
    }

    void keyboardPointPressesLikeAClick_data() { orientations(); }

    // Enter, Ctrl+Enter and F8 at the loupe's point give what a click, a Ctrl+click and F8 with
    // the pointer there give, snapping included.
    void keyboardPointPressesLikeAClick() {
        QFETCH(bool, vertical);
        QFETCH(bool, inverted);
        startOriented(vertical, inverted);
        const BarOnScreen where = bar();
        const QPoint along = where.horizontal ? QPoint(1, 0) : QPoint(0, 1);
        const QPoint across = where.horizontal ? QPoint(0, -20) : QPoint(-20, 0);
        const int logical = 120;
        const int pressed = devicePixelAt(logical, ratio());
        putBox(pressed + 3, pressed + 40);
        ruler.key(Qt::Key_F7);

        pressAt(logical);
        const QString clicked = ruler.reading();
        pressAt(logical, Qt::ControlModifier);
        const int clickedMarker = ruler.state.Zalozky.constLast().Pozice;
        pointer = where.start + across + along * (pressed + 10);
        ruler.key(Qt::Key_F8);
        const EdgeSpan clickedSpan = *ruler.state.edgeSpan;
        const QString spanReading = ruler.reading();
        pressAt(20);

        // The keys take the point from ten pixels inside the box back to the press's pixel.
        startLoupe(false);
        for (int i = 0; i < 10; ++i)
            ruler.key(backKey());
        QCOMPARE(keyedPoint(), where.start + across + along * pressed);
        ruler.key(Qt::Key_Return);
        QCOMPARE(ruler.reading(), clicked);
        QCOMPARE(ruler.state.PoziceMeridla, pressed + 3);
        ruler.key(Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(ruler.state.Zalozky.constLast().Pozice, clickedMarker);
        ruler.key(forwardKey(), Qt::ShiftModifier);
        ruler.key(Qt::Key_F8);
        QCOMPARE(*ruler.state.edgeSpan, clickedSpan);
        QCOMPARE(ruler.reading(), spanReading);
    }

    // Where X11 cannot take the pointer, Qt's logical coordinates carry it to the device pixel.
    void pointerFollowsThroughLogicalCoordinates() {
        KeyboardPoint point;
        const QList<ScreenArea> screens = screenAreas();
        QVERIFY(!screens.isEmpty());
        // A device pixel that has a logical one of its own at every ratio the tests run at.
        const QPoint device = screens.first().device().topLeft() + QPoint(60, 120);
        point.movePointer(device);
        QCOMPARE(QCursor::pos(), logicalPlace(device, screens));
    }

    // Esc and F6 put the loupe away; the arrows then change the length as before.
    void loupeGivesTheArrowsBack() {
        startRuler();
        for (const Qt::Key away : {Qt::Key_Escape, Qt::Key_F6}) {
            startLoupe(false);
            const int length = ruler.length();
            ruler.key(Qt::Key_Right);
            QCOMPARE(ruler.length(), length);
            ruler.key(away);
            QVERIFY(!tools()->loupe()->running());
            ruler.key(Qt::Key_Right);
            QVERIFY(ruler.length() > length);
        }
    }

    // Each kind of new reading reaches a screen reader once, saying what was measured.
    void readingsAreAnnounced() {
        startRuler();
        if (!listen())
            QSKIP("no bridge to assistive technology on this platform");
        const BarOnScreen where = bar();
        const QPoint across = where.horizontal ? QPoint(1, -40) : QPoint(-40, 1);
        const QPoint along = where.horizontal ? QPoint(1, 0) : QPoint(0, 1);
        putBox(100, 110);

        pressAt(153);
        QCOMPARE(descriptions, QStringList{shownReading("Od nuly: ")});
        // The same reading again is news again.
        pressAt(153);
        QCOMPARE(descriptions.size(), 2);
        QCOMPARE(descriptions.last(), descriptions.first());

        descriptions.clear();
        pressAt(60, Qt::ControlModifier);
        pressAt(70, Qt::ControlModifier);
        QCOMPARE(descriptions.size(), 2);
        QCOMPARE(descriptions.last(),
                 QStringLiteral("Záložka 2 na %1 px").arg(ruler.state.Zalozky.constLast().Pozice));

        descriptions.clear();
        pointer = where.start + across + along * 104;
        ruler.key(Qt::Key_F8);
        QCOMPARE(descriptions, QStringList{QStringLiteral("Mezi hranami: 10 px")});

        descriptions.clear();
        ruler.key(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(descriptions, QStringList{shownReading("Mezi hranami: ")});
        QVERIFY(ruler.unit() != QLatin1String("px"));

        // The loupe: its point moved by a key and measured by Enter.
        ruler.key(Qt::Key_F6);
        QTest::qWait(400);
        descriptions.clear();
        ruler.key(Qt::Key_Right);
        QTRY_COMPARE(descriptions.size(), 1);
        QCOMPARE(descriptions.last(), tools()->loupe()->readout());
        descriptions.clear();
        ruler.key(Qt::Key_Return);
        QCOMPARE(descriptions.first(), shownReading("Od nuly: "));
        ruler.key(Qt::Key_F6);

        // A calibration step tells the reading the new scale gives.
        ruler.messages.clear();
        QVERIFY(ruler.trigger("menuKalibrace"));
        descriptions.clear();
        pressAt(300);
        QAccessible::installUpdateHandler(nullptr);
        QCOMPARE(ruler.messages.size(), 2);
        QCOMPARE(descriptions, QStringList{shownReading("Od nuly: ")});
    }

    // The loupe's readout reaches a screen reader a few times a second at most while the
    // pointer moves, its last text always; a still loupe sends nothing.
    void loupeReadoutIsToldAFewTimesASecond() {
        startRuler();
        pointer = bar().start + QPoint(104, -30);
        ruler.key(Qt::Key_F6);
        if (!listen())
            QSKIP("no bridge to assistive technology on this platform");
        QTest::qWait(400);
        descriptions.clear();
        QTest::qWait(600);
        QCOMPARE(descriptions.size(), 0);
        QElapsedTimer moving;
        moving.start();
        while (moving.elapsed() < 1000) {
            pointer += QPoint(1, 0);
            QTest::qWait(20);
        }
        QTest::qWait(400);
        QAccessible::installUpdateHandler(nullptr);
        QVERIFY2(descriptions.size() >= 3 && descriptions.size() <= 5,
                 QByteArray::number(descriptions.size()));
        QCOMPARE(descriptions.last(), tools()->loupe()->readout());
        ruler.key(Qt::Key_F6);
    }

    void readoutIsToldOncePerChange() {
        startRuler();
        ruler.key(Qt::Key_F6);
        pointer = bar().start + QPoint(104, -30);
        QAccessible::installUpdateHandler(countReadoutEvents);
        if (!QTest::qWaitFor([] { return QAccessible::isActive(); }, 3000)) {
            QAccessible::installUpdateHandler(nullptr);
            QSKIP("no bridge to assistive technology on this platform");
        }
        // Long enough for the readout of the pointer's new place to have been told.
        QTest::qWait(400);
        readoutEvents = 0;
        QTest::qWait(500);
        QCOMPARE(readoutEvents, 0);
        desktop.setPixel(pointer, boxColour);
        QTRY_VERIFY(tools()->loupe()->readout().contains(QStringLiteral("#2050a0")));
        QTest::qWait(300);
        QAccessible::installUpdateHandler(nullptr);
        QCOMPARE(readoutEvents, 1);
        ruler.key(Qt::Key_F6);
    }
};

QTEST_MAIN(TestScreenTools)
#include "tst_screentools.moc"
