#include "forms/ruler/WaylandOutputs.h"

#include "forms/LibraryEntry.h"

#include <QLibrary>
#include <algorithm>
#include <cstring>
#include <wayland-client-protocol.h>

namespace {

// libwayland-client, loaded only when the compositor is asked: an X11 session never needs it,
// and a library linked to the program is loaded at every start. The protocol's inline helpers
// (wl_registry_bind and the like) are spelled out here on the library's own entry points.
struct WaylandClient {
    QLibrary library{QStringLiteral("wayland-client"), 0};
    decltype(&wl_display_connect) connect = nullptr;
    decltype(&wl_display_disconnect) disconnect = nullptr;
    decltype(&wl_display_roundtrip) roundtrip = nullptr;
    decltype(&wl_proxy_marshal_flags) marshal = nullptr;
    decltype(&wl_proxy_add_listener) addListener = nullptr;
    decltype(&wl_proxy_destroy) destroy = nullptr;
    decltype(&wl_proxy_get_version) version = nullptr;
    const wl_interface *registryInterface = nullptr;
    const wl_interface *outputInterface = nullptr;

    bool load() {
        const auto entry = [this](auto &function, const char *name) {
            return resolveEntry(library, function, name);
        };
        registryInterface =
            reinterpret_cast<const wl_interface *>(library.resolve("wl_registry_interface"));
        outputInterface =
            reinterpret_cast<const wl_interface *>(library.resolve("wl_output_interface"));
        return entry(connect, "wl_display_connect") && entry(disconnect, "wl_display_disconnect") &&
               entry(roundtrip, "wl_display_roundtrip") &&
               entry(marshal, "wl_proxy_marshal_flags") &&
               entry(addListener, "wl_proxy_add_listener") && entry(destroy, "wl_proxy_destroy") &&
               entry(version, "wl_proxy_get_version") && registryInterface && outputInterface;
    }
};

struct Outputs {
    WaylandClient *client = nullptr;
    QList<wl_proxy *> bound;
    QList<QSize> modes;
};

void outputMode(void *data, wl_output *, uint32_t flags, int32_t width, int32_t height, int32_t) {
    if (flags & WL_OUTPUT_MODE_CURRENT)
        static_cast<Outputs *>(data)->modes << QSize(width, height);
}
void outputGeometry(void *, wl_output *, int32_t, int32_t, int32_t, int32_t, int32_t, const char *,
                    const char *, int32_t) {}
void outputDone(void *, wl_output *) {}
void outputScale(void *, wl_output *, int32_t) {}
// Bound at version 2, so the later events (name, description) never come.
const wl_output_listener outputListener = {outputGeometry, outputMode, outputDone,
                                           outputScale,    nullptr,    nullptr};

void global(void *data, wl_registry *registry, uint32_t name, const char *interface,
            uint32_t version) {
    auto *outputs = static_cast<Outputs *>(data);
    const WaylandClient &client = *outputs->client;
    if (std::strcmp(interface, client.outputInterface->name) != 0)
        return;
    const uint32_t bound = std::min(version, 2u);
    wl_proxy *output = client.marshal(reinterpret_cast<wl_proxy *>(registry), WL_REGISTRY_BIND,
                                      client.outputInterface, bound, 0, name,
                                      client.outputInterface->name, bound, nullptr);
    if (!output)
        return;
    client.addListener(
        output,
        reinterpret_cast<void (**)(void)>(const_cast<wl_output_listener *>(&outputListener)), data);
    outputs->bound << output;
}
void globalRemove(void *, wl_registry *, uint32_t) {}
const wl_registry_listener registryListener = {global, globalRemove};

} // namespace

QList<QSize> waylandOutputModes() {
    WaylandClient client;
    if (!client.load())
        return {};
    wl_display *display = client.connect(nullptr);
    if (!display)
        return {};
    Outputs outputs;
    outputs.client = &client;
    auto *displayProxy = reinterpret_cast<wl_proxy *>(display);
    wl_proxy *registry =
        client.marshal(displayProxy, WL_DISPLAY_GET_REGISTRY, client.registryInterface,
                       client.version(displayProxy), 0, nullptr);
    if (registry) {
        client.addListener(registry,
                           reinterpret_cast<void (**)(void)>(
                               const_cast<wl_registry_listener *>(&registryListener)),
                           &outputs);
        // The first round trip announces the outputs, the second brings their modes.
        client.roundtrip(display);
        client.roundtrip(display);
        for (wl_proxy *output : std::as_const(outputs.bound))
            client.destroy(output);
        client.destroy(registry);
    }
    client.disconnect(display);
    return outputs.modes;
}
