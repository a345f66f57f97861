#include "forms/settings/MonitorSource.h"

#include "core/settings/MonitorSettings.h"
#include "core/settings/RulerState.h"
#include "core/units/DevicePixels.h"
#include "widgets/AccessibleControl.h"

#include <QLabel>

QLabel *createMonitorLabel(QWidget *page) {
    auto *label = new QLabel(page);
    label->setObjectName(QStringLiteral("labelMonitor"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    setAccessibleRole(label, QAccessible::StaticText);
    return label;
}

void showMonitorSource(QLabel *label, const RulerState &s, const Translate &translate) {
    label->setVisible(!s.monitor.identity.isEmpty());
    if (s.monitor.identity.isEmpty())
        return;
    QString source;
    switch (currentResolution(s).source) {
    case ResolutionSource::Calibrated:
        source = translate(QStringLiteral("kalibrováno nebo zadáno"), {});
        break;
    case ResolutionSource::Reported:
        source = translate(QStringLiteral("podle rozměrů, které monitor hlásí"), {});
        break;
    case ResolutionSource::System:
        source = translate(QStringLiteral("nastavení systému"), {});
        break;
    }
    const QString name = s.monitor.name.isEmpty() ? s.monitor.identity : s.monitor.name;
    label->setText(translate(QStringLiteral("Monitor %s, rozlišení: %s"), {name, source}));
    label->setAccessibleName(label->text());
}

QPoint screenResolution(const RulerState &s, const QScreen *dialogScreen) {
    if (s.monitor.identity.isEmpty())
        return screenDeviceDpi(dialogScreen);
    return monitorResolution(s.monitor, {}).dpi;
}
