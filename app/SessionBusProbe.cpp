#include "app/SessionBusProbe.h"

#include <QByteArray>
#include <QStringList>

#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The socket of the first unix: address; an empty name for other kinds.
struct SocketAddress {
    QByteArray name;
    bool abstract = false;
};

SocketAddress unixSocket(const QString &address) {
    const QString first = address.section(u';', 0, 0);
    if (!first.startsWith(QLatin1String("unix:")))
        return {};
    for (const QString &pair : first.mid(5).split(u',')) {
        const QString key = pair.section(u'=', 0, 0);
        const QByteArray value = QByteArray::fromPercentEncoding(pair.section(u'=', 1).toUtf8());
        if (key == QLatin1String("path"))
            return {value, false};
        if (key == QLatin1String("abstract"))
            return {value, true};
    }
    return {};
}

void align(QByteArray &message, int boundary) {
    while (message.size() % boundary != 0)
        message.append('\0');
}

void appendUint32(QByteArray &message, quint32 value) {
    for (int shift = 0; shift < 32; shift += 8)
        message.append(char((value >> shift) & 0xff));
}

// The first message of every client: org.freedesktop.DBus.Hello, in little-endian wire format.
QByteArray helloMessage() {
    QByteArray message("l\x01\x00\x01", 4); // method call, no flags, protocol 1
    appendUint32(message, 0);               // no body
    appendUint32(message, 1);               // serial
    appendUint32(message, 0);               // length of the header fields, set below
    const struct {
        char code;
        char type;
        const char *value;
    } fields[] = {{1, 'o', "/org/freedesktop/DBus"},
                  {6, 's', "org.freedesktop.DBus"},
                  {2, 's', "org.freedesktop.DBus"},
                  {3, 's', "Hello"}};
    for (const auto &field : fields) {
        align(message, 8);
        message.append(field.code).append('\x01').append(field.type).append('\0');
        appendUint32(message, quint32(std::strlen(field.value)));
        message.append(field.value).append('\0');
    }
    const quint32 fieldsLength = quint32(message.size() - 16);
    for (int i = 0; i < 4; ++i)
        message[12 + i] = char((fieldsLength >> (8 * i)) & 0xff);
    align(message, 8);
    return message;
}

int remainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? int(left.count()) : 0;
}

bool sendAll(int socket, const QByteArray &bytes) {
    return ::send(socket, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) == bytes.size();
}

// The bytes received until they hold `until` (or any byte, when it is empty); nothing when
// the deadline or the end of the connection comes first.
std::optional<QByteArray> receive(int socket, const QByteArray &until, Clock::time_point deadline) {
    QByteArray received;
    for (;;) {
        pollfd readable{socket, POLLIN, 0};
        if (::poll(&readable, 1, remainingMs(deadline)) <= 0)
            return std::nullopt;
        char buffer[256];
        const ssize_t count = ::recv(socket, buffer, sizeof buffer, 0);
        if (count <= 0)
            return std::nullopt;
        received.append(buffer, count);
        if (until.isEmpty() || received.contains(until))
            return received;
    }
}

bool answers(int socket, Clock::time_point deadline) {
    const QByteArray user = QByteArray::number(::getuid()).toHex();
    if (!sendAll(socket, QByteArray("\0AUTH EXTERNAL ", 15) + user + "\r\n"))
        return false;
    const std::optional<QByteArray> authenticated = receive(socket, "\r\n", deadline);
    if (!authenticated)
        return false;
    // A bus that wants another way to authenticate has answered; the library knows the ways.
    if (!authenticated->startsWith("OK "))
        return true;
    return sendAll(socket, "BEGIN\r\n" + helloMessage()) && receive(socket, {}, deadline);
}

} // namespace

SessionBusProbe::SessionBusProbe(std::chrono::milliseconds limit)
    : m_answer(std::async(
          std::launch::async,
          [address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"),
           deadline = Clock::now() + limit] { return sessionBusAnswers(address, deadline); })) {}

bool SessionBusProbe::answers() {
    const bool answered = m_answer.get();
    if (!answered)
        qputenv("DBUS_SESSION_BUS_ADDRESS", "none:");
    return answered;
}

bool sessionBusAnswers(const QString &address, Clock::time_point deadline) {
    const SocketAddress where = unixSocket(address);
    if (where.name.isEmpty())
        return true;
    sockaddr_un socketAddress = {};
    socketAddress.sun_family = AF_UNIX;
    const qsizetype offset = where.abstract ? 1 : 0;
    if (where.name.size() + offset >= qsizetype(sizeof socketAddress.sun_path))
        return false;
    std::memcpy(socketAddress.sun_path + offset, where.name.constData(), size_t(where.name.size()));
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + offset + where.name.size() +
                                  (where.abstract ? 0 : 1));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socket < 0)
        return false;
    // Not blocking: a bus whose queue of connections is full would hold connect() too.
    const bool alive =
        ::connect(socket, reinterpret_cast<const sockaddr *>(&socketAddress), length) == 0 &&
        answers(socket, deadline);
    ::close(socket);
    return alive;
}
