// String resources of a loaded module.
#pragma once

#include <windows.h>

namespace platform {

class StringResources {
  public:
    virtual ~StringResources() = default;
    static StringResources& win32();

    // GetModuleHandleW: the module of `name`, or with no name the program's
    // own; null on failure. The handle is not owned by the caller.
    virtual HMODULE getModuleHandle(const wchar_t* name) = 0;
    // LoadStringW. With `bufferMax` 0, `buffer` receives a read-only pointer
    // to the stored text (which need not end in a NUL) and the answer is its
    // length; 0 when the string does not exist.
    virtual int loadString(HINSTANCE module, UINT id, wchar_t* buffer, int bufferMax) = 0;
};

}  // namespace platform
