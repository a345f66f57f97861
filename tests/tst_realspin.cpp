#include "core/translation/LangTranslator.h"
#include "widgets/RangedNumber.h"
#include "widgets/RealSpin.h"

#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

#include <stdexcept>

namespace {

const QLocale Czech(QLocale::Czech, QLocale::Czechia);
const QLocale English(QLocale::English, QLocale::UnitedStates);

FixedPoint fp(const char *text) {
    return *parseFixedPoint(QString::fromLatin1(text), QLocale::c());
}

// A shown, active window with two spin edits, so that focus moves the way it does for users.
struct SpinWindow {
    QWidget window;
    TRealSpinEdit *edit = new TRealSpinEdit(&window);
    TRealSpinEdit *other = new TRealSpinEdit(&window);

    SpinWindow() {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(&window); }
    void setRange(const char *min, const char *max) {
        edit->setMinValue(fp(min));
        edit->setMaxValue(fp(max));
    }
};

void turnWheel(QWidget *widget, int delta) {
    const QPointF inside(4, 4);
    QWheelEvent wheel(inside, widget->mapToGlobal(inside), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

enum class Via { Slot, Key, Arrow, Page, Wheel, HalfNotches };
enum class Action { Type, Backspace, Paste, Cut, ArrowUp, KeyUp };

} // namespace

Q_DECLARE_METATYPE(Via)
Q_DECLARE_METATYPE(Action)

class TestRealSpin : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(Czech); }

    void parse_data();
    void parse();
    void writeGeneralFormat_data();
    void writeGeneralFormat();
    void fromDouble_data();
    void fromDouble();
    void stepping_data();
    void stepping();
    void characterFilter_data();
    void characterFilter();
    void focusLossClamps_data();
    void focusLossClamps();
    void longNumberShowsItsStart();
    void notEditable_data();
    void notEditable();
    void autoSelect_data();
    void autoSelect();
    void exactDigits_data();
    void exactDigits();
    void confirmSaysWhatIsWrong_data();
    void confirmSaysWhatIsWrong();
    void leastHeight_data();
    void leastHeight();
    void textStaysClearOfArrows();
    void fitButtons_data();
    void fitButtons();
    void autoRepeat_data();
    void autoRepeat();
    void repeatStopsOnError();
    void pairKeys_data();
    void pairKeys();
    void propertiesByName();
    void glyphFrames_data();
    void glyphFrames();
    void arrowPressFocusesThePair_data();
    void arrowPressFocusesThePair();
    void demonstration();
};

void TestRealSpin::parse_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("raw");

    QTest::newRow("comma locale") << Czech << "1,5" << true << qint64(15000);
    QTest::newRow("point under comma locale") << Czech << "1.5" << false << qint64(0);
    QTest::newRow("point locale") << English << "1.5" << true << qint64(15000);
    QTest::newRow("comma under point locale") << English << "1,5" << false << qint64(0);
    QTest::newRow("blanks around") << Czech << " 2 " << true << qint64(20000);
    QTest::newRow("empty") << Czech << "" << false << qint64(0);
    QTest::newRow("sign only") << Czech << "-" << false << qint64(0);
    QTest::newRow("separator only") << Czech << "," << false << qint64(0);
    QTest::newRow("plus") << Czech << "+3" << true << qint64(30000);
    QTest::newRow("smallest negative step") << Czech << "-0,0001" << true << qint64(-1);
    QTest::newRow("bare fraction") << Czech << ",5" << true << qint64(5000);
    QTest::newRow("bare separator at end") << Czech << "5," << true << qint64(50000);
    QTest::newRow("leading zeros") << Czech << "0001,5000" << true << qint64(15000);
    QTest::newRow("tie rounds to even up") << Czech << "1,23455" << true << qint64(12346);
    QTest::newRow("tie rounds to even down") << Czech << "1,23445" << true << qint64(12344);
    QTest::newRow("above tie rounds up") << Czech << "1,234451" << true << qint64(12345);
    QTest::newRow("tiny tie to zero") << Czech << "0,00005" << true << qint64(0);
    QTest::newRow("exponent") << Czech << "1,5e3" << true << qint64(15000000);
    QTest::newRow("negative exponent") << Czech << "25E-4" << true << qint64(25);
    QTest::newRow("huge negative exponent") << Czech << "1e-99999999" << true << qint64(0);
    QTest::newRow("exponent without digits") << Czech << "1e" << false << qint64(0);
    QTest::newRow("two separators") << Czech << "1,2,3" << false << qint64(0);
    QTest::newRow("inner blank") << Czech << "12 3" << false << qint64(0);
    QTest::newRow("largest") << Czech << "922337203685477,5807" << true
                             << std::numeric_limits<qint64>::max();
    QTest::newRow("beyond largest") << Czech << "922337203685477,5808" << false << qint64(0);
    QTest::newRow("smallest") << Czech << "-922337203685477,5808" << true
                              << std::numeric_limits<qint64>::min();
    QTest::newRow("exponent overflow") << Czech << "1e30" << false << qint64(0);
    QTest::newRow("non-ASCII digit") << Czech << QString(QChar(0x0661)) << false << qint64(0);
}

void TestRealSpin::parse() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint64, raw);
    const auto value = parseFixedPoint(text, locale);
    QCOMPARE(value.has_value(), valid);
    if (valid)
        QCOMPARE(value->raw(), raw);
}

void TestRealSpin::writeGeneralFormat_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("text");

    QTest::newRow("trailing zero dropped") << Czech << qint64(25000) << "2,5";
    QTest::newRow("whole number") << Czech << qint64(30000) << "3";
    QTest::newRow("smallest step") << Czech << qint64(1) << "0,0001";
    QTest::newRow("point locale") << English << qint64(25000) << "2.5";
    QTest::newRow("negative fraction") << Czech << qint64(-5000) << "-0,5";
    QTest::newRow("no group separators") << Czech << qint64(100000000000) << "10000000";
    QTest::newRow("largest") << Czech << std::numeric_limits<qint64>::max()
                             << "922337203685477,5807";
    QTest::newRow("smallest") << Czech << std::numeric_limits<qint64>::min()
                              << "-922337203685477,5808";
}

void TestRealSpin::writeGeneralFormat() {
    QFETCH(QLocale, locale);
    QFETCH(qint64, raw);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    TRealSpinEdit edit;
    edit.setValue(FixedPoint::fromRaw(raw));
    QCOMPARE(edit.text(), text);
    QCOMPARE(edit.Value().raw(), raw);
}

void TestRealSpin::fromDouble_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("raw");

    QTest::newRow("binary fraction noise") << 2.54 << qint64(25400);
    QTest::newRow("rounds fifth decimal") << 1.23456 << qint64(12346);
    QTest::newRow("negative") << -0.1 << qint64(-1000);
    QTest::newRow("too large") << 1e300 << std::numeric_limits<qint64>::max();
    QTest::newRow("too small") << -1e300 << std::numeric_limits<qint64>::min();
    QTest::newRow("not a number") << std::nan("") << qint64(0);
}

void TestRealSpin::fromDouble() {
    QFETCH(double, value);
    QFETCH(qint64, raw);
    QCOMPARE(FixedPoint::fromDouble(value).raw(), raw);
}

void TestRealSpin::stepping_data() {
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("increment");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("steps"); // positive up, negative down
    QTest::addColumn<Via>("via");
    QTest::addColumn<QString>("expected");

    const QString lo = "0.0001", hi = "10000000";
    QTest::newRow("down clamps to minimum, not zero") << lo << hi << "1"
                                                      << "1" << -1 << Via::Arrow << "0,0001";
    QTest::newRow("down stays at minimum") << lo << hi << "1"
                                           << "0,0001" << -2 << Via::Key << "0,0001";
    QTest::newRow("up clamps to maximum") << lo << hi << "1"
                                          << "9999999,5" << 1 << Via::Arrow << "10000000";
    QTest::newRow("above range steps back into it") << lo << hi << "1"
                                                    << "50000000" << -1 << Via::Slot << "10000000";
    QTest::newRow("no limit goes negative") << "0"
                                            << "0"
                                            << "1"
                                            << "0" << -3 << Via::Key << "-3";
    QTest::newRow("no limit saturates high")
        << "0"
        << "0"
        << "1"
        << "922337203685477" << 2 << Via::Slot << "922337203685477,5807";
    QTest::newRow("no limit saturates low")
        << "0"
        << "0"
        << "1"
        << "-922337203685477,5" << -1 << Via::Slot << "-922337203685477,5808";
    QTest::newRow("fine increment is exact") << "0"
                                             << "0"
                                             << "0.0001"
                                             << "0,1" << 3 << Via::Arrow << "0,1003";
    QTest::newRow("tenths add up exactly") << "0"
                                           << "0"
                                           << "0.1"
                                           << "0" << 10 << Via::Key << "1";
    QTest::newRow("unparsable text steps from minimum") << "1"
                                                        << "5"
                                                        << "1"
                                                        << "abc" << 1 << Via::Slot << "2";
    QTest::newRow("empty text steps from minimum") << "1"
                                                   << "5"
                                                   << "1"
                                                   << "" << -1 << Via::Key << "1";
    QTest::newRow("page up steps ten") << lo << hi << "1"
                                       << "1" << 1 << Via::Page << "11";
    QTest::newRow("page up stops at maximum") << lo << hi << "1"
                                              << "9999995" << 1 << Via::Page << "10000000";
    QTest::newRow("page down stops at minimum") << lo << hi << "0.5"
                                                << "4" << -1 << Via::Page << "0,0001";
    QTest::newRow("wheel steps once a notch") << lo << hi << "0.5"
                                              << "1" << 2 << Via::Wheel << "2";
    QTest::newRow("wheel down") << lo << hi << "1"
                                << "3" << -1 << Via::Wheel << "2";
    QTest::newRow("half notches add up to a step") << lo << hi << "1"
                                                   << "3" << 1 << Via::HalfNotches << "4";
}

void TestRealSpin::stepping() {
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(QString, increment);
    QFETCH(QString, start);
    QFETCH(int, steps);
    QFETCH(Via, via);
    QFETCH(QString, expected);

    SpinWindow w;
    QVERIFY(w.ready());
    w.setRange(min.toLatin1(), max.toLatin1());
    w.edit->setIncrement(fp(increment.toLatin1()));
    w.edit->setText(start);
    for (int i = 0; i < std::abs(steps); ++i) {
        const bool up = steps > 0;
        switch (via) {
        case Via::Slot:
            up ? w.edit->StepUp() : w.edit->StepDown();
            break;
        case Via::Key:
            QTest::keyClick(w.edit, up ? Qt::Key_Up : Qt::Key_Down);
            break;
        case Via::Arrow:
            QTest::mouseClick(up ? w.edit->button()->UpArrow() : w.edit->button()->DownArrow(),
                              Qt::LeftButton);
            break;
        case Via::Page:
            QTest::keyClick(w.edit, up ? Qt::Key_PageUp : Qt::Key_PageDown);
            break;
        case Via::Wheel:
            turnWheel(w.edit, up ? 120 : -120);
            break;
        case Via::HalfNotches:
            turnWheel(w.edit, up ? 60 : -60);
            QCOMPARE(w.edit->text(), start); // half a notch does not step yet
            turnWheel(w.edit, up ? 60 : -60);
            break;
        }
    }
    QCOMPARE(w.edit->text(), expected);
}

void TestRealSpin::characterFilter_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("editorEnabled");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("typed"); // typed as characters when not empty
    QTest::addColumn<int>("key");       // otherwise this key with `modifiers`
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("beep");

    const int none = Qt::NoModifier;
    QTest::newRow("digits and signs")
        << Czech << true << "" << 0 << "-+09" << 0 << none << "-+09" << false;
    QTest::newRow("both separators under comma")
        << Czech << true << "" << 0 << ",." << 0 << none << ",." << false;
    QTest::newRow("both separators under point")
        << English << true << "" << 0 << ".," << 0 << none << ".," << false;
    QTest::newRow("letter refused") << Czech << true << "1" << 1 << "a" << 0 << none << "1" << true;
    QTest::newRow("exponent letter refused")
        << Czech << true << "1" << 1 << "e" << 0 << none << "1" << true;
    QTest::newRow("space refused") << Czech << true << "1" << 1 << " " << 0 << none << "1" << true;
    QTest::newRow("return refused")
        << Czech << true << "12" << 2 << "" << int(Qt::Key_Return) << none << "12" << true;
    QTest::newRow("keypad enter refused") << Czech << true << "12" << 2 << "" << int(Qt::Key_Enter)
                                          << int(Qt::KeypadModifier) << "12" << true;
    QTest::newRow("backspace edits")
        << Czech << true << "12" << 2 << "" << int(Qt::Key_Backspace) << none << "1" << false;
    QTest::newRow("delete edits") << Czech << true << "12" << 0 << "" << int(Qt::Key_Delete) << none
                                  << "2" << false;
    QTest::newRow("locked: digit refused")
        << Czech << false << "12" << 2 << "3" << 0 << none << "12" << true;
    QTest::newRow("locked: backspace refused")
        << Czech << false << "12" << 2 << "" << int(Qt::Key_Backspace) << none << "12" << true;
    QTest::newRow("locked: delete refused")
        << Czech << false << "12" << 0 << "" << int(Qt::Key_Delete) << none << "12" << true;
    QTest::newRow("locked: undo refused") << Czech << false << "12" << 2 << "" << int(Qt::Key_Z)
                                          << int(Qt::ControlModifier) << "12" << true;
    QTest::newRow("locked: return refused")
        << Czech << false << "12" << 2 << "" << int(Qt::Key_Return) << none << "12" << true;
    QTest::newRow("locked: select all passes")
        << Czech << false << "12" << 2 << "" << int(Qt::Key_A) << int(Qt::ControlModifier) << "12"
        << false;
}

void TestRealSpin::characterFilter() {
    QFETCH(QLocale, locale);
    QFETCH(bool, editorEnabled);
    QFETCH(QString, start);
    QFETCH(int, cursor);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, expected);
    QFETCH(bool, beep);

    QLocale::setDefault(locale);
    TRealSpinEdit edit;
    edit.setEditorEnabled(editorEnabled);
    edit.setText(start);
    edit.setCursorPosition(cursor);
    QSignalSpy refused(&edit, &TRealSpinEdit::inputRefused);
    if (!typed.isEmpty())
        QTest::keyClicks(&edit, typed);
    else
        QTest::keyClick(&edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(edit.text(), expected);
    QCOMPARE(refused.count() > 0, beep);
}

void TestRealSpin::focusLossClamps_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("readsAs"); // C-locale text of Value before leaving
    QTest::addColumn<QString>("left");    // text after leaving

    const QString lo = "0.0001", hi = "10000000";
    // Either separator reads as the locale's and leaves in the locale's form.
    QTest::newRow("point under comma locale") << Czech << lo << hi << "1.5"
                                              << "1.5"
                                              << "1,5";
    QTest::newRow("comma under point locale") << English << lo << hi << "1,5"
                                              << "1.5"
                                              << "1.5";
    QTest::newRow("other separator below minimum") << English << lo << hi << "0,00004"
                                                   << "0"
                                                   << "0.0001";
    QTest::newRow("two separators stay as typed")
        << English << lo << hi << "1,000.5" << lo << "1,000.5";
    QTest::newRow("exactly the minimum stays") << Czech << lo << hi << "0,0001"
                                               << "0.0001"
                                               << "0,0001";
    QTest::newRow("exactly the maximum stays") << Czech << lo << hi << "10000000"
                                               << "10000000"
                                               << "10000000";
    QTest::newRow("one step past the maximum") << Czech << lo << hi << "10000000,0001"
                                               << "10000000.0001"
                                               << "10000000";
    QTest::newRow("in range stays as typed") << Czech << lo << hi << "2,50"
                                             << "2.5"
                                             << "2,50";
    QTest::newRow("above maximum clamps") << Czech << lo << hi << "20000000"
                                          << "20000000"
                                          << "10000000";
    QTest::newRow("zero clamps to minimum") << Czech << lo << hi << "0"
                                            << "0"
                                            << "0,0001";
    QTest::newRow("negative clamps to minimum") << Czech << lo << hi << "-5"
                                                << "-5"
                                                << "0,0001";
    QTest::newRow("no limit keeps anything") << Czech << "0"
                                             << "0"
                                             << "-20000000"
                                             << "-20000000"
                                             << "-20000000";
}

void TestRealSpin::focusLossClamps() {
    QFETCH(QLocale, locale);
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(QString, typed);
    QFETCH(QString, readsAs);
    QFETCH(QString, left);

    QLocale::setDefault(locale);
    SpinWindow w;
    QVERIFY(w.ready());
    w.setRange(min.toLatin1(), max.toLatin1());
    w.edit->setFocus(Qt::TabFocusReason);
    QVERIFY(w.edit->hasFocus());
    QTest::keyClicks(w.edit, typed); // replaces the selected "0"
    QCOMPARE(w.edit->text(), typed);
    QCOMPARE(w.edit->Value(), fp(readsAs.toLatin1()));
    w.other->setFocus(Qt::TabFocusReason);
    QCOMPARE(w.edit->text(), left);
}

// A number wider than its field is read from its first digit once the field is left, and when
// it is written while another control has the focus.
void TestRealSpin::longNumberShowsItsStart() {
    SpinWindow w;
    QVERIFY(w.ready());
    w.edit->setFixedWidth(73);
    w.other->setFocus(Qt::TabFocusReason);
    w.edit->setValue(fp("1234567.8912"));
    QCOMPARE(w.edit->cursorPosition(), 0);

    w.edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(w.edit, "7654321,1234");
    QCOMPARE(w.edit->cursorPosition(), 12); // typing goes on at the end
    w.other->setFocus(Qt::TabFocusReason);
    QCOMPARE(w.edit->cursorPosition(), 0);
}

void TestRealSpin::notEditable_data() {
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("editorEnabled");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("beep");

    QTest::newRow("open: paste") << false << true << Action::Paste << "57" << false;
    QTest::newRow("open: cut") << false << true << Action::Cut << "" << false;
    QTest::newRow("locked: type") << false << false << Action::Type << "5" << true;
    QTest::newRow("locked: backspace") << false << false << Action::Backspace << "5" << true;
    QTest::newRow("locked: paste") << false << false << Action::Paste << "5" << false;
    QTest::newRow("locked: cut") << false << false << Action::Cut << "5" << false;
    QTest::newRow("locked: arrow still steps") << false << false << Action::ArrowUp << "6" << false;
    QTest::newRow("locked: key still steps") << false << false << Action::KeyUp << "6" << false;
    QTest::newRow("read-only: paste") << true << true << Action::Paste << "5" << false;
    QTest::newRow("read-only: arrow beeps") << true << true << Action::ArrowUp << "5" << true;
    QTest::newRow("read-only: key beeps") << true << true << Action::KeyUp << "5" << true;
}

void TestRealSpin::notEditable() {
    QFETCH(bool, readOnly);
    QFETCH(bool, editorEnabled);
    QFETCH(Action, action);
    QFETCH(QString, expected);
    QFETCH(bool, beep);

    SpinWindow w;
    QVERIFY(w.ready());
    w.edit->setReadOnly(readOnly);
    w.edit->setEditorEnabled(editorEnabled);
    w.edit->setText("5");
    QApplication::clipboard()->setText("7");
    QSignalSpy refused(w.edit, &TRealSpinEdit::inputRefused);
    switch (action) {
    case Action::Type:
        QTest::keyClicks(w.edit, "1");
        break;
    case Action::Backspace:
        QTest::keyClick(w.edit, Qt::Key_Backspace);
        break;
    case Action::Paste:
        QTest::keySequence(w.edit, QKeySequence::Paste);
        break;
    case Action::Cut:
        w.edit->selectAll();
        QTest::keySequence(w.edit, QKeySequence::Cut);
        QCOMPARE(QApplication::clipboard()->text(), expected.isEmpty() ? "5" : "7");
        break;
    case Action::ArrowUp:
        QTest::mouseClick(w.edit->button()->UpArrow(), Qt::LeftButton);
        break;
    case Action::KeyUp:
        QTest::keyClick(w.edit, Qt::Key_Up);
        break;
    }
    QCOMPARE(w.edit->text(), expected);
    QCOMPARE(refused.count() > 0, beep);
}

void TestRealSpin::autoSelect_data() {
    QTest::addColumn<bool>("autoSelect");
    QTest::addColumn<int>("how"); // 0 Tab, 1 left press on the edit, 2 press on an arrow
    QTest::addColumn<bool>("selected");

    QTest::newRow("tab selects") << true << 0 << true;
    QTest::newRow("tab without auto-select") << false << 0 << false;
    QTest::newRow("left press places the cursor") << true << 1 << false;
    QTest::newRow("arrow press selects") << true << 2 << true;
}

void TestRealSpin::autoSelect() {
    QFETCH(bool, autoSelect);
    QFETCH(int, how);
    QFETCH(bool, selected);

    SpinWindow w;
    QVERIFY(w.ready());
    w.edit->setAutoSelect(autoSelect);
    w.edit->setText("123");
    w.other->setFocus(Qt::OtherFocusReason);
    TTimerSpeedButton *arrow = w.edit->button()->UpArrow();
    if (how == 0)
        QTest::keyClick(w.other, Qt::Key_Backtab, Qt::ShiftModifier);
    else if (how == 1)
        QTest::mousePress(w.edit, Qt::LeftButton, {}, QPoint(4, w.edit->height() / 2));
    else {
        QTest::mouseMove(arrow);
        QTest::mousePress(arrow, Qt::LeftButton);
    }
    QVERIFY(w.edit->hasFocus());
    QCOMPARE(w.edit->hasSelectedText(), selected);
    QTest::mouseRelease(how == 2 ? static_cast<QWidget *>(arrow) : w.edit, Qt::LeftButton);
}

// A stored number with more than four decimals is shown and read back with every digit.
void TestRealSpin::exactDigits_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("read");
    QTest::newRow("a known length's size")
        << Czech << 0.0764525993883792 << "0,0764525993883792" << 0.0764525993883792;
    QTest::newRow("point locale") << English << 1.23456789 << "1.23456789" << 1.23456789;
    QTest::newRow("the least") << Czech << 0.0001 << "0,0001" << 0.0001;
    QTest::newRow("below the least") << Czech << 0.00009 << "0,0001" << 0.0001;
    QTest::newRow("the largest, no group separator") << English << 1e7 << "10000000" << 1e7;
    QTest::newRow("above the largest") << Czech << 10000000.5 << "10000000" << 1e7;
}

void TestRealSpin::exactDigits() {
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, shown);
    QFETCH(double, read);
    QLocale::setDefault(locale);
    TRealSpinEdit edit;
    edit.setMinValue(FixedPoint::fromRaw(1));
    edit.setMaxValue(FixedPoint::fromInt(10000000));
    edit.setExactValue(value);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(edit.cursorPosition(), 0); // a narrow field shows the leading digits
    QCOMPARE(edit.exactValue(), read);
    edit.bringIntoRange(); // leaving the field keeps every digit
    QCOMPARE(edit.text(), shown);
}

// Confirming a number either takes it, with either separator, or says what is wrong with it in
// the language in use and shows the nearest number in range.
void TestRealSpin::confirmSaysWhatIsWrong_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("problem");
    const QString least = "Nejmenší možné číslo je 0,0001.";
    const QString largest = "Největší možné číslo je 10000000.";
    QTest::newRow("point under a comma locale") << Czech << "2.5" << true << "2.5"
                                                << "";
    QTest::newRow("comma under a point locale") << English << "2,5" << true << "2,5"
                                                << "";
    QTest::newRow("the least") << Czech << "0,0001" << true << "0,0001"
                               << "";
    QTest::newRow("the largest") << Czech << "10000000" << true << "10000000"
                                 << "";
    QTest::newRow("zero") << Czech << "0" << false << "0,0001" << least;
    QTest::newRow("below the least") << Czech << "0,00001" << false << "0,0001" << least;
    QTest::newRow("negative") << Czech << "-5" << false << "0,0001" << least;
    QTest::newRow("one past the largest")
        << Czech << "10000000,0001" << false << "10000000" << largest;
    QTest::newRow("eight digits") << Czech << "12345678" << false << "10000000" << largest;
    QTest::newRow("an exponent too large") << Czech << "1e308" << false << "10000000" << largest;
    QTest::newRow("no number") << Czech << "abc" << false << "abc"
                               << "Zadejte číslo.";
}

void TestRealSpin::confirmSaysWhatIsWrong() {
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    QFETCH(QString, shown);
    QFETCH(QString, problem);
    QLocale::setDefault(locale);
    RangedNumber number(FixedPoint::fromRaw(1), FixedPoint::fromInt(10000000), fillArguments);
    number.edit()->setText(typed); // pasted, so past the character filter
    QCOMPARE(number.confirm(), taken);
    QCOMPARE(number.edit()->text(), shown);
    auto *said = number.findChild<QLabel *>("labelChyba");
    QCOMPARE(said->text(), problem);
    QCOMPARE(said->isVisibleTo(&number), !problem.isEmpty());
    QCOMPARE(number.edit()->accessibleDescription(), problem);
    if (taken)
        QCOMPARE(number.value(), QLocale::c().toDouble(QString(typed).replace(u',', u'.')));
}

void TestRealSpin::leastHeight_data() {
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("small font") << 8;
    QTest::newRow("dialog font") << 13;
    QTest::newRow("large font") << 28;
}

void TestRealSpin::leastHeight() {
    QFETCH(int, pixelSize);
    SpinWindow w;
    QVERIFY(w.ready());
    QFont font = w.edit->font();
    font.setPixelSize(pixelSize);
    w.edit->setFont(font);
    w.edit->setParent(nullptr); // out of the layout, placed by hand as the dialog does
    w.edit->show();
    w.edit->setGeometry(0, 0, 73, 5);
    QCOMPARE(w.edit->height(), w.edit->leastHeight());
    // The least height leaves room for a line of text and both arrows.
    QVERIFY(w.edit->leastHeight() > QFontMetrics(font).height() + 4);
    QVERIFY(w.edit->minimumSizeHint().height() >= w.edit->leastHeight());
    const QRect buttons = w.edit->button()->geometry();
    QVERIFY(w.edit->rect().contains(buttons));
    QVERIFY(buttons.height() >= w.edit->height() - 8);
    delete w.edit;
}

void TestRealSpin::textStaysClearOfArrows() {
    SpinWindow w;
    QVERIFY(w.ready());
    w.edit->setFocus();
    w.edit->setText(QString(40, u'8'));
    w.edit->end(false);
    w.edit->repaint(); // the text scrolls to the cursor when painted
    const QRect buttons = w.edit->button()->geometry();
    QVERIFY(buttons.right() < w.edit->width() - 1); // inside the frame
    const QRect cursor = w.edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QVERIFY(cursor.center().x() < buttons.left() - 1);
}

void TestRealSpin::fitButtons_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("up");
    QTest::addColumn<QRect>("down");

    QTest::newRow("default") << QSize(20, 25) << QRect(0, 0, 20, 12) << QRect(0, 11, 20, 14);
    QTest::newRow("even height") << QSize(15, 16) << QRect(0, 0, 15, 8) << QRect(0, 7, 15, 9);
    QTest::newRow("too narrow widens")
        << QSize(9, 21) << QRect(0, 0, 15, 10) << QRect(0, 9, 15, 12);
}

void TestRealSpin::fitButtons() {
    QFETCH(QSize, size);
    QFETCH(QRect, up);
    QFETCH(QRect, down);
    QWidget window;
    auto *pair = new TSpinButton(&window);
    window.show();
    pair->resize(size);
    QCOMPARE(pair->UpArrow()->geometry(), up);
    QCOMPARE(pair->DownArrow()->geometry(), down);
}

void TestRealSpin::autoRepeat_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<bool>("releaseOver");
    QTest::addColumn<int>("steps");

    QTest::newRow("quick click steps once") << 0 << true << 1;
    QTest::newRow("one repeat then release") << 1 << true << 2;
    QTest::newRow("three repeats then release") << 3 << true << 4;
    QTest::newRow("released off the button") << 2 << false << 2;
}

void TestRealSpin::autoRepeat() {
    QFETCH(int, ticks);
    QFETCH(bool, releaseOver);
    QFETCH(int, steps);

    SpinWindow w;
    QVERIFY(w.ready());
    TTimerSpeedButton *arrow = w.edit->button()->UpArrow();
    QVERIFY(!arrow->repeatTicker());
    QTest::mousePress(arrow, Qt::LeftButton);
    QTimer *ticker = arrow->repeatTicker();
    QVERIFY(ticker && ticker->isActive());
    QCOMPARE(ticker->interval(), TTimerSpeedButton::InitialRepeatDelay);
    QCOMPARE(ticker->timerType(), Qt::PreciseTimer); // a coarse one fires up to 5 % early
    QCOMPARE(w.edit->text(), "0");                   // nothing happens on the press itself
    for (int i = 0; i < ticks; ++i) {
        QVERIFY(QMetaObject::invokeMethod(ticker, "timeout"));
        QCOMPARE(ticker->interval(), TTimerSpeedButton::RepeatInterval);
    }
    QCOMPARE(w.edit->Value(), FixedPoint::fromInt(ticks));
    const QPoint at = releaseOver ? arrow->rect().center() : QPoint(-40, -40);
    if (!releaseOver) {
        QTest::mouseMove(arrow, at);
        QVERIFY(!arrow->isDown());
        QVERIFY(QMetaObject::invokeMethod(ticker, "timeout")); // slid off: no repeat
    }
    QTest::mouseRelease(arrow, Qt::LeftButton, {}, at);
    QVERIFY(!ticker->isActive());
    QCOMPARE(w.edit->Value(), FixedPoint::fromInt(steps));
}

void TestRealSpin::repeatStopsOnError() {
    SpinWindow w;
    QVERIFY(w.ready());
    TTimerSpeedButton *arrow = w.edit->button()->DownArrow();
    const auto failing = connect(w.edit->button(), &TSpinButton::OnDownClick,
                                 [] { throw std::runtime_error("step failed"); });
    QTest::mousePress(arrow, Qt::LeftButton);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             QMetaObject::invokeMethod(arrow->repeatTicker(), "timeout"));
    QVERIFY(!arrow->repeatTicker()->isActive());
    disconnect(failing);
    QTest::mouseRelease(arrow, Qt::LeftButton);
}

void TestRealSpin::pairKeys_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("upClicks");
    QTest::addColumn<int>("downClicks");
    QTest::addColumn<bool>("downCurrent");

    QTest::newRow("space clicks the first arrow") << QList<int>{Qt::Key_Space} << 1 << 0 << false;
    QTest::newRow("down then space") << QList<int>{Qt::Key_Down, Qt::Key_Space} << 0 << 2 << true;
    QTest::newRow("down then up") << QList<int>{Qt::Key_Down, Qt::Key_Up} << 1 << 1 << false;
}

void TestRealSpin::pairKeys() {
    QFETCH(QList<int>, keys);
    QFETCH(int, upClicks);
    QFETCH(int, downClicks);
    QFETCH(bool, downCurrent);

    QWidget window;
    auto *pair = new TSpinButton(&window);
    pair->setTabStop(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    pair->setFocus(Qt::TabFocusReason);
    QSignalSpy up(pair, &TSpinButton::OnUpClick);
    QSignalSpy down(pair, &TSpinButton::OnDownClick);
    for (int key : keys)
        QTest::keyClick(pair, Qt::Key(key));
    QCOMPARE(up.count(), upClicks);
    QCOMPARE(down.count(), downClicks);
    TTimerSpeedButton *current = downCurrent ? pair->DownArrow() : pair->UpArrow();
    TTimerSpeedButton *otherArrow = downCurrent ? pair->UpArrow() : pair->DownArrow();
    QCOMPARE(pair->CurrentArrow(), current);
    QVERIFY(current->buttonFlags() & TTimerSpeedButton::ShowFocus);
    QVERIFY(!(otherArrow->buttonFlags() & TTimerSpeedButton::ShowFocus));
    pair->clearFocus();
    QVERIFY(!(current->buttonFlags() & TTimerSpeedButton::ShowFocus));
}

void TestRealSpin::propertiesByName() {
    TRealSpinEdit edit;
    QVERIFY(edit.setProperty("MinValue", 0.0001));
    QVERIFY(edit.setProperty("MaxValue", QStringLiteral("10000000")));
    QVERIFY(edit.setProperty("Increment", 0.5));
    QVERIFY(edit.setProperty("Value", QStringLiteral("2,5")));
    QCOMPARE(edit.text(), "2,5");
    QVERIFY(edit.setProperty("Value", 1e12));
    QCOMPARE(edit.text(), "10000000");
    QCOMPARE(edit.property("Increment").value<FixedPoint>(), fp("0.5"));
    QCOMPARE(edit.property("MinValue").toDouble(), 0.0001);
    QVERIFY(edit.setProperty("EditorEnabled", false));
    QVERIFY(!edit.EditorEnabled());
}

// A picture of several frames shows the frame for the button's state; a single frame stands for
// all of them and is greyed by the style when the button is disabled.
void TestRealSpin::glyphFrames_data() {
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("down");
    QTest::addColumn<int>("shownFrame"); // -1: the single frame, greyed

    QTest::newRow("1 frame, normal") << 1 << true << false << 0;
    QTest::newRow("1 frame, pressed") << 1 << true << true << 0;
    QTest::newRow("1 frame, disabled") << 1 << false << false << -1;
    QTest::newRow("2 frames, normal") << 2 << true << false << 0;
    QTest::newRow("2 frames, pressed") << 2 << true << true << 0;
    QTest::newRow("2 frames, disabled") << 2 << false << false << 1;
    QTest::newRow("3 frames, normal") << 3 << true << false << 0;
    QTest::newRow("3 frames, pressed") << 3 << true << true << 2;
    QTest::newRow("3 frames, disabled") << 3 << false << false << 1;
    QTest::newRow("4 frames, pressed") << 4 << true << true << 2;
    QTest::newRow("4 frames, disabled") << 4 << false << false << 1;
}

void TestRealSpin::glyphFrames() {
    QFETCH(int, frames);
    QFETCH(bool, enabled);
    QFETCH(bool, down);
    QFETCH(int, shownFrame);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    constexpr int side = 8;
    QPixmap glyph(side * frames, side);
    glyph.fill(Qt::transparent);
    {
        QPainter painter(&glyph);
        for (int i = 0; i < frames; ++i)
            painter.fillRect(i * side, 0, side, side, colours[i]);
    }
    TTimerSpeedButton bare;
    TTimerSpeedButton button;
    button.setGlyph(glyph);
    button.setNumGlyphs(frames);
    for (TTimerSpeedButton *b : {&bare, &button}) {
        b->resize(20, 20);
        b->setEnabled(enabled);
        b->setDown(down);
    }
    const QPoint middle(10, 10);
    const QColor shown = button.grab().toImage().pixelColor(middle);
    if (shownFrame >= 0) {
        QCOMPARE(shown, colours[shownFrame]);
    } else {
        // The style's own greyed version of the first frame.
        QStyleOption option;
        option.initFrom(&button);
        const QPixmap greyed = button.style()->generatedIconPixmap(
            QIcon::Disabled, glyph.copy(0, 0, side, side), &option);
        QCOMPARE(shown, greyed.toImage().pixelColor(side / 2, side / 2));
        QVERIFY(shown != colours[0]);
        QVERIFY(shown != bare.grab().toImage().pixelColor(middle));
    }
}

// A left press on an arrow of a pair that is a tab stop takes the focus and moves the focus
// mark to that arrow; other buttons leave both where they were.
void TestRealSpin::arrowPressFocusesThePair_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("down");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<bool>("downCurrent");
    QTest::newRow("left on down") << Qt::LeftButton << true << true << true;
    QTest::newRow("left on up") << Qt::LeftButton << false << true << false;
    QTest::newRow("right on down") << Qt::RightButton << true << false << false;
    QTest::newRow("middle on down") << Qt::MiddleButton << true << false << false;
}

void TestRealSpin::arrowPressFocusesThePair() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, down);
    QFETCH(bool, focused);
    QFETCH(bool, downCurrent);
    QWidget window;
    auto *pair = new TSpinButton(&window);
    pair->setTabStop(true);
    auto *other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    TTimerSpeedButton *arrow = down ? pair->DownArrow() : pair->UpArrow();
    QTest::mousePress(arrow, button);
    QCOMPARE(pair->hasFocus(), focused);
    QCOMPARE(pair->CurrentArrow() == pair->DownArrow(), downCurrent);
    QTest::mouseRelease(arrow, button);
}

// Builds the two edits of the units page, saves a picture to look at and checks that the
// arrows are drawn inside the right end.
void TestRealSpin::demonstration() {
    QWidget window;
    auto *form = new QFormLayout(&window);
    auto *value = new TRealSpinEdit;
    auto *ticks = new TRealSpinEdit;
    for (TRealSpinEdit *edit : {value, ticks}) {
        edit->setMinValue(fp("0.0001"));
        edit->setMaxValue(fp("10000000"));
        edit->setFixedWidth(73);
    }
    value->setValue(fp("2.5"));
    ticks->setValue(fp("0.0001"));
    form->addRow(QStringLiteral("Hodnota:"), value);
    form->addRow(QStringLiteral("Čárka:"), ticks);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QImage image = window.grab().toImage();
    // Set TAVLINKO_DEMO_PNG to a file name to look at the demonstration window.
    if (const QString demo = qEnvironmentVariable("TAVLINKO_DEMO_PNG"); !demo.isEmpty())
        QVERIFY(image.save(demo));

    // The arrow glyph is drawn: the middle of each arrow holds a dark pixel.
    for (TTimerSpeedButton *arrow : {value->button()->UpArrow(), value->button()->DownArrow()}) {
        const QRect area(arrow->mapTo(&window, QPoint()), arrow->size());
        const qreal ratio = image.devicePixelRatio();
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                dark += qGray(image.pixel(QPoint(x, y) * ratio)) < 96;
        QVERIFY2(dark >= 10, qPrintable(QString::number(dark)));
    }
}

QTEST_MAIN(TestRealSpin)
#include "tst_realspin.moc"
