#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>

namespace {

const QString objectPath = QStringLiteral("/Ruler");

// A bus name stands for the settings file, the same whichever way the file was named (a
// relative path, a link to it).
QString busName(const QString &settingsFile) {
    const QFileInfo file(settingsFile);
    const QString canonical = file.canonicalFilePath();
    const QString path = canonical.isEmpty() ? file.absoluteFilePath() : canonical;
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("tavlinko.Ruler.f") + QString::fromLatin1(hash.toHex().left(32));
}

} // namespace

SingleInstance::SingleInstance(const QString &settingsFile) {
    // Asking for the session bus without an address would make the bus library start one: a
    // process forked while other threads of the ruler run, and no desktop is without its bus.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // Ready to answer before the name is ours, so that no later start finds the name but no one
    // to call.
    bus.registerObject(objectPath, this, QDBusConnection::ExportScriptableSlots);
    const QString name = busName(settingsFile);
    if (bus.registerService(name))
        return;
    // When the running ruler does not answer (it is just ending, or hangs), this one runs after
    // all.
    constexpr int answerTimeoutMs = 3000;
    const QDBusMessage reply =
        bus.call(QDBusMessage::createMethodCall(name, objectPath, QStringLiteral("tavlinko.Ruler"),
                                                QStringLiteral("Activate")),
                 QDBus::Block, answerTimeoutMs);
    m_handedOver = reply.type() == QDBusMessage::ReplyMessage;
}

void SingleInstance::Activate() {
    emit activationRequested();
}
