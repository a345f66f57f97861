#pragma once

#include <QObject>

class QPoint;
class QWidget;

// Tooltips carry hints from language files and symbols from the settings file, and QToolTip
// guesses whether a text is HTML: an <img> tag in a hint would be loaded from wherever it
// points. Installed on the application, this filter shows every widget's tooltip as plain text,
// cut to the length of any shown text.
class PlainToolTips : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Shows text at globalPos as a tooltip of widget, as plain text cut to the length of any shown
// text. For tooltips that are no widget's own, such as those of a list's rows.
void showPlainToolTip(const QPoint &globalPos, const QString &text, QWidget *widget);
