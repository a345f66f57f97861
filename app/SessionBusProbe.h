#pragma once

#include <QString>

#include <chrono>
#include <future>

// Whether the session bus at address (as DBUS_SESSION_BUS_ADDRESS gives it) answers before the
// deadline: authenticated, it must answer the Hello every client starts with. The bus library
// waits for that answer 25 s and more, and Qt's bridge to screen readers waits for it on the
// interface thread, so a bus that takes connections and never answers must be found out
// before anything asks the library. Addresses of other kinds than local sockets are taken as
// answering; the library handles them itself.
bool sessionBusAnswers(const QString &address, std::chrono::steady_clock::time_point deadline);

// The same question for the bus in DBUS_SESSION_BUS_ADDRESS, asked on a thread of its own from
// the moment this is made: it needs nothing of Qt, so the program asks it before building the
// application object, which takes longer than any bus that answers at all.
class SessionBusProbe {
public:
    explicit SessionBusProbe(std::chrono::milliseconds limit);

    // Waits for the verdict, which comes by the limit at the latest. A bus that does not answer
    // is named "none:" in the environment from then on: every later connection fails at once
    // instead of waiting for it, Qt's bridge to screen readers among them.
    bool answers();

private:
    std::future<bool> m_answer;
};
