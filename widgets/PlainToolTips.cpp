#include "widgets/PlainToolTips.h"

#include "core/settings/TextFile.h"

#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

bool PlainToolTips::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    const QString text = widget->toolTip();
    // Without a tooltip of its own the widget passes the event on to its parent.
    if (text.isEmpty())
        return false;
    showPlainToolTip(static_cast<QHelpEvent *>(event)->globalPos(), text, widget);
    return true;
}

void showPlainToolTip(const QPoint &globalPos, const QString &text, QWidget *widget) {
    QToolTip::showText(globalPos,
                       Qt::convertFromPlainText(capShownText(text), Qt::WhiteSpaceNormal), widget,
                       QRect(), widget->toolTipDuration());
}
