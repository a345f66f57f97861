#include "core/settings/MonitorSettings.h"

#include "core/settings/IniFile.h"
#include "core/settings/RulerState.h"

#include <optional>

namespace {

const QString sectionPrefix = QStringLiteral("Monitor ");
const QString measuringSection = QStringLiteral("Mereni");
const QString monitorKey = QStringLiteral("Monitor");
const QString keyX = QStringLiteral("Rozliseni X");
const QString keyY = QStringLiteral("Rozliseni Y");

std::optional<QPoint> ownResolution(const RulerState &s) {
    const auto own = s.RozliseniMonitoru.constFind(s.Monitor.identity);
    return own == s.RozliseniMonitoru.constEnd() ? std::nullopt : std::optional(*own);
}

void showResolution(RulerState &s, QPoint dpi) {
    s.RozliseniX = dpi.x();
    s.RozliseniY = dpi.y();
}

} // namespace

QString monitorSection(const QString &identity) {
    return sectionPrefix + identity;
}

void useMonitor(RulerState &s, const MonitorInfo &monitor) {
    s.Monitor = monitor;
    showResolution(s, currentResolution(s).dpi);
}

MonitorResolution currentResolution(const RulerState &s) {
    if (s.Monitor.identity.isEmpty())
        return {QPoint(s.RozliseniX, s.RozliseniY), ResolutionSource::Calibrated};
    return monitorResolution(s.Monitor, ownResolution(s));
}

void setMonitorResolution(RulerState &s, QPoint dpi) {
    if (!s.Monitor.identity.isEmpty())
        s.RozliseniMonitoru.insert(s.Monitor.identity, dpi);
    showResolution(s, dpi);
}

void chooseMonitorResolution(RulerState &s, QPoint chosen) {
    if (chosen == QPoint(s.RozliseniX, s.RozliseniY))
        return;
    if (!s.Monitor.identity.isEmpty() && chosen == monitorResolution(s.Monitor, {}).dpi) {
        s.RozliseniMonitoru.remove(s.Monitor.identity);
        showResolution(s, chosen);
        return;
    }
    setMonitorResolution(s, chosen);
}

void readMonitorResolutions(const IniFile &ini, RulerState &s) {
    s.RozliseniMonitoru.clear();
    for (const QString &section : ini.sections()) {
        if (!section.startsWith(sectionPrefix, Qt::CaseInsensitive))
            continue;
        const QPoint dpi(ini.readInteger(section, keyX, 0), ini.readInteger(section, keyY, 0));
        if (dpi.x() > 0 && dpi.y() > 0)
            s.RozliseniMonitoru.insert(section.mid(sectionPrefix.size()), dpi);
    }
    s.MereniZnaMonitor = ini.keyExists(measuringSection, monitorKey);
}

void startOnMonitor(RulerState &s, const MonitorInfo &monitor) {
    const QPoint stored(s.RozliseniX, s.RozliseniY);
    if (!s.MereniZnaMonitor && stored != monitor.systemDpi && !monitor.identity.isEmpty() &&
        !s.RozliseniMonitoru.contains(monitor.identity))
        s.RozliseniMonitoru.insert(monitor.identity, stored);
    useMonitor(s, monitor);
}

void writeMonitorResolutions(IniFile &ini, const RulerState &s) {
    for (const QString &section : ini.sections())
        if (section.startsWith(sectionPrefix, Qt::CaseInsensitive) &&
            !s.RozliseniMonitoru.contains(section.mid(sectionPrefix.size())))
            ini.eraseSection(section);
    for (auto own = s.RozliseniMonitoru.constBegin(); own != s.RozliseniMonitoru.constEnd();
         ++own) {
        ini.writeInteger(monitorSection(own.key()), keyX, own->x());
        ini.writeInteger(monitorSection(own.key()), keyY, own->y());
    }
    if (s.Monitor.identity.isEmpty())
        return;
    if (ini.keyExists(measuringSection, monitorKey) ||
        QPoint(s.RozliseniX, s.RozliseniY) != s.Monitor.systemDpi)
        ini.writeString(measuringSection, monitorKey, s.Monitor.identity);
}
