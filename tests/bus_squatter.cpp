// Stands in for hostile neighbours on the session bus, for the start of the real program:
//   bus_squatter silent SOCKET      a "bus" that accepts connections and never answers
//   bus_squatter NAME empty|wrong|error|never
//                                   owns a ruler's bus name and answers Activate with no value,
//                                   another settings file, an error, or not at all
// Prints "ready" once it listens or owns the name.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>

#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class Squatter : public QDBusVirtualObject {
public:
    explicit Squatter(QString mode) : m_mode(std::move(mode)) {}
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override {
        if (message.member() != QLatin1String("Activate"))
            return false;
        if (m_mode == QLatin1String("empty"))
            connection.send(message.createReply());
        else if (m_mode == QLatin1String("wrong"))
            connection.send(message.createReply(QStringLiteral("/elsewhere/tavlinko.ini")));
        else if (m_mode == QLatin1String("error"))
            connection.send(message.createErrorReply(
                QStringLiteral("org.freedesktop.DBus.Error.Failed"), QStringLiteral("no")));
        // "never": the call stays unanswered.
        return true;
    }

private:
    QString m_mode;
};

int silentBus(const char *path) {
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path, sizeof address.sun_path - 1);
    ::unlink(path);
    if (::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(listener, 16) != 0)
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    for (;;)
        ::accept(listener, nullptr, nullptr); // kept open, never read
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 3)
        return 2;
    if (std::strcmp(argv[1], "silent") == 0)
        return silentBus(argv[2]);
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Squatter squatter(QString::fromLocal8Bit(argv[2]));
    if (!bus.registerVirtualObject(QStringLiteral("/Ruler"), &squatter) ||
        !bus.registerService(QString::fromLocal8Bit(argv[1])))
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
