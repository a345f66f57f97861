#pragma once

#include "core/screen/Monitors.h"

#include <QPoint>
#include <QString>

class IniFile;
struct RulerState;

// Each monitor's own resolution lives in a section of its own, "Monitor " + its identity, with
// the keys of [Mereni]. [Mereni] keeps the resolution of the monitor the ruler was on, for the
// programs that read it there.
QString monitorSection(const QString &identity);

// Makes `monitor` the one the ruler measures on (and the one seen last): RozliseniX/Y become
// its resolution.
void useMonitor(RulerState &s, const MonitorInfo &monitor);
// The resolution of the monitor the ruler is on and where it comes from.
MonitorResolution currentResolution(const RulerState &s);
// The user's own values for the monitor the ruler is on (a calibration); without a known
// monitor they only become RozliseniX/Y.
void setMonitorResolution(RulerState &s, QPoint dpi);
// Values confirmed in the settings dialog: the monitor's own automatic values give up what
// the user had set (so "take from the screen" undoes a calibration), other new values become
// its own, unchanged values change nothing.
void chooseMonitorResolution(RulerState &s, QPoint chosen);

// Reads every monitor's section, and whether [Mereni] names its monitor.
void readMonitorResolutions(const IniFile &ini, RulerState &s);
// The ruler starts on `monitor`. A file that knows nothing of monitors may hold a calibration
// in [Mereni] (now in RozliseniX/Y): values there other than the monitor's system setting,
// which every earlier run wrote when nothing else was set, become that monitor's own values,
// unless it has its own already.
void startOnMonitor(RulerState &s, const MonitorInfo &monitor);
// Writes the sections of the monitors with values of their own, the one seen last at the end,
// and drops those of monitors whose values were given up. [Mereni] names its monitor when its
// values are not the system's, so that the next start does not take them for a calibration.
void writeMonitorResolutions(IniFile &ini, const RulerState &s);

// The settings file must stay within what it is read back at: the sections of the monitors
// seen longest ago leave the file, and the state, until it fits. Returns how many went.
int fitMonitorsIntoFile(IniFile &ini, RulerState &s, qint64 maxBytes);
