#include "forms/screencast/PipeWireLibrary.h"

#include "forms/LibraryEntry.h"

bool PipeWireLibrary::load() {
    if (init)
        return true;
    const auto entry = [this](auto &function, const char *name) {
        return resolveEntry(library, function, name);
    };
    const bool whole =
        entry(init, "pw_init") && entry(loopNew, "pw_loop_new") &&
        entry(loopDestroy, "pw_loop_destroy") && entry(contextNew, "pw_context_new") &&
        entry(contextDestroy, "pw_context_destroy") && entry(connectFd, "pw_context_connect_fd") &&
        entry(disconnect, "pw_core_disconnect") && entry(propertiesNew, "pw_properties_new") &&
        entry(streamNew, "pw_stream_new") && entry(streamAddListener, "pw_stream_add_listener") &&
        entry(streamConnect, "pw_stream_connect") && entry(streamDestroy, "pw_stream_destroy") &&
        entry(dequeue, "pw_stream_dequeue_buffer") && entry(queue, "pw_stream_queue_buffer");
    if (!whole) {
        init = nullptr;
        return false;
    }
    init(nullptr, nullptr);
    return true;
}
