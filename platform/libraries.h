// Loading a library at run time and finding its entry points.
#pragma once

#include <windows.h>

#include "platform/facility.h"
#include "platform/unique_handle.h"

namespace platform {

class Libraries {
  public:
    virtual ~Libraries() = default;
    static Libraries& win32();

    // LoadLibraryW: the module, or null.
    virtual HMODULE loadLibrary(const wchar_t* path) = 0;
    // GetProcAddress: the entry point, or null.
    virtual FARPROC getProcAddress(HMODULE module, const char* name) = 0;
    // FreeLibrary.
    virtual BOOL freeLibrary(HMODULE module) = 0;
};

struct LibraryHandleTraits {
    using Handle = HMODULE;
    static Handle invalid() { return nullptr; }
    static void close(Handle module) { use<Libraries>().freeLibrary(module); }
};

// A loaded library, freed through the facility when the holder goes.
using UniqueLibrary = UniqueHandle<LibraryHandleTraits>;

// An entry point as the function type it has. The detour through a pointer to
// a function without parameters keeps compilers from warning about the cast.
template <class Function>
Function entryPointAs(FARPROC address) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace platform
