// Real events, with creation made to fail on request and the signals counted.
#pragma once

#include <atomic>

#include "platform/events.h"
#include "tests/fakes/call_script.h"

namespace fakes {

class FakeEvents : public platform::Events {
  public:
    CallScript script;
    std::atomic<int> signals{0};

    HANDLE createEvent(BOOL manualReset, BOOL initiallySignalled) override {
        if (script.shouldFail("CreateEventW")) return nullptr;
        lastManualReset = manualReset;
        lastInitiallySignalled = initiallySignalled;
        return real().createEvent(manualReset, initiallySignalled);
    }
    BOOL setEvent(HANDLE event) override {
        ++signals;
        return real().setEvent(event);
    }
    BOOL closeEvent(HANDLE event) override { return real().closeEvent(event); }

    BOOL lastManualReset = FALSE;
    BOOL lastInitiallySignalled = TRUE;

  private:
    static platform::Events& real() { return platform::Events::win32(); }
};

}  // namespace fakes
