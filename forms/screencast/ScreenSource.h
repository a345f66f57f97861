#pragma once

#include "core/screen/StreamMapping.h"

#include <QDBusConnection>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QTimer>
#include <functional>
#include <memory>

class PipeWireFrames;
class PortalScreenCast;
struct PipeWireLibrary;
struct PortalStream;

// Where the screen's pixels come from: the X server where it has a picture of the screen, and
// in a Wayland session, where XWayland has none, the monitors the desktop shares through its
// portal. The sharing starts when a tool first asks for pixels and stops a few seconds after
// the last ask, so the desktop's "screen is shared" sign is not lit while the ruler sits idle.
class ScreenSource : public QObject {
    Q_OBJECT

public:
    // `restoreToken` keeps the desktop's permission between runs: it is given to the desktop
    // and replaced by the one the desktop hands back.
    ScreenSource(QString &restoreToken, QObject *parent = nullptr);
    ~ScreenSource() override;

    // The device pixels of `area` as the screen shows them; a null image when they cannot be
    // read, now (see waiting()) or at all.
    QImage read(const QRect &area);
    // Whether the pixels are on their way: the desktop asks the user, or the sharing starts.
    bool waiting() const { return m_state == State::Asking; }
    // Why the last read gave no pixels, untranslated.
    QString whyNotRead() const;

    // How the bus, the X server and the screen are reached; tests put their own here.
    std::function<QDBusConnection()> bus;
    std::function<QImage(const QRect &)> readX11;
    std::function<bool()> underWayland;
    std::function<QSize()> xScreenSize;
    // How long the sharing runs after the last read, and how long a read waits for the first
    // frame when the desktop need not ask the user.
    int idleStop = 5000;
    int firstFrameWait = 2000;

signals:
    // The screen cannot be read in this run: the desktop refused, or has no way to share it.
    void unreadable();
    // The desktop handed a new restore token, now in the string given at construction.
    void restoreTokenChanged();
    // The sharing gave its first frame, or the ruler gave up waiting for one.
    void sharingSettled();

private:
    enum class State { X11, Idle, Asking, Sharing, Refused, NoPortal, NoPipeWire };
    void startSharing();
    void shared(const QList<PortalStream> &streams, int fd, const QString &token);
    void stopSharing();
    void giveUp(State why);
    void waitForFirstFrame();
    QList<CastStream> castStreams(const QList<QImage> &frames) const;

    QString &m_restoreToken;
    State m_state = State::X11;
    bool m_waiting = false;
    bool m_grantedThisRun = false;
    QTimer m_idle;
    std::unique_ptr<PipeWireLibrary> m_library;
    PortalScreenCast *m_cast = nullptr;
    PipeWireFrames *m_frames = nullptr;
    QList<QRect> m_logical;
};
