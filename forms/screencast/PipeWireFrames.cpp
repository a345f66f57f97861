#include "forms/screencast/PipeWireFrames.h"

#include "forms/screencast/FrameInBuffer.h"

#include <QSocketNotifier>
#include <QSysInfo>
#include <QTimer>
#include <spa/param/video/format-utils.h>
#include <unistd.h>

namespace {

// The frame formats whose pixels are 32 bits in a byte order Qt reads as they are.
QImage::Format imageFormat(uint32_t format) {
    const bool little = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    switch (format) {
    case SPA_VIDEO_FORMAT_BGRx:
        return little ? QImage::Format_RGB32 : QImage::Format_Invalid;
    case SPA_VIDEO_FORMAT_BGRA:
        return little ? QImage::Format_ARGB32 : QImage::Format_Invalid;
    case SPA_VIDEO_FORMAT_xRGB:
        return little ? QImage::Format_Invalid : QImage::Format_RGB32;
    case SPA_VIDEO_FORMAT_ARGB:
        return little ? QImage::Format_Invalid : QImage::Format_ARGB32;
    case SPA_VIDEO_FORMAT_RGBx:
        return QImage::Format_RGBX8888;
    case SPA_VIDEO_FORMAT_RGBA:
        return QImage::Format_RGBA8888;
    default:
        return QImage::Format_Invalid;
    }
}

} // namespace

struct PipeWireFrames::Stream {
    PipeWireFrames *owner = nullptr;
    pw_stream *stream = nullptr;
    spa_hook listener{};
    QImage::Format format = QImage::Format_Invalid;
    QSize size;
    pw_buffer *held = nullptr;
    QImage frame;
};

PipeWireFrames::PipeWireFrames(PipeWireLibrary &library, int fd, const QList<quint32> &nodes,
                               QObject *parent)
    : QObject(parent), m_library(library) {
    m_loop = library.loopNew(nullptr);
    if (!m_loop) {
        ::close(fd);
        return;
    }
    pw_loop_enter(m_loop);
    m_context = library.contextNew(m_loop, nullptr, 0);
    m_core = m_context ? library.connectFd(m_context, fd, nullptr, 0) : nullptr;
    if (!m_core) {
        if (!m_context)
            ::close(fd);
        return;
    }
    m_notifier = new QSocketNotifier(pw_loop_get_fd(m_loop), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PipeWireFrames::iterate);

    static const pw_stream_events events = [] {
        pw_stream_events e{};
        e.version = PW_VERSION_STREAM_EVENTS;
        e.state_changed = &stateChanged;
        e.param_changed = &paramChanged;
        e.remove_buffer = &removeBuffer;
        e.process = &process;
        return e;
    }();
    for (const quint32 node : nodes) {
        auto stream = std::make_unique<Stream>();
        stream->owner = this;
        stream->stream = library.streamNew(
            m_core, "tavlinko",
            library.propertiesNew(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY, "Capture",
                                  PW_KEY_MEDIA_ROLE, "Screen", nullptr));
        if (!stream->stream)
            continue;
        library.streamAddListener(stream->stream, &stream->listener, &events, stream.get());
        uint8_t podSpace[1024];
        spa_pod_builder builder = SPA_POD_BUILDER_INIT(podSpace, sizeof(podSpace));
        spa_rectangle smallest{1, 1}, usual{1920, 1080}, largest{16384, 16384};
        spa_fraction still{0, 1}, usualRate{30, 1}, fastest{1000, 1};
        const auto *format = static_cast<const spa_pod *>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
            SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
            SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
            SPA_POD_CHOICE_ENUM_Id(7, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx,
                                   SPA_VIDEO_FORMAT_BGRA, SPA_VIDEO_FORMAT_xRGB,
                                   SPA_VIDEO_FORMAT_ARGB, SPA_VIDEO_FORMAT_RGBx,
                                   SPA_VIDEO_FORMAT_RGBA),
            SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&usual, &smallest, &largest),
            SPA_FORMAT_VIDEO_framerate,
            SPA_POD_CHOICE_RANGE_Fraction(&usualRate, &still, &fastest)));
        library.streamConnect(
            stream->stream, PW_DIRECTION_INPUT, node,
            pw_stream_flags(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS), &format, 1);
        m_streams.push_back(std::move(stream));
    }
    // What the connection brought already waits in the loop.
    QTimer::singleShot(0, this, &PipeWireFrames::iterate);
}

PipeWireFrames::~PipeWireFrames() {
    for (const auto &stream : m_streams) {
        if (stream->held)
            m_library.queue(stream->stream, stream->held);
        m_library.streamDestroy(stream->stream);
    }
    if (m_core)
        m_library.disconnect(m_core);
    if (m_context)
        m_library.contextDestroy(m_context);
    if (m_loop) {
        pw_loop_leave(m_loop);
        m_library.loopDestroy(m_loop);
    }
}

void PipeWireFrames::iterate() {
    if (m_loop)
        pw_loop_iterate(m_loop, 0);
}

QList<QImage> PipeWireFrames::frames() const {
    QList<QImage> frames;
    for (const auto &stream : m_streams)
        frames << stream->frame;
    return frames;
}

void PipeWireFrames::paramChanged(void *data, uint32_t id, const spa_pod *param) {
    auto *stream = static_cast<Stream *>(data);
    if (id != SPA_PARAM_Format || !param)
        return;
    spa_video_info_raw info{};
    if (spa_format_video_raw_parse(param, &info) < 0)
        return;
    stream->format = imageFormat(info.format);
    stream->size = QSize(int(info.size.width), int(info.size.height));
}

void PipeWireFrames::removeBuffer(void *data, pw_buffer *buffer) {
    auto *stream = static_cast<Stream *>(data);
    if (stream->held == buffer) {
        stream->held = nullptr;
        stream->frame = QImage();
    }
}

void PipeWireFrames::stateChanged(void *data, pw_stream_state, pw_stream_state state,
                                  const char *) {
    auto *stream = static_cast<Stream *>(data);
    if (state == PW_STREAM_STATE_ERROR || state == PW_STREAM_STATE_UNCONNECTED)
        QMetaObject::invokeMethod(stream->owner, &PipeWireFrames::ended, Qt::QueuedConnection);
}

// The newest buffer is kept as the frame; the one kept before goes back to the stream, and so
// does one that holds no whole frame.
void PipeWireFrames::process(void *data) {
    auto *stream = static_cast<Stream *>(data);
    const PipeWireLibrary &library = stream->owner->m_library;
    pw_buffer *newest = nullptr;
    while (pw_buffer *buffer = library.dequeue(stream->stream)) {
        if (newest)
            library.queue(stream->stream, newest);
        newest = buffer;
    }
    if (!newest)
        return;
    const QImage frame = frameOfBuffer(*newest->buffer, stream->size, stream->format);
    if (frame.isNull()) {
        library.queue(stream->stream, newest);
        return;
    }
    stream->frame = frame;
    if (stream->held)
        library.queue(stream->stream, stream->held);
    stream->held = newest;
    emit stream->owner->frameArrived();
}
