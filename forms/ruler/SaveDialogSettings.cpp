#include "forms/ruler/SaveDialogSettings.h"

#include <QStringList>

QString TSaveDialog::nameFilters() const {
    const QStringList parts = Filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") +
                       QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                       QLatin1Char(')');
    return filters.join(QStringLiteral(";;"));
}
