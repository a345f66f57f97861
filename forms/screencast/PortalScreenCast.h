#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QRect>
#include <QVariantMap>

// A monitor the desktop shares: its PipeWire node and its place and size in the compositor's
// logical coordinates (an empty size when the desktop does not tell it).
struct PortalStream {
    quint32 node = 0;
    QRect logical;
    friend bool operator==(const PortalStream &, const PortalStream &) = default;
};

// The streams of the portal's answer to Start (an array of node and properties).
QList<PortalStream> portalStreams(const QVariant &streams);

// The conversation with the desktop portal that shares the screen: a session, the monitors
// (all the user allows, without the pointer), the permission kept by a restore token, and the
// PipeWire connection that carries the frames. Every call waits for its answer in the event
// loop, since the desktop asks the user in between.
class PortalScreenCast : public QObject {
    Q_OBJECT

public:
    // Whether the bus has the portal, running or to be started on the first call: asked of the
    // bus itself, which answers at once.
    static bool offered(const QDBusConnection &bus);

    explicit PortalScreenCast(const QDBusConnection &bus, QObject *parent = nullptr);
    // Closes the session, which stops the sharing.
    ~PortalScreenCast() override;

    // Asks for the monitors; `restoreToken` from an earlier permission spares the user the
    // question. Answers with exactly one of the signals.
    void start(const QString &restoreToken);

signals:
    // The fd is the PipeWire remote, the receiver's to close. The token keeps this permission
    // for the next time; empty when the desktop gives none.
    void started(const QList<PortalStream> &streams, int pipeWireFd, const QString &restoreToken);
    // The user said no or closed the question.
    void refused();
    // No portal on the bus, or it failed.
    void failed();

private slots:
    void answered(uint response, const QVariantMap &results);

private:
    enum class Step { Version, Session, Sources, Start };
    void request(Step step, const QString &method, const QVariantList &arguments,
                 QVariantMap options);
    void listen(const QString &path);

    QDBusConnection m_bus;
    QString m_restoreToken;
    QString m_session;
    QString m_listening;
    Step m_step = Step::Version;
    uint m_version = 0;
    int m_requests = 0;
};
