#include "widgets/ElidedRows.h"

#include "widgets/PlainToolTips.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QListView>
#include <QToolTip>

namespace {
// The room a row's text loses to the style's margins on either side.
constexpr int textMargins = 8;
} // namespace

void keepRowsInsideList(QListView *list) {
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideRight);
    list->setWordWrap(false);
}

ElidedRows::ElidedRows(QListView *list) : QStyledItemDelegate(list) {
    keepRowsInsideList(list);
}

bool ElidedRows::cut(const QString &text, const QFont &font, int rowWidth) {
    return QFontMetrics(font).horizontalAdvance(text) + textMargins > rowWidth;
}

// A row asks for no width of its own, so the list lays every row out as wide as itself.
QSize ElidedRows::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const {
    return QSize(0, QStyledItemDelegate::sizeHint(option, index).height());
}

bool ElidedRows::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                           const QStyleOptionViewItem &option, const QModelIndex &index) {
    if (event->type() != QEvent::ToolTip)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    if (cut(text, option.font, option.rect.width()))
        showPlainToolTip(event->globalPos(), text, view);
    else
        QToolTip::hideText();
    return true;
}
