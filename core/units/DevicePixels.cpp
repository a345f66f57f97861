#include "core/units/DevicePixels.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

int deviceLength(int logical, double ratio) {
    return qRound(logical * ratio);
}

QSize deviceSize(QSize logical, double ratio) {
    return {deviceLength(logical.width(), ratio), deviceLength(logical.height(), ratio)};
}

int logicalLength(int device, double ratio) {
    return ratio > 0 ? qRound(device / ratio) : device;
}

int steppedLogicalLength(int logical, int deviceStep, double ratio) {
    const int stepped = logicalLength(deviceLength(logical, ratio) + deviceStep, ratio);
    if (deviceStep > 0)
        return std::max(stepped, logical + 1);
    if (deviceStep < 0)
        return std::min(stepped, logical - 1);
    return logical;
}

int devicePixelAt(double logical, double ratio) {
    // Logical coordinates are device coordinates divided by the ratio; multiplying back may
    // land a hair below a whole number.
    constexpr double edge = 1.0 / 1024;
    const double device = std::floor(logical * ratio + edge);
    return int(std::clamp(device, -1e9, 1e9));
}

int rescaledPixel(int device, double fromRatio, double toRatio) {
    if (fromRatio <= 0 || fromRatio == toRatio)
        return device;
    return int(std::nearbyint(std::clamp(device / fromRatio * toRatio, -1e9, 1e9)));
}

int deviceCentre(int centre, int logicalSize, int deviceSize) {
    if (logicalSize <= 0 || logicalSize == deviceSize)
        return centre;
    return int(std::floor((centre + 0.5) * deviceSize / logicalSize));
}

int deviceDotsPerInch(double logicalDpi, double ratio) {
    return qRound(logicalDpi * ratio);
}

QPoint screenDeviceDpi(const QScreen *screen) {
    if (!screen)
        return {96, 96};
    const double ratio = screen->devicePixelRatio();
    return {deviceDotsPerInch(screen->logicalDotsPerInchX(), ratio),
            deviceDotsPerInch(screen->logicalDotsPerInchY(), ratio)};
}

QList<ScreenArea> screenAreas() {
    QList<ScreenArea> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append({screen->geometry(), screen->devicePixelRatio()});
    return areas;
}

namespace {

QPoint scaledFrom(QPoint point, QPoint origin, double factor) {
    const QPointF offset = QPointF(point - origin) * factor;
    return origin + QPoint(qRound(offset.x()), qRound(offset.y()));
}

} // namespace

QPoint devicePlace(QPoint logical, const ScreenArea &screen) {
    return scaledFrom(logical, screen.logical.topLeft(), screen.ratio);
}

QPoint logicalPlace(QPoint device, const QList<ScreenArea> &screens) {
    if (screens.isEmpty())
        return device;
    const auto holder = std::find_if(screens.begin(), screens.end(), [device](const ScreenArea &s) {
        return s.device().contains(device);
    });
    const ScreenArea &screen = holder == screens.end() ? screens.first() : *holder;
    return screen.ratio > 0 ? scaledFrom(device, screen.logical.topLeft(), 1 / screen.ratio)
                            : device;
}

QRect deviceDesktop(const QList<ScreenArea> &screens) {
    QRect desktop;
    for (const ScreenArea &screen : screens)
        desktop |= screen.device();
    return desktop;
}
