#include "forms/help/HelpKeyword.h"

#include <QVariant>
#include <QWidget>

namespace {
constexpr char keywordProperty[] = "HelpKeyword";
}

void setHelpKeyword(QWidget *widget, const QString &keyword) {
    widget->setProperty(keywordProperty, keyword);
}

QString helpKeywordFor(const QWidget *focus) {
    for (const QWidget *widget = focus; widget; widget = widget->parentWidget()) {
        const QString keyword = widget->property(keywordProperty).toString();
        if (!keyword.isEmpty())
            return keyword;
        if (widget->isWindow())
            break;
    }
    return QString();
}
