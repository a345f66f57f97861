#include "widgets/SpinButton.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

const QString UpGlyphName = QStringLiteral("RealSpinUp");
const QString DownGlyphName = QStringLiteral("RealSpinDown");

bool canTakeFocus(const QWidget *widget) {
    return widget->isVisible() && widget->isEnabled();
}

} // namespace

TSpinButton::TSpinButton(QWidget *parent) : QWidget(parent) {
    setMinimumWidth(MinimumWidth);
    setTabStop(false);
    m_upArrow = createArrow(UpGlyphName);
    m_downArrow = createArrow(DownGlyphName);
    m_currentArrow = m_upArrow;
    connect(m_upArrow, &QAbstractButton::clicked, this, &TSpinButton::OnUpClick);
    connect(m_downArrow, &QAbstractButton::clicked, this, &TSpinButton::OnDownClick);
    resize(20, 25);
    FitButtons();
}

TTimerSpeedButton *TSpinButton::createArrow(const QString &glyphName) {
    auto *arrow = new TTimerSpeedButton(this);
    arrow->setBuiltInGlyph(glyphName);
    arrow->setButtonFlags(TTimerSpeedButton::AllowRepeat);
    arrow->installEventFilter(this);
    return arrow;
}

void TSpinButton::setUpGlyph(const QPixmap &glyph) {
    if (glyph.isNull())
        m_upArrow->setBuiltInGlyph(UpGlyphName);
    else
        m_upArrow->setGlyph(glyph);
}

void TSpinButton::setDownGlyph(const QPixmap &glyph) {
    if (glyph.isNull())
        m_downArrow->setBuiltInGlyph(DownGlyphName);
    else
        m_downArrow->setGlyph(glyph);
}

// The lower button starts one pixel above the middle so that the two share a border line.
void TSpinButton::FitButtons() {
    const int upHeight = height() / 2;
    m_upArrow->setGeometry(0, 0, width(), upHeight);
    m_downArrow->setGeometry(0, upHeight - 1, width(), height() - upHeight + 1);
}

void TSpinButton::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    FitButtons();
}

bool TSpinButton::eventFilter(QObject *watched, QEvent *event) {
    const bool press =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (press && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_upArrow || watched == m_downArrow)
            arrowPressed(static_cast<TTimerSpeedButton *>(watched));
    }
    return QWidget::eventFilter(watched, event);
}

void TSpinButton::arrowPressed(TTimerSpeedButton *arrow) {
    FocusButton(arrow);
    // Not a mouse focus reason: the edit was not pressed itself, so it selects its text.
    QWidget *control = m_focusControl;
    if (control && (control->focusPolicy() & Qt::TabFocus) && canTakeFocus(control) &&
        !control->hasFocus())
        control->setFocus(Qt::OtherFocusReason);
    else if (TabStop() && canTakeFocus(this) && !hasFocus())
        setFocus(Qt::OtherFocusReason);
}

void TSpinButton::FocusButton(TTimerSpeedButton *arrow) {
    if (!TabStop() || !canTakeFocus(this) || arrow == m_currentArrow)
        return;
    m_currentArrow->setButtonFlags(m_currentArrow->buttonFlags() & ~TTimerSpeedButton::ShowFocus);
    m_currentArrow = arrow;
    if (hasFocus())
        arrow->setButtonFlags(arrow->buttonFlags() | TTimerSpeedButton::ShowFocus);
}

void TSpinButton::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Up:
        FocusButton(m_upArrow);
        m_upArrow->click();
        break;
    case Qt::Key_Down:
        FocusButton(m_downArrow);
        m_downArrow->click();
        break;
    case Qt::Key_Space:
        m_currentArrow->click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TSpinButton::focusInEvent(QFocusEvent *event) {
    QWidget::focusInEvent(event);
    m_currentArrow->setButtonFlags(m_currentArrow->buttonFlags() | TTimerSpeedButton::ShowFocus);
}

void TSpinButton::focusOutEvent(QFocusEvent *event) {
    QWidget::focusOutEvent(event);
    m_currentArrow->setButtonFlags(m_currentArrow->buttonFlags() & ~TTimerSpeedButton::ShowFocus);
}
