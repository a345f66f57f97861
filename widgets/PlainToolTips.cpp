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
    const auto *help = static_cast<QHelpEvent *>(event);
    QToolTip::showText(help->globalPos(),
                       Qt::convertFromPlainText(capShownText(text), Qt::WhiteSpaceNormal), widget,
                       QRect(), widget->toolTipDuration());
    return true;
}
