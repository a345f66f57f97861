// Stands in for the desktop portal that shares the screen, on a private session bus:
//   portal_standin yes|no|never LOG [PIPEWIRE_SOCKET [NODE:X,Y,W,H ...]]
// The user's answer to the question is yes, no (cancelled) or never given; a restore token this
// portal handed out earlier skips the question, as a real desktop does. Each call goes to LOG
// as a line. The PipeWire remote is a connection to PIPEWIRE_SOCKET (a socket pair's end that
// carries nothing without one); the streams are the nodes at the logical places given.
// Prints "ready" once it owns the portal's name.

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>
#include <QFile>
#include <QRect>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>

#include <cstdio>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct Pair {
    int first = 0, second = 0;
};
QDBusArgument &operator<<(QDBusArgument &argument, const Pair &pair) {
    argument.beginStructure();
    argument << pair.first << pair.second;
    argument.endStructure();
    return argument;
}
const QDBusArgument &operator>>(const QDBusArgument &argument, Pair &pair) {
    argument.beginStructure();
    argument >> pair.first >> pair.second;
    argument.endStructure();
    return argument;
}

struct Stream {
    uint node = 0;
    QVariantMap properties;
};
QDBusArgument &operator<<(QDBusArgument &argument, const Stream &stream) {
    argument.beginStructure();
    argument << stream.node << stream.properties;
    argument.endStructure();
    return argument;
}
const QDBusArgument &operator>>(const QDBusArgument &argument, Stream &stream) {
    argument.beginStructure();
    argument >> stream.node >> stream.properties;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(Pair)
Q_DECLARE_METATYPE(Stream)

namespace {

const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");

class Portal : public QDBusVirtualObject {
public:
    QString mode, log, pipeWireSocket;
    QList<Stream> streams;
    QSet<QString> issuedTokens;
    int tokens = 0;

    QString introspect(const QString &) const override { return {}; }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override {
        const QString member = message.member();
        const QList<QVariant> arguments = message.arguments();
        if (member == QLatin1String("Get") || member == QLatin1String("GetAll")) {
            connection.send(message.createReply(QVariant::fromValue(QDBusVariant(4u))));
            return true;
        }
        if (member == QLatin1String("Close")) {
            note(QStringLiteral("Close"));
            connection.send(message.createReply());
            return true;
        }
        const QVariantMap options = qdbus_cast<QVariantMap>(arguments.value(arguments.size() - 1));
        const QString sender = message.service().mid(1).replace(u'.', u'_');
        const QString request =
            QStringLiteral("%1/request/%2/%3")
                .arg(portalPath, sender, options.value(QStringLiteral("handle_token")).toString());
        if (member == QLatin1String("CreateSession")) {
            note(QStringLiteral("CreateSession"));
            answer(message, connection, request, 0,
                   {{QStringLiteral("session_handle"),
                     QString(portalPath + QStringLiteral("/session/") + sender + u'/' +
                             options.value(QStringLiteral("session_handle_token")).toString())}});
        } else if (member == QLatin1String("SelectSources")) {
            QStringList told;
            for (const char *key :
                 {"types", "multiple", "cursor_mode", "persist_mode", "restore_token"})
                told << QStringLiteral("%1=%2").arg(QLatin1String(key),
                                                    options.value(QLatin1String(key)).toString());
            m_offered = options.value(QStringLiteral("restore_token")).toString();
            note(QStringLiteral("SelectSources ") + told.join(u' '));
            answer(message, connection, request, 0, {});
        } else if (member == QLatin1String("Start")) {
            const bool restored = issuedTokens.contains(m_offered);
            issuedTokens.remove(m_offered);
            note(restored ? QStringLiteral("Start restored") : QStringLiteral("Start asked"));
            if (!restored && mode == QLatin1String("never")) {
                connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
            } else if (!restored && mode == QLatin1String("no")) {
                answer(message, connection, request, 1, {});
            } else {
                const QString token = QStringLiteral("token-%1").arg(++tokens);
                issuedTokens << token;
                answer(message, connection, request, 0,
                       {{QStringLiteral("streams"), QVariant::fromValue(streams)},
                        {QStringLiteral("restore_token"), token}});
            }
        } else if (member == QLatin1String("OpenPipeWireRemote")) {
            note(QStringLiteral("OpenPipeWireRemote"));
            const int fd = remote();
            connection.send(message.createReply(QVariant::fromValue(QDBusUnixFileDescriptor(fd))));
            ::close(fd);
        } else {
            return false;
        }
        return true;
    }

private:
    QString m_offered;

    void note(const QString &line) const {
        QFile file(log);
        if (file.open(QIODevice::Append))
            file.write(line.toUtf8() + '\n');
    }

    // The reply names the request; its answer follows as the request's signal.
    void answer(const QDBusMessage &message, const QDBusConnection &connection,
                const QString &request, uint response, const QVariantMap &results) {
        connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        QDBusMessage signal = QDBusMessage::createTargetedSignal(
            message.service(), request, QStringLiteral("org.freedesktop.portal.Request"),
            QStringLiteral("Response"));
        signal << response << results;
        QTimer::singleShot(10, [connection, signal] { QDBusConnection(connection).send(signal); });
    }

    int remote() const {
        int ends[2] = {-1, -1};
        if (pipeWireSocket.isEmpty()) {
            ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends);
            return ends[0];
        }
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(pipeWireSocket);
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.constData());
        if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
            std::perror("connect");
        return fd;
    }
};

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication application(argc, argv);
    qDBusRegisterMetaType<Pair>();
    qDBusRegisterMetaType<Stream>();
    qDBusRegisterMetaType<QList<Stream>>();
    const QStringList arguments = QCoreApplication::arguments();
    Portal portal;
    portal.mode = arguments.value(1);
    portal.log = arguments.value(2);
    portal.pipeWireSocket = arguments.value(3);
    for (const QString &given : arguments.mid(4)) {
        const QStringList parts = given.split(QRegularExpression(QStringLiteral("[:,]")));
        Stream stream;
        stream.node = parts.value(0).toUInt();
        stream.properties = {
            {QStringLiteral("position"),
             QVariant::fromValue(Pair{parts.value(1).toInt(), parts.value(2).toInt()})},
            {QStringLiteral("size"),
             QVariant::fromValue(Pair{parts.value(3).toInt(), parts.value(4).toInt()})},
            {QStringLiteral("source_type"), 1u}};
        portal.streams << stream;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject(portalPath, &portal, QDBusConnection::SubPath) ||
        !bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"))) {
        std::fprintf(stderr, "the portal's name is taken\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
