#include "platform/events.h"

namespace platform {
namespace {

class Win32Events final : public Events {
  public:
    HANDLE createEvent(BOOL manualReset, BOOL initiallySignalled) override {
        return ::CreateEventW(nullptr, manualReset, initiallySignalled, nullptr);
    }
    BOOL setEvent(HANDLE event) override { return ::SetEvent(event); }
    BOOL closeEvent(HANDLE event) override { return ::CloseHandle(event); }
};

}  // namespace

Events& Events::win32() {
    static Win32Events events;
    return events;
}

}  // namespace platform
