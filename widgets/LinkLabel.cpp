#include "widgets/LinkLabel.h"

#include "widgets/AccessibleControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

LinkLabel::LinkLabel(QWidget *parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAccessibleRole(this, QAccessible::Link);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    setPalette(blue);
}

namespace {
constexpr int leastShownCharacters = 12;
} // namespace

void LinkLabel::setLink(const QString &address) {
    setText(address);
    // Screen readers announce a link by its address.
    setAccessibleName(address);
    offerWholeAddress();
}

QSize LinkLabel::minimumSizeHint() const {
    QSize least = QLabel::minimumSizeHint();
    const QMargins margins = contentsMargins();
    least.setWidth(std::min(least.width(), fontMetrics().averageCharWidth() * leastShownCharacters +
                                               margins.left() + margins.right()));
    return least;
}

QString LinkLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void LinkLabel::offerWholeAddress() {
    setToolTip(shownText() == text() ? QString() : text());
}

void LinkLabel::resizeEvent(QResizeEvent *event) {
    QLabel::resizeEvent(event);
    offerWholeAddress();
}

void LinkLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                          shownText(), foregroundRole());
}

void LinkLabel::mousePressEvent(QMouseEvent *event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event) {
    // A press that is dragged off the link and released elsewhere is no click.
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit activated();
}

void LinkLabel::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit activated();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}
