#pragma once

#include <QObject>
#include <QString>

// One ruler per settings file. Two rulers on one file would stand on the same spot, and the one
// ending last would overwrite the other's place and length. A start whose settings file a
// running ruler holds asks that ruler to come to the front and ends; a start with another file
// runs beside it. The claim is a name on the session bus, which the bus gives to one process
// only and frees when it ends, however it ends. Without a session bus every start runs.
class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "tavlinko.Ruler")
public:
    explicit SingleInstance(const QString &settingsFile);

    // A running ruler holds the settings file and has been asked to come to the front.
    bool handedOver() const { return m_handedOver; }

signals:
    void activationRequested();

public slots:
    // Called by a later start with the same settings file.
    Q_SCRIPTABLE void Activate();

private:
    bool m_handedOver = false;
};
