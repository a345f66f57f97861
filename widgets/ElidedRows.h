#pragma once

#include <QStyledItemDelegate>

class QListView;

// Rows of a list that are never wider than the list: a text too long for its row ends in an
// ellipsis, and pointing at the row shows the whole text, as plain text. The list gets no
// horizontal scroll bar, which would only ever show the end of one long row.
class ElidedRows : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ElidedRows(QListView *list);

    // True when `text` does not fit a row of this width in `font` and shows cut.
    static bool cut(const QString &text, const QFont &font, int rowWidth);

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;
};

// Lets a list's rows end in an ellipsis, for lists that draw their rows with their own delegate.
void keepRowsInsideList(QListView *list);
