#include "core/help/ChmLibrary.h"

QString ChmLibrary::defaultName() {
    return QStringLiteral("chm");
}

ChmLibrary::ChmLibrary(const QString &name) : m_library(name, 1) {
    if (!m_library.load())
        return;
    open = reinterpret_cast<Open>(m_library.resolve("chm_open"));
    close = reinterpret_cast<Close>(m_library.resolve("chm_close"));
    resolve = reinterpret_cast<Resolve>(m_library.resolve("chm_resolve_object"));
    retrieve = reinterpret_cast<Retrieve>(m_library.resolve("chm_retrieve_object"));
    enumerate = reinterpret_cast<Enumerate>(m_library.resolve("chm_enumerate"));
    m_loaded = open && close && resolve && retrieve && enumerate;
    if (!m_loaded)
        m_library.unload();
}
