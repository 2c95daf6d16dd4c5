// Path queries about the running process.
#pragma once

#include <windows.h>

namespace platform {

class ProcessPaths {
  public:
    virtual ~ProcessPaths() = default;
    static ProcessPaths& win32();

    // GetFullPathNameW without the file-part pointer: the length written
    // (without terminator), the size needed (with terminator) when `buffer` is
    // too small, or 0 on failure.
    virtual DWORD getFullPathName(const wchar_t* path, DWORD bufferLength, wchar_t* buffer) = 0;
};

}  // namespace platform
