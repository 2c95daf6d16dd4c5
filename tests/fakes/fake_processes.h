// Process creation that starts nothing: it records what it was asked for,
// hands out two handles to be closed, fails on request, and can run out of
// memory as an allocation does.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "common/allocation_failure.h"
#include "platform/processes.h"
#include "tests/fakes/call_script.h"

namespace fakes {

class FakeProcesses : public platform::Processes {
  public:
    CallScript script;
    DWORD runOutOfMemory = 0;  // when set, the call runs out of memory with it

    struct Created {
        std::wstring applicationName;  // "(none)" when not given
        std::wstring commandLine;
        BOOL inheritHandles;
        DWORD creationFlags;
        DWORD startupSize;
        bool startupOtherwiseEmpty;
    };
    std::vector<Created> created;
    std::vector<std::string> closed;

    BOOL createProcess(const wchar_t* applicationName, wchar_t* commandLine, BOOL inheritHandles,
                       DWORD creationFlags, STARTUPINFOW* startupInfo,
                       PROCESS_INFORMATION* information) override {
        if (runOutOfMemory != 0) {
            ::SetLastError(runOutOfMemory);
            recordAllocationFailure();
        }
        if (script.shouldFail("CreateProcessW")) return FALSE;
        STARTUPINFOW empty = {};
        empty.cb = startupInfo->cb;
        created.push_back({applicationName ? applicationName : L"(none)", commandLine,
                           inheritHandles, creationFlags, startupInfo->cb,
                           std::memcmp(&empty, startupInfo, sizeof empty) == 0});
        information->hProcess = &process_;
        information->hThread = &thread_;
        information->dwProcessId = 4242;
        information->dwThreadId = 4243;
        return TRUE;
    }
    BOOL closeHandle(HANDLE handle) override {
        closed.push_back(handle == &process_ ? "process" : handle == &thread_ ? "thread" : "other");
        return TRUE;
    }

  private:
    char process_ = 0;
    char thread_ = 0;
};

}  // namespace fakes
