#pragma once

// Watches programs start on an X display from the outside, the way a user sees them: from the
// moment the process is spawned until its window is mapped and shows its first painted frame.
// When no display is given in DISPLAY, a private Xvfb is started for the watch and ended with it;
// likewise a private session bus when DBUS_SESSION_BUS_ADDRESS names none, as every desktop has
// one: without it each Qt program's start would time the bus library's failed attempt to launch
// one, which varies more than everything else together.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

struct xcb_connection_t;

struct StartupSample {
    double firstFrameMs = 0; // spawn to the first frame painted into the mapped window
    double cpuMs = 0;        // processor time the program used until then, all threads
    double residentMb = 0;   // resident set size once the program has settled
};

struct IdleSample {
    double cpuSeconds = 0; // user and system time of all threads
    long long wakeUps = 0; // context switches of all threads
};

class XStartupWatch {
public:
    XStartupWatch();
    ~XStartupWatch();
    XStartupWatch(const XStartupWatch &) = delete;
    XStartupWatch &operator=(const XStartupWatch &) = delete;

    bool isReady() const { return m_connection != nullptr; }
    QString error() const { return m_error; }

    // Starts the program on the display, waits for its first frame and, after settleMs, reads
    // its resident size; the program is ended before this returns.
    std::optional<StartupSample> timeStartup(const QString &program, const QStringList &arguments,
                                             int settleMs);

    // Starts the program, lets it settle and counts what it does over the given time while
    // nobody touches it.
    std::optional<IdleSample> watchIdle(const QString &program, const QStringList &arguments,
                                        int settleMs, int idleMs);

private:
    struct Child;
    std::unique_ptr<Child> spawn(const QString &program, const QStringList &arguments);
    bool waitForFirstFrame(Child &child);
    // Spawns the program and returns once its first frame shows; null when it never does.
    std::unique_ptr<Child> startShown(const QString &program, const QStringList &arguments);
    void snapshotScreen();
    bool differsFromSnapshot(int x, int y, int width, int height);

    QProcess m_server;
    QString m_display;
    QProcess m_bus;
    QByteArray m_busAddress;
    QString m_error;
    xcb_connection_t *m_connection = nullptr;
    unsigned m_root = 0;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    unsigned m_pidAtom = 0;
    QByteArray m_snapshot;
};
