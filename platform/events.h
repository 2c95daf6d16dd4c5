// Event objects.
#pragma once

#include <windows.h>

#include "platform/facility.h"
#include "platform/unique_handle.h"

namespace platform {

class Events {
  public:
    virtual ~Events() = default;
    static Events& win32();

    // CreateEventW without security attributes and without a name; null on
    // failure.
    virtual HANDLE createEvent(BOOL manualReset, BOOL initiallySignalled) = 0;
    // SetEvent.
    virtual BOOL setEvent(HANDLE event) = 0;
    // CloseHandle of an event.
    virtual BOOL closeEvent(HANDLE event) = 0;
};

struct EventHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static void close(Handle event) { use<Events>().closeEvent(event); }
};

using UniqueEvent = UniqueHandle<EventHandleTraits>;

}  // namespace platform
