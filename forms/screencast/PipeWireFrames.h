#pragma once

#include "forms/screencast/PipeWireLibrary.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <memory>

class QSocketNotifier;
struct pw_buffer;
struct pw_context;
struct pw_core;
struct pw_loop;

// The latest frame of each of the screen-cast streams a desktop shares through PipeWire. Each
// stream keeps its newest buffer until the next one comes, and its frame is that buffer's own
// memory: a read converts only the pixels it asks for. PipeWire's loop runs in the program's
// own event loop, so frames arrive between events and need no locks.
class PipeWireFrames : public QObject {
    Q_OBJECT

public:
    // Takes the remote `fd` (closed also when the connection fails) and follows the PipeWire
    // nodes in order; `library` is loaded and outlives this object.
    PipeWireFrames(PipeWireLibrary &library, int fd, const QList<quint32> &nodes,
                   QObject *parent = nullptr);
    ~PipeWireFrames() override;

    bool connected() const { return m_core != nullptr; }
    // One image per node, in the nodes' order: null while that node has sent no frame. Valid
    // until the program's event loop next runs.
    QList<QImage> frames() const;

signals:
    void frameArrived();
    // A stream failed or the desktop stopped sharing it.
    void ended();

private:
    struct Stream;
    void iterate();
    static void process(void *data);
    static void paramChanged(void *data, uint32_t id, const struct spa_pod *param);
    static void removeBuffer(void *data, pw_buffer *buffer);
    static void stateChanged(void *data, pw_stream_state old, pw_stream_state state,
                             const char *error);

    PipeWireLibrary &m_library;
    pw_loop *m_loop = nullptr;
    pw_context *m_context = nullptr;
    pw_core *m_core = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    std::vector<std::unique_ptr<Stream>> m_streams;
};
