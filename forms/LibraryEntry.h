#pragma once

#include <QLibrary>

// Sets `function` to the entry point `name` of a library loaded only when it is needed (a
// library linked to the program is loaded at every start); false when the library or the entry
// point is missing.
template <typename FunctionPointer>
bool resolveEntry(QLibrary &library, FunctionPointer &function, const char *name) {
    function = reinterpret_cast<FunctionPointer>(library.resolve(name));
    return function != nullptr;
}
