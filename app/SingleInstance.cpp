#include "app/SingleInstance.h"

#include "core/settings/SettingsIdentity.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <thread>
#include <unistd.h>

namespace {

const QString objectPath = QStringLiteral("/Ruler");
const QString interfaceName = QStringLiteral("tavlinko.Ruler");
const QString busService = QStringLiteral("org.freedesktop.DBus");
const QString busPath = QStringLiteral("/org/freedesktop/DBus");

// Every call waits at most until the deadline, so that a bus that stops answering half-way
// never holds the thread much longer than the start waits for it.
QDBusMessage callBus(const QDBusConnection &bus, const QDBusMessage &call) {
    return bus.call(call, QDBus::Block, int(SingleInstance::deadline.count()));
}

QDBusMessage busMethod(const QString &method, const QVariantList &arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(busService, busPath, busService, method);
    call.setArguments(arguments);
    return call;
}

bool isReplyWith(const QDBusMessage &reply, QMetaType::Type type) {
    return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1 &&
           reply.arguments().constFirst().metaType().id() == type;
}

} // namespace

SingleInstance::SingleInstance(const QString &settingsFile)
    : m_settingsFile(canonicalSettingsFile(settingsFile)),
      m_asked(std::chrono::steady_clock::now()) {
    std::packaged_task<Answer()> task([this] { return askBus(); });
    m_answer = task.get_future();
    std::thread(std::move(task)).detach();
}

bool SingleInstance::handedOver() {
    if (m_answer.wait_until(m_asked + deadline) != std::future_status::ready) {
        m_abandoned = true;
        return false;
    }
    return m_answer.get() == Answer::HandedOver;
}

SingleInstance::Answer SingleInstance::askBus() const {
    // Asking for the session bus without an address would make the bus library start one: a
    // process forked while other threads of the ruler run, and no desktop is without its bus.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return Answer::Run;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return Answer::Run;
    // Ready to answer before the name is ours, so that no later start finds the name but no one
    // to call.
    bus.registerObject(objectPath, const_cast<SingleInstance *>(this),
                       QDBusConnection::ExportScriptableSlots);
    const QString name = rulerBusName(m_settingsFile);
    constexpr uint doNotQueue = 4;
    constexpr uint ownedByAnother = 3;
    const QDBusMessage claim =
        callBus(bus, busMethod(QStringLiteral("RequestName"), {name, doNotQueue}));
    if (!isReplyWith(claim, QMetaType::UInt) ||
        claim.arguments().constFirst().toUInt() != ownedByAnother)
        return Answer::Run;
    const QDBusMessage answer =
        callBus(bus, QDBusMessage::createMethodCall(name, objectPath, interfaceName,
                                                    QStringLiteral("Activate")));
    if (!isReplyWith(answer, QMetaType::QString) ||
        answer.arguments().constFirst().toString() != m_settingsFile)
        return Answer::Run;
    // The bus itself tells whose process answered.
    const QDBusMessage owner =
        callBus(bus, busMethod(QStringLiteral("GetConnectionUnixUser"), {answer.service()}));
    const bool sameUser = isReplyWith(owner, QMetaType::UInt) &&
                          owner.arguments().constFirst().toUInt() == uint(::getuid());
    return sameUser ? Answer::HandedOver : Answer::Run;
}

QString SingleInstance::Activate() {
    emit activationRequested();
    return m_settingsFile;
}
