#pragma once

#include <thread>

// Opens the connection to the desktop's session bus on a second thread as soon as the
// application object exists. Qt's bridge to screen readers needs that connection the moment the
// first control is made, and waits for it there; begun early, most of the wait has passed by
// then. Without Qt's bus module nothing happens.
class SessionBusWarmUp {
public:
    SessionBusWarmUp();
    // Returns once the connection has been opened or refused; this must happen while the
    // application object still exists.
    ~SessionBusWarmUp();
    SessionBusWarmUp(const SessionBusWarmUp &) = delete;
    SessionBusWarmUp &operator=(const SessionBusWarmUp &) = delete;

private:
    std::thread m_connector;
};
