#pragma once

#include <QLibrary>
#include <QString>

struct chmFile;
struct chmUnitInfo;

// chmlib, the reader of compiled HTML help files, loaded while the program runs, so that a
// machine without it still runs the ruler (without help). Loading resolves the library and the
// functions the help needs and nothing else; files are opened only on the first help request.
class ChmLibrary {
public:
    using Open = chmFile *(*)(const char *fileName);
    using Close = void (*)(chmFile *file);
    using Resolve = int (*)(chmFile *file, const char *path, chmUnitInfo *unit);
    using Retrieve = long long (*)(chmFile *file, chmUnitInfo *unit, unsigned char *buffer,
                                   unsigned long long offset, long long length);
    using Enumerator = int (*)(chmFile *file, chmUnitInfo *unit, void *context);
    using Enumerate = int (*)(chmFile *file, int what, Enumerator enumerator, void *context);

    // The library as the system names it ("libchm.so.1" on Linux).
    static QString defaultName();

    explicit ChmLibrary(const QString &name = defaultName());

    // True when the library and every function were found.
    bool isLoaded() const { return m_loaded; }

    Open open = nullptr;
    Close close = nullptr;
    Resolve resolve = nullptr;
    Retrieve retrieve = nullptr;
    Enumerate enumerate = nullptr;

private:
    QLibrary m_library;
    bool m_loaded = false;
};
