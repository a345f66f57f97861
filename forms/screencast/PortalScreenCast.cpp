#include "forms/screencast/PortalScreenCast.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <fcntl.h>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString screenCast = QStringLiteral("org.freedesktop.portal.ScreenCast");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

// The portal's values: monitors as the source, the pointer left out of the frames, and a
// permission that lasts until the user takes it back.
constexpr uint monitorSources = 1;
constexpr uint cursorHidden = 1;
constexpr uint persistUntilRevoked = 2;
// Responses to a request: 1 the user cancelled, 2 it ended otherwise.
constexpr uint responseSuccess = 0;
// The versions that know the pointer's mode and the restore token.
constexpr uint cursorModeVersion = 2;
constexpr uint restoreTokenVersion = 4;

QPoint pairOf(const QVariant &value) {
    if (!value.canConvert<QDBusArgument>())
        return {};
    const QDBusArgument argument = value.value<QDBusArgument>();
    int first = 0, second = 0;
    argument.beginStructure();
    argument >> first >> second;
    argument.endStructure();
    return {first, second};
}

} // namespace

QList<PortalStream> portalStreams(const QVariant &streams) {
    QList<PortalStream> found;
    if (!streams.canConvert<QDBusArgument>())
        return found;
    const QDBusArgument argument = streams.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a(ua{sv})"))
        return found;
    argument.beginArray();
    while (!argument.atEnd()) {
        PortalStream stream;
        QVariantMap properties;
        argument.beginStructure();
        argument >> stream.node >> properties;
        argument.endStructure();
        const QPoint size = pairOf(properties.value(QStringLiteral("size")));
        stream.logical = QRect(pairOf(properties.value(QStringLiteral("position"))),
                               QSize(qMax(0, size.x()), qMax(0, size.y())));
        found << stream;
    }
    argument.endArray();
    return found;
}

bool PortalScreenCast::offered(const QDBusConnection &bus) {
    QDBusConnectionInterface *daemon = bus.interface();
    if (!daemon)
        return false;
    if (daemon->isServiceRegistered(portalService))
        return true;
    const QDBusReply<QStringList> startable = daemon->call(QStringLiteral("ListActivatableNames"));
    return startable.isValid() && startable.value().contains(portalService);
}

PortalScreenCast::PortalScreenCast(const QDBusConnection &bus, QObject *parent)
    : QObject(parent), m_bus(bus) {}

PortalScreenCast::~PortalScreenCast() {
    listen(QString());
    if (!m_session.isEmpty())
        m_bus.asyncCall(QDBusMessage::createMethodCall(
            portalService, m_session, QStringLiteral("org.freedesktop.portal.Session"),
            QStringLiteral("Close")));
}

void PortalScreenCast::start(const QString &restoreToken) {
    m_restoreToken = restoreToken;
    m_step = Step::Version;
    QDBusMessage ask = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    ask << screenCast << QStringLiteral("version");
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *watcher;
        if (reply.isError()) {
            emit failed();
            return;
        }
        m_version = reply.value().variant().toUInt();
        request(Step::Session, QStringLiteral("CreateSession"), {},
                {{QStringLiteral("session_handle_token"),
                  QStringLiteral("tavlinko%1").arg(quintptr(this))}});
    });
}

// The portal answers a request later, by a signal on an object whose path it builds from our
// name on the bus and the token we give; we listen there before asking, so no answer is missed.
void PortalScreenCast::request(Step step, const QString &method, const QVariantList &arguments,
                               QVariantMap options) {
    m_step = step;
    const QString token = QStringLiteral("tavlinko%1").arg(++m_requests);
    options.insert(QStringLiteral("handle_token"), token);
    const QString sender = m_bus.baseService().mid(1).replace(u'.', u'_');
    listen(QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token));
    QDBusMessage call =
        QDBusMessage::createMethodCall(portalService, portalPath, screenCast, method);
    call.setArguments(arguments + QVariantList{options});
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (reply.isError()) {
            listen(QString());
            emit failed();
            return;
        }
        // Portals older than the path rule answer on the path they return.
        if (reply.value().path() != m_listening)
            listen(reply.value().path());
    });
}

void PortalScreenCast::listen(const QString &path) {
    if (!m_listening.isEmpty())
        m_bus.disconnect(portalService, m_listening, requestInterface, QStringLiteral("Response"),
                         this, SLOT(answered(uint, QVariantMap)));
    m_listening = path;
    if (!path.isEmpty())
        m_bus.connect(portalService, path, requestInterface, QStringLiteral("Response"), this,
                      SLOT(answered(uint, QVariantMap)));
}

void PortalScreenCast::answered(uint response, const QVariantMap &results) {
    listen(QString());
    if (response != responseSuccess) {
        emit refused();
        return;
    }
    switch (m_step) {
    case Step::Version:
        break;
    case Step::Session: {
        m_session = results.value(QStringLiteral("session_handle")).toString();
        if (m_session.isEmpty()) {
            emit failed();
            return;
        }
        QVariantMap options{{QStringLiteral("types"), monitorSources},
                            {QStringLiteral("multiple"), true}};
        if (m_version >= cursorModeVersion)
            options.insert(QStringLiteral("cursor_mode"), cursorHidden);
        if (m_version >= restoreTokenVersion) {
            options.insert(QStringLiteral("persist_mode"), persistUntilRevoked);
            if (!m_restoreToken.isEmpty())
                options.insert(QStringLiteral("restore_token"), m_restoreToken);
        }
        request(Step::Sources, QStringLiteral("SelectSources"),
                {QVariant::fromValue(QDBusObjectPath(m_session))}, options);
        break;
    }
    case Step::Sources:
        request(Step::Start, QStringLiteral("Start"),
                {QVariant::fromValue(QDBusObjectPath(m_session)), QString()}, {});
        break;
    case Step::Start: {
        const QList<PortalStream> streams = portalStreams(results.value(QStringLiteral("streams")));
        if (streams.isEmpty()) {
            emit failed();
            return;
        }
        m_restoreToken = results.value(QStringLiteral("restore_token")).toString();
        QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, screenCast,
                                                           QStringLiteral("OpenPipeWireRemote"));
        call << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariantMap();
        auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, streams] {
            watcher->deleteLater();
            const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *watcher;
            const int fd = reply.isError() || !reply.value().isValid()
                               ? -1
                               : ::fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 0);
            if (fd < 0)
                emit failed();
            else
                emit started(streams, fd, m_restoreToken);
        });
        break;
    }
    }
}
