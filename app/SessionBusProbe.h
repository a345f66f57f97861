#pragma once

#include <QString>

#include <chrono>

// Whether the session bus at address (as DBUS_SESSION_BUS_ADDRESS gives it) answers before the
// deadline: authenticated, it must answer the Hello every client starts with. The bus library
// waits for that answer 25 s and more, and Qt's bridge to screen readers waits for it on the
// interface thread, so a bus that takes connections and never answers must be found out
// before anything asks the library. Addresses of other kinds than local sockets are taken as
// answering; the library handles them itself.
bool sessionBusAnswers(const QString &address, std::chrono::steady_clock::time_point deadline);
