#include "forms/ruler/KeyboardPoint.h"

#include "core/screen/KeyedPoint.h"
#include "core/units/DevicePixels.h"

#include <QCursor>
#include <QGuiApplication>

#ifdef TAVLINKO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace {

// Puts the pointer on a device pixel of the desktop. X11 takes the pixel itself, so that every
// device pixel of a scaled screen is reached; elsewhere Qt's logical coordinates carry it, as
// near as they can.
void putPointerAt(QPoint device) {
#ifdef TAVLINKO_HAVE_XCB
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        x11 && x11->connection()) {
        xcb_connection_t *connection = x11->connection();
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        if (screen) {
            xcb_warp_pointer(connection, XCB_NONE, screen->root, 0, 0, 0, 0, qint16(device.x()),
                             qint16(device.y()));
            xcb_flush(connection);
            return;
        }
    }
#endif
    QCursor::setPos(logicalPlace(device, screenAreas()));
}

} // namespace

KeyboardPoint::KeyboardPoint() : movePointer(putPointerAt) {}

QPoint KeyboardPoint::point() {
    const QPoint now = pointer();
    if (m_keyed && now != m_pointerThen)
        m_keyed.reset();
    return m_keyed.value_or(now);
}

QPoint KeyboardPoint::step(QPoint by) {
    QList<QRect> screens;
    for (const ScreenArea &screen : screenAreas())
        screens << screen.device();
    const QPoint to = steppedOnDesktop(point(), by, screens);
    movePointer(to);
    m_keyed = to;
    m_pointerThen = pointer();
    return to;
}
