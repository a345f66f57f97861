// A PipeWire video source that streams a picture of known pixels, for the end-to-end check of
// reading the screen through the desktop portal: a monitor of WIDTH x HEIGHT, white, with a
// black box at columns LEFT+100 to LEFT+109, a one-pixel grey line at LEFT+200 and a blue box
// at LEFT+250 to LEFT+299, as screen_boxes draws them. With no session manager in the test's
// PipeWire, it links itself to every video input stream that appears, as one would.
//   pipewire_boxes WIDTH HEIGHT LEFT...
// Prints "node ID" once its node is known.

#include <pipewire/pipewire.h>
#include <spa/param/video/format-utils.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

namespace {

struct Source {
    pw_main_loop *loop = nullptr;
    pw_core *core = nullptr;
    pw_registry *registry = nullptr;
    pw_stream *stream = nullptr;
    spa_hook streamListener{}, registryListener{};
    int width = 0, height = 0;
    std::vector<int> lefts;
    std::vector<uint32_t> picture;
    uint32_t ownPort = SPA_ID_INVALID;
    std::set<uint32_t> videoInputs;   // nodes of video input streams
    std::vector<uint32_t> inputPorts; // their ports, waiting for a link
    std::vector<pw_proxy *> links;
    bool told = false;
};

uint32_t pixelAt(const Source &source, int x) {
    for (const int left : source.lefts) {
        const int column = x - left;
        if (column >= 100 && column < 110)
            return 0xff000000;
        if (column == 200)
            return 0xffd8d8d8;
        if (column >= 250 && column < 300)
            return 0xff2050a0;
    }
    return 0xffffffff;
}

void link(Source &source) {
    if (source.ownPort == SPA_ID_INVALID)
        return;
    for (const uint32_t port : source.inputPorts) {
        char output[16], input[16];
        std::snprintf(output, sizeof output, "%u", source.ownPort);
        std::snprintf(input, sizeof input, "%u", port);
        const spa_dict_item items[] = {{PW_KEY_LINK_OUTPUT_PORT, output},
                                       {PW_KEY_LINK_INPUT_PORT, input},
                                       {PW_KEY_OBJECT_LINGER, "false"}};
        const spa_dict props = SPA_DICT_INIT_ARRAY(items);
        source.links.push_back(static_cast<pw_proxy *>(pw_core_create_object(
            source.core, "link-factory", PW_TYPE_INTERFACE_Link, PW_VERSION_LINK, &props, 0)));
    }
    source.inputPorts.clear();
}

void global(void *data, uint32_t id, uint32_t, const char *type, uint32_t, const spa_dict *props) {
    auto &source = *static_cast<Source *>(data);
    if (!props)
        return;
    if (std::strcmp(type, PW_TYPE_INTERFACE_Node) == 0) {
        const char *mediaClass = spa_dict_lookup(props, PW_KEY_MEDIA_CLASS);
        if (mediaClass && std::strcmp(mediaClass, "Stream/Input/Video") == 0)
            source.videoInputs.insert(id);
        return;
    }
    if (std::strcmp(type, PW_TYPE_INTERFACE_Port) != 0)
        return;
    const char *node = spa_dict_lookup(props, PW_KEY_NODE_ID);
    const char *direction = spa_dict_lookup(props, PW_KEY_PORT_DIRECTION);
    if (!node || !direction)
        return;
    const uint32_t nodeId = uint32_t(std::atoi(node));
    if (nodeId == pw_stream_get_node_id(source.stream) && std::strcmp(direction, "out") == 0)
        source.ownPort = id;
    else if (source.videoInputs.count(nodeId) && std::strcmp(direction, "in") == 0)
        source.inputPorts.push_back(id);
    link(source);
}

void stateChanged(void *data, pw_stream_state, pw_stream_state state, const char *) {
    auto &source = *static_cast<Source *>(data);
    if (state >= PW_STREAM_STATE_PAUSED && !source.told) {
        source.told = true;
        std::printf("node %u\n", pw_stream_get_node_id(source.stream));
        std::fflush(stdout);
    }
}

void process(void *data) {
    auto &source = *static_cast<Source *>(data);
    pw_buffer *buffer = pw_stream_dequeue_buffer(source.stream);
    if (!buffer)
        return;
    spa_data &plane = buffer->buffer->datas[0];
    const size_t stride = size_t(source.width) * 4;
    if (plane.data && plane.maxsize >= stride * source.height) {
        for (int y = 0; y < source.height; ++y)
            std::memcpy(static_cast<uint8_t *>(plane.data) + y * stride,
                        source.picture.data() + y * source.width, stride);
        plane.chunk->offset = 0;
        plane.chunk->stride = int32_t(stride);
        plane.chunk->size = uint32_t(stride * source.height);
    }
    pw_stream_queue_buffer(source.stream, buffer);
}

void tick(void *data, uint64_t) {
    pw_stream_trigger_process(static_cast<Source *>(data)->stream);
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 4)
        return 2;
    pw_init(&argc, &argv);
    Source source;
    source.width = std::atoi(argv[1]);
    source.height = std::atoi(argv[2]);
    for (int given = 3; given < argc; ++given)
        source.lefts.push_back(std::atoi(argv[given]));
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x)
            source.picture.push_back(pixelAt(source, x));
    source.loop = pw_main_loop_new(nullptr);
    pw_context *context = pw_context_new(pw_main_loop_get_loop(source.loop), nullptr, 0);
    source.core = pw_context_connect(context, nullptr, 0);
    if (!source.core) {
        std::fprintf(stderr, "no PipeWire to connect to\n");
        return 1;
    }
    static const pw_registry_events registryEvents = {PW_VERSION_REGISTRY_EVENTS, global, nullptr};
    source.registry = pw_core_get_registry(source.core, PW_VERSION_REGISTRY, 0);
    pw_registry_add_listener(source.registry, &source.registryListener, &registryEvents, &source);

    static const pw_stream_events streamEvents = [] {
        pw_stream_events events{};
        events.version = PW_VERSION_STREAM_EVENTS;
        events.state_changed = stateChanged;
        events.process = process;
        return events;
    }();
    source.stream = pw_stream_new(
        source.core, "screen boxes",
        pw_properties_new(PW_KEY_MEDIA_CLASS, "Video/Source", PW_KEY_MEDIA_TYPE, "Video", nullptr));
    pw_stream_add_listener(source.stream, &source.streamListener, &streamEvents, &source);
    uint8_t podSpace[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(podSpace, sizeof podSpace);
    spa_rectangle size{uint32_t(source.width), uint32_t(source.height)};
    spa_fraction rate{30, 1};
    const spa_pod *params[2];
    params[0] = static_cast<const spa_pod *>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
        SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
        SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
        SPA_POD_Id(SPA_VIDEO_FORMAT_BGRx), SPA_FORMAT_VIDEO_size, SPA_POD_Rectangle(&size),
        SPA_FORMAT_VIDEO_framerate, SPA_POD_Fraction(&rate)));
    params[1] = static_cast<const spa_pod *>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_buffers,
        SPA_POD_CHOICE_RANGE_Int(4, 2, 8), SPA_PARAM_BUFFERS_blocks, SPA_POD_Int(1),
        SPA_PARAM_BUFFERS_size, SPA_POD_Int(source.width * source.height * 4),
        SPA_PARAM_BUFFERS_stride, SPA_POD_Int(source.width * 4), SPA_PARAM_BUFFERS_dataType,
        SPA_POD_CHOICE_FLAGS_Int((1 << SPA_DATA_MemFd) | (1 << SPA_DATA_MemPtr))));
    pw_stream_connect(source.stream, PW_DIRECTION_OUTPUT, PW_ID_ANY,
                      pw_stream_flags(PW_STREAM_FLAG_DRIVER | PW_STREAM_FLAG_MAP_BUFFERS), params,
                      2);
    // About thirty frames a second.
    spa_source *timer = pw_loop_add_timer(pw_main_loop_get_loop(source.loop), tick, &source);
    timespec interval{0, 33 * 1000 * 1000};
    pw_loop_update_timer(pw_main_loop_get_loop(source.loop), timer, &interval, &interval, false);
    pw_main_loop_run(source.loop);
    return 0;
}
