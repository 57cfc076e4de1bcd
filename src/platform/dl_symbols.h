// Finding a library's functions by name, for libraries opened with dlopen.
#pragma once

#include <dlfcn.h>
#include <initializer_list>

namespace atb {

// The first of the names that opens, or null. RTLD_NODELETE keeps the code
// mapped for the rest of the process, whatever happens to the handle.
inline void* openLibrary(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (void* lib = ::dlopen(name, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE)) return lib;
    return nullptr;
}

template <typename F>
bool findSymbol(void* lib, const char* name, F& out)
{
    void* sym = ::dlsym(lib, name);
    out = reinterpret_cast<F>(sym);
    return sym != nullptr;
}

} // namespace atb
