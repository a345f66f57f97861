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

#ifdef TAVLINKO_HAVE_XCB
// Whether the X server hands out pixels as this program keeps them: 32 bits each, 8 of red,
// green and blue, in the host's byte order. Every current X server does for a depth of 24.
bool plainPixels(xcb_connection_t *connection, const xcb_screen_t &screen, uint8_t depth) {
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const bool hostLsbFirst = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    if ((setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) != hostLsbFirst)
        return false;
    bool format = false;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        format = format || (it.data->depth == depth && it.data->bits_per_pixel == 32);
    for (auto depths = xcb_screen_allowed_depths_iterator(&screen); depths.rem;
         xcb_depth_next(&depths))
        for (auto visual = xcb_depth_visuals_iterator(depths.data); visual.rem;
             xcb_visualtype_next(&visual))
            if (visual.data->visual_id == screen.root_visual)
                return format && visual.data->red_mask == 0xff0000 &&
                       visual.data->green_mask == 0xff00 && visual.data->blue_mask == 0xff;
    return false;
}

// The root window's pixels, asked of the X server directly, in its own (device) pixels. Pixels
// off the X screen are unread. A server without a picture of its screen (a rootless XWayland)
// answers with an error: a null image, never pixels it does not have.
QImage readX11Root(xcb_connection_t *connection, const QRect &area) {
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    QImage picture(area.size(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    const QRect onScreen =
        area.intersected(QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels));
    if (onScreen.isEmpty())
        return picture;
    xcb_generic_error_t *error = nullptr;
    xcb_get_image_reply_t *reply = xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, int16_t(onScreen.x()),
                      int16_t(onScreen.y()), uint16_t(onScreen.width()),
                      uint16_t(onScreen.height()), ~0u),
        &error);
    std::free(error);
    if (!reply)
        return {};
    const int rowBytes = onScreen.width() * 4;
    const bool whole = xcb_get_image_data_length(reply) >= rowBytes * onScreen.height();
    if (!whole || !plainPixels(connection, *screen, reply->depth)) {
        std::free(reply);
        return {};
    }
    const uint8_t *data = xcb_get_image_data(reply);
    const QPoint at = onScreen.topLeft() - area.topLeft();
    for (int y = 0; y < onScreen.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(data + y * rowBytes);
        auto *to = reinterpret_cast<QRgb *>(picture.scanLine(at.y() + y)) + at.x();
        for (int x = 0; x < onScreen.width(); ++x)
            to[x] = from[x] | 0xff000000u;
    }
    std::free(reply);
    return picture;
}
#endif

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

bool underWaylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qgetenv("XDG_SESSION_TYPE") == "wayland";
}

QString whyScreenReadFailed() {
    if (underWaylandSession())
        return QStringLiteral("Plocha Wayland nedává programům X11 (XWayland) obraz obrazovky.");
    return QStringLiteral("Obraz obrazovky se nepodařilo přečíst.");
}

QImage readScreen(const QRect &area) {
#ifdef TAVLINKO_HAVE_XCB
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        x11 && x11->connection())
        return area.isEmpty() ? QImage() : readX11Root(x11->connection(), area);
#endif
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
