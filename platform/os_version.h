// The operating system's version.
#pragma once

#include <windows.h>

namespace platform {

class OsVersion {
  public:
    virtual ~OsVersion() = default;
    static OsVersion& win32();

    // GetVersionExA: fills `info`, whose size field the caller sets.
    virtual BOOL getVersionExA(OSVERSIONINFOA* info) = 0;
};

}  // namespace platform
