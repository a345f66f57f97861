#pragma once

#include <QObject>

// Turns the signals with which a desktop session or a terminal ends a program (SIGTERM, SIGINT,
// SIGHUP) into a request the event loop hears, so that the ruler ends the normal way. A logout
// waits for no one: when the interface does not end within graceMs (it is busy, or blocked), or
// a second signal comes, the process ends at once. The settings are on disk already, since
// every change is saved soon after it is made.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    static constexpr int graceMs = 900;

    // Catches the signals from now on. Called first thing in main: a signal that arrives before
    // anyone listens ends the program at once, since nothing is there to save yet.
    static void catchSignals();

    // From now on the first signal reaches this object's thread as terminationRequested.
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();
};
