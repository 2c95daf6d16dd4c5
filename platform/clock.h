// The system clock facility.
#pragma once

#include <windows.h>

namespace platform {

class Clock {
  public:
    virtual ~Clock() = default;
    static Clock& win32();

    // Current UTC time from the system clock (GetSystemTime).
    virtual void getSystemTime(SYSTEMTIME* time) = 0;
    // Current UTC time as a FILETIME (GetSystemTimeAsFileTime).
    virtual void getSystemTimeAsFileTime(FILETIME* time) = 0;
};

}  // namespace platform
