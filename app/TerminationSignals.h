#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the signals with which a desktop session or a terminal ends a program (SIGTERM, SIGINT,
// SIGHUP) into an orderly quit of the event loop, so that the ruler closes the normal way and
// saves its settings instead of vanishing with them.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);

signals:
    void terminationRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};
