#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the signals with which a desktop session or a terminal ends a program (SIGTERM, SIGINT,
// SIGHUP) into requests the event loop hears, so that the ruler closes the normal way and saves
// its settings instead of vanishing with them.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Catches the signals from now on. Called first thing in main: a signal that arrives while
    // the program starts is kept until the event loop runs.
    static void catchSignals();

    // Starts listening for the kept and later signals (catching them first if need be).
    explicit TerminationSignals(QObject *parent = nullptr);

signals:
    // Once per signal, each time one arrives.
    void terminationRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};
