// Creating processes.
#pragma once

#include <windows.h>

#include "platform/facility.h"
#include "platform/unique_handle.h"

namespace platform {

class Processes {
  public:
    virtual ~Processes() = default;
    static Processes& win32();

    // CreateProcessW without security attributes, environment or current
    // directory of its own (the caller's are used).
    virtual BOOL createProcess(const wchar_t* applicationName, wchar_t* commandLine,
                               BOOL inheritHandles, DWORD creationFlags, STARTUPINFOW* startupInfo,
                               PROCESS_INFORMATION* processInformation) = 0;
    // CloseHandle of a process or thread handle.
    virtual BOOL closeHandle(HANDLE handle) = 0;
};

struct ProcessHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static void close(Handle handle) { use<Processes>().closeHandle(handle); }
};

// A process or thread handle, closed through the facility when the holder goes.
using UniqueProcessHandle = UniqueHandle<ProcessHandleTraits>;

}  // namespace platform
