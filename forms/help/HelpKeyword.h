#pragma once

#include <QString>

class QWidget;

// Each form names its help page by a keyword; a control may name a page of its own. F1 asks
// for the keyword of the focused control, else of its nearest parent that has one, up to the
// form.
void setHelpKeyword(QWidget *widget, const QString &keyword);
QString helpKeywordFor(const QWidget *focus);
