#include "forms/ruler/NativePlace.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef TAVLINKO_HAVE_XCB
#include <xcb/xcb.h>
#endif

bool placeAtDevicePixel(QWidget &window, QPoint device) {
#ifdef TAVLINKO_HAVE_XCB
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection() || !window.windowHandle())
        return false;
    xcb_connection_t *connection = x11->connection();
    // X11 takes the place as 32-bit values; negative coordinates travel as their two's
    // complement.
    const quint32 place[] = {quint32(qint32(device.x())), quint32(qint32(device.y()))};
    xcb_configure_window(connection, xcb_window_t(window.winId()),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
    xcb_flush(connection);
    return true;
#else
    Q_UNUSED(window);
    Q_UNUSED(device);
    return false;
#endif
}
