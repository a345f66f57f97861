#include "widgets/RealSpin.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QStyleOptionFrame>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The thin border line of the platform's controls, counted four times in the least height.
constexpr int ThinBorder = 1;

} // namespace

TRealSpinEdit::TRealSpinEdit(QWidget *parent) : QLineEdit(parent) {
    registerFixedPointConversions();
    m_button = new TSpinButton(this);
    m_button->setGeometry(0, 0, 15, 17);
    m_button->setFocusControl(this);
    connect(m_button, &TSpinButton::OnUpClick, this, &TRealSpinEdit::StepUp);
    connect(m_button, &TSpinButton::OnDownClick, this, &TRealSpinEdit::StepDown);
    setText(QStringLiteral("0"));
    placeButton();
}

void TRealSpinEdit::setEditorEnabled(bool enabled) {
    m_editorEnabled = enabled;
    setAcceptDrops(enabled);
}

// Keyboards of one country type the other country's separator as readily as their own, so
// both mean the locale's.
QString TRealSpinEdit::numberText() const {
    QString number = text();
    const QString separator = QLocale().decimalPoint();
    if (separator.size() == 1) {
        number.replace(u',', separator.front());
        number.replace(u'.', separator.front());
    }
    return number;
}

FixedPoint TRealSpinEdit::Value() const {
    return parseFixedPoint(numberText()).value_or(m_minValue);
}

void TRealSpinEdit::setValue(FixedPoint value) {
    setText(formatFixedPoint(ClampValue(value)));
    if (!hasFocus())
        showFromStart();
}

// A number in range keeps every digit typed: only the separator becomes the locale's.
void TRealSpinEdit::bringIntoRange() {
    switch (checkRange()) {
    case RangeCheck::NoNumber:
        return;
    case RangeCheck::BelowRange:
        setValue(m_minValue);
        return;
    case RangeCheck::AboveRange:
        setValue(m_maxValue);
        return;
    case RangeCheck::InRange:
        if (numberText() != text())
            setText(numberText());
        return;
    }
}

std::optional<double> TRealSpinEdit::typedNumber() const {
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double number = locale.toDouble(numberText().trimmed(), &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

TRealSpinEdit::RangeCheck TRealSpinEdit::checkRange() const {
    const std::optional<double> number = typedNumber();
    if (!number)
        return RangeCheck::NoNumber;
    if (limited() && *number < m_minValue.toDouble())
        return RangeCheck::BelowRange;
    if (limited() && *number > m_maxValue.toDouble())
        return RangeCheck::AboveRange;
    return RangeCheck::InRange;
}

double TRealSpinEdit::exactValue() const {
    switch (checkRange()) {
    case RangeCheck::InRange:
        return *typedNumber();
    case RangeCheck::AboveRange:
        return m_maxValue.toDouble();
    default:
        return m_minValue.toDouble();
    }
}

void TRealSpinEdit::setExactValue(double value) {
    if (limited())
        value = std::clamp(value, m_minValue.toDouble(), m_maxValue.toDouble());
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    setText(locale.toString(value, 'f', QLocale::FloatingPointShortest));
    if (!hasFocus())
        showFromStart();
}

// A number longer than the field is read from its first digit; the end alone would show a
// different number.
void TRealSpinEdit::showFromStart() {
    setCursorPosition(0);
}

FixedPoint TRealSpinEdit::ClampValue(FixedPoint value) const {
    if (!limited())
        return value;
    if (value < m_minValue)
        return m_minValue;
    if (value > m_maxValue)
        return m_maxValue;
    return value;
}

void TRealSpinEdit::StepUp() {
    step(m_increment, 1);
}

void TRealSpinEdit::StepDown() {
    step(m_increment, -1);
}

// Steps `times` increments at once (down when negative), with one beep at most when the edit
// is read-only. The sums saturate, so a large count cannot wrap around.
void TRealSpinEdit::step(FixedPoint by, int times) {
    if (isReadOnly()) {
        refuse();
        return;
    }
    FixedPoint value = Value();
    for (int i = 0; i < std::abs(times); ++i)
        value = times > 0 ? value + by : value - by;
    setValue(value);
}

// Both separators pass whatever the locale, though only the locale's own reads as a number.
// Control characters pass so that copy, select-all and the like keep working; carriage return
// does not, since the text is a single line.
bool TRealSpinEdit::AcceptsChar(QChar c) const {
    const QString separator = QLocale().decimalPoint();
    const bool accepted = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u',' ||
                          c == u'.' || (separator.size() == 1 && c == separator.front()) ||
                          (c < u' ' && c != u'\r');
    if (!accepted)
        return false;
    return m_editorEnabled || (c < u' ' && c != u'\b');
}

void TRealSpinEdit::refuse() {
    QApplication::beep();
    emit inputRefused();
}

bool TRealSpinEdit::isEditingKey(const QKeyEvent *event) const {
    static const QKeySequence::StandardKey editing[] = {
        QKeySequence::Delete,
        QKeySequence::Backspace,
        QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteEndOfWord,
        QKeySequence::DeleteEndOfLine,
        QKeySequence::DeleteCompleteLine,
        QKeySequence::Undo,
        QKeySequence::Redo,
    };
    return std::any_of(std::begin(editing), std::end(editing),
                       [event](QKeySequence::StandardKey key) { return event->matches(key); });
}

// The characters a key stands for, as the filter sees them. Some platforms report Ctrl with a
// letter, Return or Backspace without their control character, so those are supplied here; Delete
// is an editing key and types nothing.
QString TRealSpinEdit::typedCharacters(const QKeyEvent *event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return QStringLiteral("\r");
    if (key == Qt::Key_Backspace)
        return QStringLiteral("\b");
    if (key == Qt::Key_Delete)
        return QString();
    const auto modifiers = event->modifiers();
    const bool controlOnly =
        (modifiers & Qt::ControlModifier) && !(modifiers & (Qt::AltModifier | Qt::MetaModifier));
    if (controlOnly && key >= Qt::Key_A && key <= Qt::Key_Z)
        return QString(QChar(key - Qt::Key_A + 1));
    return event->text();
}

void TRealSpinEdit::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        if (event->key() == Qt::Key_Up)
            StepUp();
        else
            StepDown();
        QLineEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    // Page keys take the bigger steps of the platform's spin boxes.
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        step(m_increment, event->key() == Qt::Key_PageUp ? PageSteps : -PageSteps);
        event->accept();
        return;
    }
    if (!textEditable() &&
        (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste))) {
        event->accept();
        return;
    }
    // Delete and the word and line deletions are keys rather than characters; they would
    // change a text that is not open to typing.
    if (!m_editorEnabled && isEditingKey(event)) {
        refuse();
        event->accept();
        return;
    }
    const QString typed = typedCharacters(event);
    for (QChar c : typed) {
        if (!AcceptsChar(c)) {
            refuse();
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

// One step per notch of the wheel; a touchpad's finer deltas add up to whole notches.
void TRealSpinEdit::wheelEvent(QWheelEvent *event) {
    m_wheelDelta += event->angleDelta().y();
    const int notches = m_wheelDelta / QWheelEvent::DefaultDeltasPerStep;
    m_wheelDelta -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0)
        step(m_increment, notches);
    event->accept();
}

void TRealSpinEdit::inputMethodEvent(QInputMethodEvent *event) {
    const QString committed = event->commitString();
    if (std::any_of(committed.begin(), committed.end(),
                    [this](QChar c) { return !AcceptsChar(c); })) {
        refuse();
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

// The middle button pastes the selection on X11.
void TRealSpinEdit::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::MiddleButton && !m_editorEnabled) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TRealSpinEdit::contextMenuEvent(QContextMenuEvent *event) {
    QMenu *menu = createStandardContextMenu();
    if (!m_editorEnabled) {
        static const QStringList changing = {
            QStringLiteral("edit-undo"), QStringLiteral("edit-redo"), QStringLiteral("edit-cut"),
            QStringLiteral("edit-paste"), QStringLiteral("edit-delete")};
        for (QAction *action : menu->actions()) {
            if (changing.contains(action->objectName()))
                action->setEnabled(false);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TRealSpinEdit::focusInEvent(QFocusEvent *event) {
    // A left press on the edit places the cursor itself; any other way in selects everything.
    // A press on the arrows reaches the edit as a mouse focus too, since they take no focus.
    const bool onArrows = m_button->underMouse() ||
                          m_button->rect().contains(m_button->mapFromGlobal(QCursor::pos()));
    const bool fromLeftPress = event->reason() == Qt::MouseFocusReason &&
                               (QGuiApplication::mouseButtons() & Qt::LeftButton) && !onArrows;
    const bool hadSelection = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (m_autoSelect && !fromLeftPress && event->reason() != Qt::PopupFocusReason)
        selectAll();
    else if (!m_autoSelect && !hadSelection)
        deselect(); // the line edit would select on Tab otherwise
}

// Out-of-range numbers are brought into range when the user moves on; text that is not a number
// reads as MinValue, which is in range, so it stays as typed. A menu or another application
// taking the focus for a while does not count as moving on.
void TRealSpinEdit::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    bringIntoRange();
    showFromStart();
}

int TRealSpinEdit::leastHeight() const {
    const int ownHeight = QFontMetrics(font()).height();
    const int systemHeight = QFontMetrics(QApplication::font()).height();
    return ownHeight + std::min(systemHeight, ownHeight) / 4 + 4 * ThinBorder + 2;
}

QSize TRealSpinEdit::sizeHint() const {
    QSize size = QLineEdit::sizeHint();
    size.setHeight(std::max(size.height(), leastHeight()));
    return size;
}

QSize TRealSpinEdit::minimumSizeHint() const {
    QSize size = QLineEdit::minimumSizeHint();
    size.setHeight(std::max(size.height(), leastHeight()));
    return size;
}

// The arrows sit inside the frame at the right end, and the text margin keeps typed text clear
// of them.
void TRealSpinEdit::placeButton() {
    const int buttonWidth = m_button->width();
    if (hasFrame()) {
        QStyleOptionFrame option;
        initStyleOption(&option);
        const QRect inner = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
        m_button->setGeometry(inner.right() - buttonWidth, inner.top(), buttonWidth,
                              inner.height() - 1);
    } else {
        m_button->setGeometry(width() - buttonWidth, 1, buttonWidth, height() - 3);
    }
    setTextMargins(0, 0, buttonWidth + 2, 0);
}

void TRealSpinEdit::resizeEvent(QResizeEvent *event) {
    QLineEdit::resizeEvent(event);
    if (height() < leastHeight()) {
        resize(width(), leastHeight());
        return;
    }
    placeButton();
}

void TRealSpinEdit::changeEvent(QEvent *event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateGeometry();
        if (height() < leastHeight())
            resize(width(), leastHeight());
        else
            placeButton();
    }
}
