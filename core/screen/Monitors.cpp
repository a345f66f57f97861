#include "core/screen/Monitors.h"

#include "core/units/DevicePixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <cmath>

namespace {

constexpr double mmPerInch = 25.4;

// Brackets end a section name, "=" and ";" would read as a key or a comment; control
// characters would end the line.
QString sectionSafe(const QString &text) {
    QString safe;
    for (const QChar c : text)
        if (c.isPrint() && c != u'[' && c != u']' && c != u'=' && c != u';')
            safe += c;
    return safe.simplified();
}

// Platforms without real monitors make a size up (Qt's offscreen platform gives every screen
// 100 dots per inch); a density from it would be a guess no better than the system's.
bool reportsRealSize() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

QString monitorIdentity(const QString &maker, const QString &model, const QString &serial,
                        const QString &outputName) {
    QStringList parts;
    for (const QString &part : {maker, model, serial})
        if (const QString safe = sectionSafe(part); !safe.isEmpty())
            parts << safe;
    return parts.isEmpty() ? sectionSafe(outputName) : parts.join(u' ');
}

std::optional<QPoint> plausibleDensity(QSizeF physicalMm, QSize pixels) {
    if (!(physicalMm.width() > 0 && physicalMm.height() > 0) || pixels.isEmpty())
        return std::nullopt;
    const double x = pixels.width() * mmPerInch / physicalMm.width();
    const double y = pixels.height() * mmPerInch / physicalMm.height();
    // A hair of tolerance, so that a density exactly at a limit counts as within it.
    constexpr double tolerance = 1e-9;
    const auto plausible = [](double dpi) {
        return dpi >= leastPlausibleDpi * (1 - tolerance) &&
               dpi <= mostPlausibleDpi * (1 + tolerance);
    };
    if (!plausible(x) || !plausible(y) ||
        std::max(x, y) / std::min(x, y) > plausibleSquareness + tolerance)
        return std::nullopt;
    return QPoint(int(std::lround(x)), int(std::lround(y)));
}

MonitorResolution monitorResolution(const MonitorInfo &monitor, std::optional<QPoint> own) {
    if (own)
        return {*own, ResolutionSource::Calibrated};
    if (const auto reported = plausibleDensity(monitor.physicalMm, monitor.pixels))
        return {*reported, ResolutionSource::Reported};
    return {monitor.systemDpi, ResolutionSource::System};
}

int monitorUnderBar(const QList<QRect> &monitors, const QRect &bar, bool horizontal,
                    bool obracene) {
    if (monitors.isEmpty())
        return -1;
    const QPoint centre = bar.center();
    // The first pixel of the scale at its zero end, across the middle of the bar.
    const QPoint zero = horizontal ? QPoint(obracene ? bar.right() : bar.left(), centre.y())
                                   : QPoint(centre.x(), obracene ? bar.bottom() : bar.top());
    for (const QPoint &point : {zero, centre})
        for (int i = 0; i < monitors.size(); ++i)
            if (monitors[i].contains(point))
                return i;
    int best = 0;
    qint64 bestArea = 0;
    for (int i = 0; i < monitors.size(); ++i) {
        const QRect common = monitors[i] & bar;
        const qint64 area = qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

std::optional<MonitorInfo> monitorOfBar(const QList<MonitorInfo> &monitors, const QRect &bar,
                                        bool horizontal, bool obracene) {
    QList<QRect> areas;
    for (const MonitorInfo &monitor : monitors)
        areas << monitor.area;
    const int under = monitorUnderBar(areas, bar, horizontal, obracene);
    if (under < 0)
        return std::nullopt;
    return monitors[under];
}

QList<MonitorInfo> desktopMonitors() {
    QList<MonitorInfo> monitors;
    const bool realSize = reportsRealSize();
    for (const QScreen *screen : QGuiApplication::screens()) {
        MonitorInfo monitor;
        monitor.identity = monitorIdentity(screen->manufacturer(), screen->model(),
                                           screen->serialNumber(), screen->name());
        monitor.name = screen->model().isEmpty()
                           ? screen->name()
                           : (screen->manufacturer() + u' ' + screen->model()).trimmed();
        monitor.area = screen->geometry();
        monitor.pixels = deviceSize(screen->geometry().size(), screen->devicePixelRatio());
        if (realSize)
            monitor.physicalMm = screen->physicalSize();
        monitor.systemDpi = screenDeviceDpi(screen);
        monitors << monitor;
    }
    return monitors;
}
