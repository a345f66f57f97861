#pragma once

#include <QAccessible>

class QWidget;

// Lets assistive technology (screen readers, UI test tools) see a picture or a label that acts
// as a control for what it is. The widget is announced with the given role; its name is its
// accessible name or, when that is empty, its tool tip, so image buttons are named by their
// translated hint. A push button can be pressed through the accessibility bus like by a click.
void setAccessibleRole(QWidget *widget, QAccessible::Role role);
