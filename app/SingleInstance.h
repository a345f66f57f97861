#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <future>

// One ruler per settings file. Two rulers on one file would stand on the same spot, and the one
// ending last would overwrite the other's place and length. A start whose settings file a
// running ruler holds asks that ruler to come to the front and ends; a start with another file
// runs beside it. The claim is a name on the session bus, which the bus gives to one process
// only and frees when it ends, however it ends.
//
// A session bus may be broken or hostile: it accepts the connection and never answers, or
// another program owns the name and answers anything. A bus that does not answer at all is
// found out before (SessionBusProbe); this one is asked from a thread of its own, and the start
// waits for its answer only until a short deadline; only an answer that names this settings
// file, from a process of this user, counts as a ruler holding it. Without a session bus,
// without an answer in time, or with any other answer, this ruler runs.
class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "tavlinko.Ruler")
public:
    static constexpr std::chrono::milliseconds deadline{500};

    // Starts asking the bus; the start goes on meanwhile.
    explicit SingleInstance(const QString &settingsFile);

    // A running ruler holds the settings file and has been asked to come to the front. Waits
    // for the answer until the deadline after construction at the latest; called once, before
    // anything else may use the bus.
    bool handedOver();
    // The bus did not answer in time. The thread that waits for it cannot be stopped, and the
    // bus library waits for it when the program ends, so such a program ends with _exit.
    bool abandoned() const { return m_abandoned; }

signals:
    void activationRequested();

public slots:
    // Called by a later start with the same settings file; the answer proves who answers.
    Q_SCRIPTABLE QString Activate();

private:
    enum class Answer { Run, HandedOver };
    Answer askBus() const;

    QString m_settingsFile; // its canonical name
    std::chrono::steady_clock::time_point m_asked;
    std::future<Answer> m_answer;
    bool m_abandoned = false;
};
