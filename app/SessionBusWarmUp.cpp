#include "app/SessionBusWarmUp.h"

#ifdef TAVLINKO_HAVE_DBUS
#include <QDBusConnection>
#endif

SessionBusWarmUp::SessionBusWarmUp() {
#ifdef TAVLINKO_HAVE_DBUS
    // The connection is shared by the whole program; whoever asks for it next gets this one, or
    // waits for this attempt to end.
    m_connector = std::thread([] { QDBusConnection::sessionBus(); });
#endif
}

SessionBusWarmUp::~SessionBusWarmUp() {
    if (m_connector.joinable())
        m_connector.join();
}
