#include "forms/ruler/ScreenPixels.h"

#include "core/units/DevicePixels.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <cmath>

#ifdef TAVLINKO_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace {

// The screen that shows a device pixel, and its area.
const QScreen *screenOf(QPoint device, ScreenArea *area) {
    for (const QScreen *screen : QGuiApplication::screens()) {
        const ScreenArea candidate{screen->geometry(), screen->devicePixelRatio()};
        if (candidate.device().contains(device)) {
            *area = candidate;
            return screen;
        }
    }
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (primary)
        *area = ScreenArea{primary->geometry(), primary->devicePixelRatio()};
    return primary;
}

} // namespace

bool screenCanBeRead(QString *whyNot) {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        if (whyNot)
            *whyNot = QStringLiteral("Obrazovku nelze v relaci Wayland číst.");
        return false;
    }
    return true;
}

QImage readScreen(const QRect &area) {
    ScreenArea where;
    QScreen *screen = const_cast<QScreen *>(screenOf(area.topLeft(), &where));
    if (!screen || area.isEmpty() || !screenCanBeRead())
        return {};
    // Qt takes the rectangle in logical pixels and multiplies it by the ratio, so at 1.5 an
    // odd device pixel has no logical name: a rectangle that surely covers the wanted one is
    // read, and the wanted pixels are cut out of it.
    const double ratio = where.ratio;
    const int left = int(std::floor(area.left() / ratio));
    const int top = int(std::floor(area.top() / ratio));
    const int right = int(std::ceil((area.right() + 1) / ratio)) + 1;
    const int bottom = int(std::ceil((area.bottom() + 1) / ratio)) + 1;
    const QImage read = screen->grabWindow(0, left, top, right - left, bottom - top).toImage();
    if (read.isNull())
        return {};
    const QPoint origin(qRound(left * ratio), qRound(top * ratio));
    QImage wanted = read.copy(QRect(area.topLeft() - origin, area.size()))
                        .convertToFormat(QImage::Format_RGB32);
    wanted.setDevicePixelRatio(1);
    return wanted;
}

QPoint pointerOnScreen(const QWidget &window) {
    Q_UNUSED(window); // asked only on X11
#ifdef TAVLINKO_HAVE_XCB
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        x11 && x11->connection() && window.windowHandle()) {
        xcb_connection_t *connection = x11->connection();
        xcb_query_pointer_reply_t *reply = xcb_query_pointer_reply(
            connection, xcb_query_pointer(connection, xcb_window_t(window.winId())), nullptr);
        if (reply) {
            const QPoint at(reply->root_x, reply->root_y);
            std::free(reply);
            return at;
        }
    }
#endif
    const QPoint logical = QCursor::pos();
    for (const QScreen *screen : QGuiApplication::screens())
        if (screen->geometry().contains(logical))
            return devicePlace(logical, ScreenArea{screen->geometry(), screen->devicePixelRatio()});
    return logical;
}
