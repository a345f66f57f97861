#include "forms/ruler/UnitMenuItem.h"

#include "core/drawing/UnitMenuDrawing.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int rightPadding = 8;

class UnitMenuItemWidget : public QWidget {
public:
    UnitMenuItemWidget(UnitMenuItem *item, QWidget *parent) : QWidget(parent), m_item(item) {
        setMouseTracking(true);
        connect(item, &QAction::changed, this, &UnitMenuItemWidget::follow);
        follow();
    }

    // Some styles draw the menu's frame over its items' edges; a little room on the right keeps
    // the last letters of the longest name clear of it.
    QSize sizeHint() const override {
        return unitMenuItemSize(m_item->text(), font()) + QSize(rightPadding, 0);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        drawUnitMenuItem(painter, rect(), m_item->text(), m_item->toolTip(), selected());
    }
    void enterEvent(QEnterEvent *) override { update(); }
    void leaveEvent(QEvent *) override { update(); }
    void mouseReleaseEvent(QMouseEvent *event) override {
        if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
            return;
        if (auto *menu = qobject_cast<QMenu *>(parentWidget()))
            menu->close();
        m_item->trigger();
    }

private:
    // A name cut short shows whole when pointed at.
    void follow() {
        setToolTip(unitMenuNameCut(m_item->text(), font()) ? m_item->text() : QString());
        updateGeometry();
        update();
    }

    // Highlighted while the mouse is over it or the keyboard has moved onto it.
    bool selected() const {
        auto *menu = qobject_cast<QMenu *>(parentWidget());
        return underMouse() || (menu && menu->activeAction() == m_item);
    }

    UnitMenuItem *m_item;
};

} // namespace

UnitMenuItem::UnitMenuItem(QObject *parent) : QWidgetAction(parent) {}

QWidget *UnitMenuItem::createWidget(QWidget *parent) {
    return new UnitMenuItemWidget(this, parent);
}
