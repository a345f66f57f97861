#include "forms/ruler/DesktopPlace.h"

#include "core/units/DevicePixels.h"
#include "core/units/ScreenPlacement.h"
#include "forms/ruler/NativePlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cstdlib>

bool DesktopPlace::platformTellsPlace() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void DesktopPlace::moveTo(QPoint device) {
    m_device = device;
    m_window.move(logicalPlace(device, screenAreas()));
}

QPoint DesktopPlace::qtDevicePlace() const {
    const QScreen *display = m_window.screen();
    return devicePlace(m_window.pos(),
                       {display ? display->geometry() : QRect(), m_window.devicePixelRatio()});
}

void DesktopPlace::follow(QEvent::Type type) {
    if (!platformTellsPlace())
        return;
    const QPoint qtPlace = qtDevicePlace();
    if (type == QEvent::Move) {
        // An axis along which the window has not moved keeps its device pixel: the logical
        // place still names it, and the window stands within one logical pixel of it (on
        // another screen the same logical place lies elsewhere).
        const QPoint named = logicalPlace(m_device, screenAreas());
        const double ratio = m_window.devicePixelRatio();
        const auto moved = [ratio](int exact, int qt, int namedAt, int at) {
            return namedAt != at || std::abs(exact - qt) >= ratio;
        };
        if (moved(m_device.x(), qtPlace.x(), named.x(), m_window.x()))
            m_device.setX(qtPlace.x());
        if (moved(m_device.y(), qtPlace.y(), named.y(), m_window.y()))
            m_device.setY(qtPlace.y());
    }
    // Qt puts the window back at its logical place with every move and resize.
    if (m_device != qtPlace)
        placeAtDevicePixel(m_window, m_device);
}

void DesktopPlace::keepOnScreen() {
    QList<QRect> screens;
    for (const QScreen *display : QGuiApplication::screens())
        screens << display->geometry();
    m_window.move(placeOnScreen(QRect(m_window.pos(), m_window.size()), screens));
}

int DesktopPlace::toDesktopStart(bool horizontal, double ratio) {
    // Every device pixel of every screen, whatever their ratios, in the window's own terms.
    const QList<ScreenArea> screens = screenAreas();
    QRect desktop(m_window.pos(), m_window.size());
    if (!screens.isEmpty()) {
        const QRect device = deviceDesktop(screens);
        desktop = {
            logicalPlace(device.topLeft(), screens),
            QSize(logicalLength(device.width(), ratio), logicalLength(device.height(), ratio))};
    }
    m_window.move(horizontal ? QPoint(desktop.left(), m_window.y())
                             : QPoint(m_window.x(), desktop.top()));
    return horizontal ? desktop.width() : desktop.height();
}
