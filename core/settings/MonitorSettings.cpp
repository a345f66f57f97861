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
    return s.ownResolutions.value(s.monitor.identity);
}

// As readInteger reads it: the first entry of the key counts, a value that is no number is 0.
int entryInteger(const IniSection &section, const QString &key) {
    for (const auto &[name, text] : section.entries) {
        if (name.compare(key, Qt::CaseInsensitive) != 0)
            continue;
        bool ok = false;
        const int value = parseIniInteger(text, &ok);
        return ok ? value : 0;
    }
    return 0;
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
    s.monitor = monitor;
    s.ownResolutions.seen(monitor.identity);
    showResolution(s, currentResolution(s).dpi);
}

MonitorResolution currentResolution(const RulerState &s) {
    if (s.monitor.identity.isEmpty())
        return {QPoint(s.RozliseniX, s.RozliseniY), ResolutionSource::Calibrated};
    return monitorResolution(s.monitor, ownResolution(s));
}

void setMonitorResolution(RulerState &s, QPoint dpi) {
    if (!s.monitor.identity.isEmpty())
        s.ownResolutions.insert(s.monitor.identity, dpi);
    showResolution(s, dpi);
}

void chooseMonitorResolution(RulerState &s, QPoint chosen) {
    if (chosen == QPoint(s.RozliseniX, s.RozliseniY))
        return;
    if (!s.monitor.identity.isEmpty() && chosen == monitorResolution(s.monitor, {}).dpi) {
        s.ownResolutions.remove(s.monitor.identity);
        showResolution(s, chosen);
        return;
    }
    setMonitorResolution(s, chosen);
}

void readMonitorResolutions(const IniFile &ini, RulerState &s) {
    s.ownResolutions.clear();
    // The writer puts the monitor seen last at the end.
    for (const IniSection &section : ini.sectionsStartingWith(sectionPrefix)) {
        const QPoint dpi(entryInteger(section, keyX), entryInteger(section, keyY));
        if (dpi.x() > 0 && dpi.y() > 0)
            s.ownResolutions.insert(section.name.mid(sectionPrefix.size()), dpi);
    }
    s.measuringCopiesMonitor = ini.keyExists(measuringSection, monitorKey);
}

void startOnMonitor(RulerState &s, const MonitorInfo &monitor) {
    const QPoint stored(s.RozliseniX, s.RozliseniY);
    if (!s.measuringCopiesMonitor && stored != monitor.systemDpi && !monitor.identity.isEmpty() &&
        !s.ownResolutions.contains(monitor.identity))
        s.ownResolutions.insert(monitor.identity, stored);
    useMonitor(s, monitor);
}

void writeMonitorResolutions(IniFile &ini, const RulerState &s) {
    QList<IniSection> sections;
    for (const auto &[identity, dpi] : s.ownResolutions.entries())
        sections.append({monitorSection(identity),
                         {{keyX, QString::number(dpi.x())}, {keyY, QString::number(dpi.y())}}});
    ini.replaceSectionsStartingWith(sectionPrefix, sections);
    if (s.monitor.identity.isEmpty())
        return;
    if (ini.keyExists(measuringSection, monitorKey) ||
        QPoint(s.RozliseniX, s.RozliseniY) != s.monitor.systemDpi)
        ini.writeString(measuringSection, monitorKey, s.monitor.identity);
}

int fitMonitorsIntoFile(IniFile &ini, RulerState &s, qint64 maxBytes) {
    const QStringList dropped = ini.dropSectionsToFit(sectionPrefix, maxBytes);
    for (const QString &section : dropped)
        s.ownResolutions.remove(section.mid(sectionPrefix.size()));
    return int(dropped.size());
}
