#pragma once

#include <QWidgetAction>

// One entry of the unit menu, drawn by the program: the unit's symbol (the action's tool tip)
// in a strip on the left, its name (the action's text) beside it.
class UnitMenuItem : public QWidgetAction {
    Q_OBJECT
public:
    explicit UnitMenuItem(QObject *parent);

protected:
    QWidget *createWidget(QWidget *parent) override;
};
