#pragma once

#include <QLibrary>
#include <pipewire/pipewire.h>

// libpipewire, loaded only when a tool first needs the screen in a Wayland session: an X11
// session never needs it, and a library linked to the program is loaded at every start. Only
// the entry points the screen's frames need; the library's inline helpers (the loop's methods,
// the format pods) live in its headers and need none.
struct PipeWireLibrary {
    QLibrary library{QStringLiteral("pipewire-0.3"), 0};
    decltype(&pw_init) init = nullptr;
    decltype(&pw_loop_new) loopNew = nullptr;
    decltype(&pw_loop_destroy) loopDestroy = nullptr;
    decltype(&pw_context_new) contextNew = nullptr;
    decltype(&pw_context_destroy) contextDestroy = nullptr;
    decltype(&pw_context_connect_fd) connectFd = nullptr;
    decltype(&pw_core_disconnect) disconnect = nullptr;
    decltype(&pw_properties_new) propertiesNew = nullptr;
    decltype(&pw_stream_new) streamNew = nullptr;
    decltype(&pw_stream_add_listener) streamAddListener = nullptr;
    decltype(&pw_stream_connect) streamConnect = nullptr;
    decltype(&pw_stream_destroy) streamDestroy = nullptr;
    decltype(&pw_stream_dequeue_buffer) dequeue = nullptr;
    decltype(&pw_stream_queue_buffer) queue = nullptr;

    // Whether the library is there with every entry point; pw_init is called once it is.
    bool load();
};
