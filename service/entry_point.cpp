#include "service/entry_point.h"

#include <windows.h>

#include <memory>
#include <new>
#include <vector>

#include "common/allocation_failure.h"
#include "log/install_log.h"
#include "platform/facility.h"
#include "platform/process_paths.h"

namespace {

const wchar_t kDeleteTask[] = L"-deleteTask";
const wchar_t kCreateDefaultTask[] = L"-createDefaultTask";
const wchar_t kSetSilentAutoUpdate[] = L"-setSilentAutoUpdate";
const wchar_t kSetNotifyAutoUpdate[] = L"-setNotifyAutoUpdate";
const wchar_t kSetDisableAutoUpdate[] = L"-setDisableAutoUpdate";
const wchar_t kIsSAUEnabled[] = L"-isSAUEnabled";

constexpr int kModeSilent = 0;
constexpr int kModeNotify = 1;
constexpr int kModeDisabled = 2;

// Each switch is compared in turn, whatever the earlier comparisons gave; the
// comparison is exact and case-sensitive on the whole argument.
int dispatchSwitch(const std::wstring& argument, const ServiceHost& host,
                   EntryOperations& operations) {
    int exitCode = kExitNormal;
    if (argument == kDeleteTask) {
        operations.deleteUpdateState();
        operations.deleteDefaultTask();
    }
    if (argument == kCreateDefaultTask) {
        // A fresh task starts from a fresh state: no attempts, checked at
        // once, the default frequency. Each step only if the one before it
        // was stored; the task is created whatever they gave.
        if (operations.writeUpdateAttempts(0) && operations.resetLastUpdateCheck()) {
            operations.writeDefaultCheckFrequency();
        }
        operations.createDefaultTask(host.programPath);
    }
    if (argument == kSetSilentAutoUpdate) operations.setUpdateMode(kModeSilent);
    if (argument == kSetNotifyAutoUpdate) operations.setUpdateMode(kModeNotify);
    if (argument == kSetDisableAutoUpdate) operations.setUpdateMode(kModeDisabled);
    if (argument == kIsSAUEnabled) {
        exitCode =
            operations.isSilentAutoUpdateEnabled() ? kExitSilentAutoUpdateEnabled : kExitNormal;
    }
    return exitCode;
}

void runServicePath(const ServiceHost& host, EntryOperations& operations) {
    operations.activateUpdatePolicy(host.programPath);
    const bool ranAsService = operations.runServiceDispatcher();
    operations.releaseUpdatePolicy();
    // Not started by the service control manager: this is the scheduled
    // task's run, which only asks for the service to be started.
    if (!ranAsService) operations.requestServiceStart(host);
}

}  // namespace

std::wstring resolveFullPath(const wchar_t* path) {
    if (path == nullptr) return std::wstring();
    platform::ProcessPaths& paths = platform::use<platform::ProcessPaths>();
    const DWORD needed = paths.getFullPathName(path, 0, nullptr);
    if (needed == 0) return std::wstring();
    std::vector<wchar_t> buffer(needed);
    const DWORD length = paths.getFullPathName(path, needed, buffer.data());
    // Zero is a failure; a length that does not fit means the answer changed
    // between the calls: in neither case does the buffer hold a path.
    if (length == 0 || length >= needed) return std::wstring();
    return std::wstring(buffer.data(), length);
}

int runEntryPoint(int argc, const wchar_t* const* argv, EntryOperations& operations) {
    const std::wstring programPath = resolveFullPath(argc > 0 ? argv[0] : nullptr);
    writeLog(LogLevel::info, programPath);
    logMessage(msg::kStartupMarker);
    const bool hasArgument = argc > 1 && argv[1] != nullptr;
    if (hasArgument) writeLog(LogLevel::info, argv[1]);

    int exitCode = kExitNormal;
    try {
        const auto host =
            std::make_unique<ServiceHost>(programPath, kServiceName, kServiceDisplayName);
        if (hasArgument) {
            exitCode = dispatchSwitch(argv[1], *host, operations);
        } else {
            runServicePath(*host, operations);
        }
    } catch (const std::bad_alloc&) {
        const DWORD lastError = lastErrorOfAllocationFailure();
        logLastError(msg::kMainOutOfMemory, lastError);
    }
    return exitCode;
}
