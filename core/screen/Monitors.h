#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <optional>

// What the desktop tells of one monitor.
struct MonitorInfo {
    QString identity;  // the key of what is stored for it; see monitorIdentity
    QString name;      // as the user is shown it
    QRect area;        // where it lies, in the coordinates windows are placed in
    QSize pixels;      // its device pixels
    QSizeF physicalMm; // the size it reports, empty when it reports none
    QPoint systemDpi;  // device pixels per inch by the system's setting
};

// A monitor is known by its maker, model and serial number where the display reports them, so
// its values follow it to another port; else by its output name. Characters that would break a
// section name of the settings file are left out.
QString monitorIdentity(const QString &maker, const QString &model, const QString &serial,
                        const QString &outputName);

// Device pixels per inch from the size a monitor reports, when that size is believable for its
// pixels: displays report nothing, sizes in centimetres, or just their aspect ratio, and each of
// these gives a density no screen has or one that differs between the two directions.
std::optional<QPoint> plausibleDensity(QSizeF physicalMm, QSize pixels);
// Densities outside this range come from no real screen (projectors and televisions report
// nonsense sizes too, but those fall outside it as well).
constexpr int leastPlausibleDpi = 50;
constexpr int mostPlausibleDpi = 600;
// Pixels are square to within this: a wider difference means a wrong size.
constexpr double plausibleSquareness = 1.15;

enum class ResolutionSource { Calibrated, Reported, System };
struct MonitorResolution {
    QPoint dpi;
    ResolutionSource source = ResolutionSource::System;
    bool operator==(const MonitorResolution &) const = default;
};

// A monitor's resolution: the user's own values when it has them (a calibration, or values
// typed in the settings), else the density its size gives, else the system's setting.
MonitorResolution monitorResolution(const MonitorInfo &monitor, std::optional<QPoint> own);

// Which of the monitors the bar measures on: the one under its zero end, so that a bar spanning
// several monitors measures from its zero on the monitor where that zero is. When the zero end
// is on no monitor, the one holding the bar's centre, else the one it overlaps most, else the
// first. -1 without monitors.
int monitorUnderBar(const QList<QRect> &monitors, const QRect &bar, bool horizontal, bool obracene);
// The same monitor itself, if there are any.
std::optional<MonitorInfo> monitorOfBar(const QList<MonitorInfo> &monitors, const QRect &bar,
                                        bool horizontal, bool obracene);

// The monitors of the desktop as Qt reports them.
QList<MonitorInfo> desktopMonitors();
