#include "platform/processes.h"

namespace platform {
namespace {

class Win32Processes final : public Processes {
  public:
    BOOL createProcess(const wchar_t* applicationName, wchar_t* commandLine, BOOL inheritHandles,
                       DWORD creationFlags, STARTUPINFOW* startupInfo,
                       PROCESS_INFORMATION* processInformation) override {
        return ::CreateProcessW(applicationName, commandLine, nullptr, nullptr, inheritHandles,
                                creationFlags, nullptr, nullptr, startupInfo, processInformation);
    }
    BOOL closeHandle(HANDLE handle) override { return ::CloseHandle(handle); }
};

}  // namespace

Processes& Processes::win32() {
    static Win32Processes processes;
    return processes;
}

}  // namespace platform
