#include "app/TerminationSignals.h"

#ifdef Q_OS_UNIX
#include <QMetaObject>

#include <csignal>
#include <cstdio>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A signal handler reaches the program only through state of the whole process; this is all of
// it. The handler writes the signal's number into the pipe (the one thing it may safely do), a
// thread of its own waits there, so that a signal is heard whatever the interface is doing.
struct SignalWatch {
    int pipe[2] = {-1, -1};
    std::mutex mutex;
    TerminationSignals *listener = nullptr;
};

SignalWatch &watch() {
    static SignalWatch instance;
    return instance;
}

void onSignal(int signal) {
    const auto byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(watch().pipe[0], &byte, 1);
}

int nextSignal(int timeoutMs) {
    pollfd readable{watch().pipe[1], POLLIN, 0};
    if (::poll(&readable, 1, timeoutMs) <= 0)
        return 0;
    unsigned char byte = 0;
    return ::read(watch().pipe[1], &byte, 1) == 1 ? byte : 0;
}

[[noreturn]] void endNow(int signal) {
    std::fprintf(stderr, "tavlinko: ended by signal %d without waiting for the window\n", signal);
    std::fflush(stderr);
    ::_exit(128 + signal);
}

void waitForSignals() {
    int signal = 0;
    while (signal == 0)
        signal = nextSignal(-1);
    {
        const std::lock_guard lock(watch().mutex);
        // Nobody listens before the ruler exists, nor after it has gone: nothing to save.
        if (!watch().listener)
            endNow(signal);
        QMetaObject::invokeMethod(watch().listener, &TerminationSignals::terminationRequested,
                                  Qt::QueuedConnection);
    }
    // An orderly end ends the process before this wait does.
    const int second = nextSignal(TerminationSignals::graceMs);
    endNow(second != 0 ? second : signal);
}

} // namespace

void TerminationSignals::catchSignals() {
    SignalWatch &w = watch();
    if (w.pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, w.pipe) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
    std::thread(waitForSignals).detach();
}

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent) {
    catchSignals();
    const std::lock_guard lock(watch().mutex);
    watch().listener = this;
}

TerminationSignals::~TerminationSignals() {
    const std::lock_guard lock(watch().mutex);
    watch().listener = nullptr;
}
#else
void TerminationSignals::catchSignals() {}
TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent) {}
TerminationSignals::~TerminationSignals() = default;
#endif
