#include "forms/settings/Translucency.h"

#include <QGuiApplication>

#ifdef TAVLINKO_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace {

#ifdef TAVLINKO_HAVE_XCB
// The X screen the program runs on, from DISPLAY (":0" is screen 0, ":0.1" screen 1).
int x11ScreenNumber() {
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype colon = display.lastIndexOf(':');
    const qsizetype dot = display.indexOf('.', colon + 1);
    bool ok = false;
    const int screen = dot > colon ? display.mid(dot + 1).toInt(&ok) : 0;
    return ok ? screen : 0;
}

// A compositing manager announces itself by owning the selection _NET_WM_CM_S<screen>.
bool x11CompositorRunning() {
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return true; // nothing to ask: do not claim what we cannot know
    xcb_connection_t *connection = x11->connection();
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(x11ScreenNumber());
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, quint16(name.size()), name.constData()),
        nullptr);
    if (!atom)
        return true;
    xcb_get_selection_owner_reply_t *owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool running = owner && owner->owner != XCB_NONE;
    std::free(owner);
    std::free(atom);
    return running;
}
#endif

} // namespace

bool windowsCanBeTranslucent() {
#ifdef TAVLINKO_HAVE_XCB
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return x11CompositorRunning();
#endif
    return true;
}
