#include "app/FontConfigWarmUp.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <dlfcn.h>
#endif

FontConfigWarmUp::FontConfigWarmUp() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Looked up rather than linked: fontconfig is loaded with the GUI library wherever Qt draws
    // text through it. Its initialisation is safe to race with a later one from Qt.
    using Initialise = int (*)();
    if (auto initialise = reinterpret_cast<Initialise>(::dlsym(RTLD_DEFAULT, "FcInit")))
        m_reader = std::thread(initialise);
#endif
}

FontConfigWarmUp::~FontConfigWarmUp() {
    wait();
}

void FontConfigWarmUp::wait() {
    if (m_reader.joinable())
        m_reader.join();
}
