#include "platform/clock.h"

namespace platform {
namespace {

class Win32Clock final : public Clock {
  public:
    void getSystemTime(SYSTEMTIME* time) override { ::GetSystemTime(time); }
    void getSystemTimeAsFileTime(FILETIME* time) override { ::GetSystemTimeAsFileTime(time); }
};

}  // namespace

Clock& Clock::win32() {
    static Win32Clock clock;
    return clock;
}

}  // namespace platform
