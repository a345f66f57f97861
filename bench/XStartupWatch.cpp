#include "XStartupWatch.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int firstFrameTimeoutMs = 20000;

// A program started the moment the one before it has ended shares the machine with that
// program's aftermath (the X server and the bus letting go of it), which slowed starts by up to
// half and scattered them widely. Each start waits this long first, as on a desktop at rest.
constexpr int restBeforeStartMs = 200;

// How often the window's pixels are read until they show the first frame. Every read is work
// for the X server the program is talking to; reading more often than this delayed the very
// frame being waited for.
constexpr unsigned long pixelPollUs = 1000;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Reply> struct Freed {
    Reply *reply;
    explicit Freed(Reply *r) : reply(r) {}
    ~Freed() { std::free(reply); }
    Reply *operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};

// The program's environment with the display, the platform plugin and the session bus set for
// the watch.
QList<QByteArray> childEnvironment(const QString &display, const QByteArray &busAddress) {
    QList<QByteArray> variables;
    for (char **entry = environ; *entry; ++entry) {
        const QByteArray variable(*entry);
        if (!variable.startsWith("DISPLAY=") && !variable.startsWith("QT_QPA_PLATFORM=") &&
            !variable.startsWith("DBUS_SESSION_BUS_ADDRESS="))
            variables.append(variable);
    }
    variables.append("DISPLAY=" + display.toLocal8Bit());
    variables.append("QT_QPA_PLATFORM=xcb");
    if (!busAddress.isEmpty())
        variables.append("DBUS_SESSION_BUS_ADDRESS=" + busAddress);
    return variables;
}

std::vector<char *> pointersTo(QList<QByteArray> &strings) {
    std::vector<char *> pointers;
    for (QByteArray &string : strings)
        pointers.push_back(string.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Sums the given fields over all threads of a process from /proc.
struct ThreadTotals {
    long long clockTicks = 0;
    long long contextSwitches = 0;
};

ThreadTotals threadTotals(pid_t pid) {
    ThreadTotals totals;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks.filePath(task + QStringLiteral("/stat")));
        if (stat.open(QIODevice::ReadOnly)) {
            // The command name may hold spaces; the fields are counted after its closing ')'.
            const QByteArray line = stat.readAll();
            const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 12)
                totals.clockTicks += fields[11].toLongLong() + fields[12].toLongLong();
        }
        QFile status(tasks.filePath(task + QStringLiteral("/status")));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : status.readAll().split('\n'))
                if (line.contains("ctxt_switches:"))
                    totals.contextSwitches +=
                        line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
    }
    return totals;
}

// Processor time of the whole process, exact to the nanosecond and independent of what else the
// machine is doing. The process's own clock counts threads that have already ended too: helper
// threads that finish before the first frame are part of what the start costs.
double cpuMilliseconds(pid_t pid) {
    clockid_t clock = 0;
    timespec used{};
    if (::clock_getcpuclockid(pid, &clock) != 0 || ::clock_gettime(clock, &used) != 0)
        return 0;
    return used.tv_sec * 1e3 + used.tv_nsec / 1e6;
}

double residentMegabytes(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

} // namespace

struct XStartupWatch::Child {
    pid_t pid = -1;
    Clock::time_point started;

    ~Child() {
        if (pid <= 0)
            return;
        ::kill(pid, SIGTERM);
        for (int i = 0; i < 200; ++i) {
            if (::waitpid(pid, nullptr, WNOHANG) == pid)
                return;
            QThread::msleep(10);
        }
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }

    bool hasExited() const { return ::waitpid(pid, nullptr, WNOHANG) == pid; }
};

XStartupWatch::XStartupWatch() {
    m_busAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (m_busAddress.isEmpty()) {
        m_bus.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
        if (m_bus.waitForReadyRead(10000))
            m_busAddress = m_bus.readLine().trimmed();
    }
    m_display = qEnvironmentVariable("DISPLAY");
    if (m_display.isEmpty()) {
        // -displayfd lets the server pick a free display and tell which on its output.
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"),
                        QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
        if (!m_server.waitForReadyRead(10000)) {
            m_error = QStringLiteral("Xvfb did not start");
            return;
        }
        m_display = QLatin1Char(':') + QString::fromLatin1(m_server.readLine().trimmed());
    }
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(m_display.toLocal8Bit().constData(), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        m_error = QStringLiteral("cannot connect to the display ") + m_display;
        return;
    }
    m_connection = connection;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    m_root = screens.data->root;
    m_screenWidth = screens.data->width_in_pixels;
    m_screenHeight = screens.data->height_in_pixels;

    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, m_root, XCB_CW_EVENT_MASK, &events);
    const char pidName[] = "_NET_WM_PID";
    Freed atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof pidName - 1, pidName), nullptr));
    if (atom)
        m_pidAtom = atom->atom;
}

XStartupWatch::~XStartupWatch() {
    if (m_connection)
        xcb_disconnect(m_connection);
    for (QProcess *server : {&m_server, &m_bus}) {
        if (server->state() != QProcess::NotRunning) {
            server->terminate();
            server->waitForFinished(5000);
        }
    }
}

void XStartupWatch::snapshotScreen() {
    Freed image(xcb_get_image_reply(m_connection,
                                    xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root,
                                                  0, 0, m_screenWidth, m_screenHeight, ~0u),
                                    nullptr));
    m_snapshot = image ? QByteArray(reinterpret_cast<const char *>(xcb_get_image_data(image.reply)),
                                    xcb_get_image_data_length(image.reply))
                       : QByteArray();
}

// Until the program paints, a window without a background shows what lay beneath it.
bool XStartupWatch::differsFromSnapshot(int x, int y, int width, int height) {
    Freed image(xcb_get_image_reply(
        m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, x, y, width, height, ~0u),
        nullptr));
    if (!image || m_snapshot.isEmpty())
        return true;
    const int length = xcb_get_image_data_length(image.reply);
    const int rowBytes = length / height;
    const int screenRowBytes = m_snapshot.size() / m_screenHeight;
    const int bytesPerPixel = screenRowBytes / m_screenWidth;
    const uint8_t *data = xcb_get_image_data(image.reply);
    for (int row = 0; row < height; ++row) {
        const char *before =
            m_snapshot.constData() + (y + row) * screenRowBytes + x * bytesPerPixel;
        if (std::memcmp(data + row * rowBytes, before, width * bytesPerPixel) != 0)
            return true;
    }
    return false;
}

std::unique_ptr<XStartupWatch::Child> XStartupWatch::spawn(const QString &program,
                                                           const QStringList &arguments) {
    QList<QByteArray> argumentBytes{program.toLocal8Bit()};
    for (const QString &argument : arguments)
        argumentBytes.append(argument.toLocal8Bit());
    QList<QByteArray> environmentBytes = childEnvironment(m_display, m_busAddress);
    const std::vector<char *> argv = pointersTo(argumentBytes);
    const std::vector<char *> envp = pointersTo(environmentBytes);

    auto child = std::make_unique<Child>();
    child->started = Clock::now();
    if (::posix_spawn(&child->pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) {
        child->pid = -1;
        m_error = QStringLiteral("cannot start ") + program;
        return nullptr;
    }
    return child;
}

bool XStartupWatch::waitForFirstFrame(Child &child) {
    xcb_window_t window = XCB_NONE;
    while (window == XCB_NONE) {
        if (millisecondsSince(child.started) > firstFrameTimeoutMs || child.hasExited()) {
            m_error = QStringLiteral("the program showed no window");
            return false;
        }
        xcb_generic_event_t *event = xcb_poll_for_event(m_connection);
        if (!event) {
            pollfd wait{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            ::poll(&wait, 1, 5);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const xcb_window_t mapped = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
            Freed owner(xcb_get_property_reply(
                m_connection,
                xcb_get_property(m_connection, 0, mapped, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1),
                nullptr));
            if (owner && xcb_get_property_value_length(owner.reply) == 4 &&
                *static_cast<const uint32_t *>(xcb_get_property_value(owner.reply)) ==
                    uint32_t(child.pid))
                window = mapped;
        }
        std::free(event);
    }

    Freed geometry(
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    if (!geometry)
        return false;
    const int x = qBound(0, int(geometry->x), m_screenWidth - 1);
    const int y = qBound(0, int(geometry->y), m_screenHeight - 1);
    const int width = qMin(int(geometry->width), m_screenWidth - x);
    const int height = qMin(int(geometry->height), m_screenHeight - y);
    while (!differsFromSnapshot(x, y, width, height)) {
        if (millisecondsSince(child.started) > firstFrameTimeoutMs || child.hasExited()) {
            m_error = QStringLiteral("the program's window was never painted");
            return false;
        }
        QThread::usleep(pixelPollUs);
    }
    return true;
}

std::unique_ptr<XStartupWatch::Child> XStartupWatch::startShown(const QString &program,
                                                                const QStringList &arguments) {
    if (!isReady())
        return nullptr;
    QThread::msleep(restBeforeStartMs);
    snapshotScreen();
    std::unique_ptr<Child> child = spawn(program, arguments);
    if (!child || !waitForFirstFrame(*child))
        return nullptr;
    return child;
}

std::optional<StartupSample>
XStartupWatch::timeStartup(const QString &program, const QStringList &arguments, int settleMs) {
    const std::unique_ptr<Child> child = startShown(program, arguments);
    if (!child)
        return std::nullopt;
    StartupSample sample;
    sample.firstFrameMs = millisecondsSince(child->started);
    sample.cpuMs = cpuMilliseconds(child->pid);
    QThread::msleep(settleMs);
    sample.residentMb = residentMegabytes(child->pid);
    return sample;
}

std::optional<IdleSample> XStartupWatch::watchIdle(const QString &program,
                                                   const QStringList &arguments, int settleMs,
                                                   int idleMs) {
    const std::unique_ptr<Child> child = startShown(program, arguments);
    if (!child)
        return std::nullopt;
    QThread::msleep(settleMs);
    const ThreadTotals before = threadTotals(child->pid);
    QThread::msleep(idleMs);
    const ThreadTotals after = threadTotals(child->pid);
    IdleSample sample;
    sample.cpuSeconds = double(after.clockTicks - before.clockTicks) / ::sysconf(_SC_CLK_TCK);
    sample.wakeUps = after.contextSwitches - before.contextSwitches;
    return sample;
}
