#include "forms/ruler/WaylandOutputs.h"

#include <algorithm>
#include <cstring>
#include <wayland-client.h>

namespace {

struct Outputs {
    QList<wl_output *> bound;
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
    if (std::strcmp(interface, wl_output_interface.name) != 0)
        return;
    auto *output = static_cast<wl_output *>(
        wl_registry_bind(registry, name, &wl_output_interface, std::min(version, 2u)));
    wl_output_add_listener(output, &outputListener, data);
    static_cast<Outputs *>(data)->bound << output;
}
void globalRemove(void *, wl_registry *, uint32_t) {}
const wl_registry_listener registryListener = {global, globalRemove};

} // namespace

QList<QSize> waylandOutputModes() {
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return {};
    Outputs outputs;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &outputs);
    // The first round trip announces the outputs, the second brings their modes.
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    for (wl_output *output : std::as_const(outputs.bound))
        wl_output_destroy(output);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return outputs.modes;
}
