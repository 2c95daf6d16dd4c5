#include "service/service_runtime.h"

#include <mutex>
#include <new>
#include <string>

#include "common/allocation_failure.h"
#include "log/install_log.h"
#include "platform/events.h"
#include "platform/facility.h"
#include "platform/service_control.h"
#include "service/active_update_policy.h"
#include "service/service_host.h"

namespace {

// The service's state: one per process, shared by the service thread and the
// control handler's thread.
SERVICE_STATUS serviceStatus = {};
SERVICE_STATUS_HANDLE statusHandle = nullptr;
DWORD checkPointCounter = 1;
// Nothing waits on it; it lives until the process ends.
platform::UniqueEvent stopEvent;
ServiceWork serviceWork = nullptr;

std::mutex& statusMutex() {
    static std::mutex mutex;
    return mutex;
}

// Caller holds the status lock.
void reportStatusLocked(DWORD state, DWORD waitHint) {
    serviceStatus.dwCurrentState = state;
    serviceStatus.dwWin32ExitCode = NO_ERROR;
    serviceStatus.dwWaitHint = waitHint;
    serviceStatus.dwControlsAccepted = state == SERVICE_START_PENDING ? 0 : SERVICE_ACCEPT_STOP;
    if (state == SERVICE_RUNNING || state == SERVICE_STOPPED) {
        serviceStatus.dwCheckPoint = 0;
    } else {
        serviceStatus.dwCheckPoint = checkPointCounter++;
    }
    platform::use<platform::ServiceControl>().setStatus(statusHandle, &serviceStatus);
}

void runWork() {
    try {
        serviceWork();
    } catch (const std::bad_alloc&) {
        // The cycle has no handler of its own; the service must still stop.
        logLastError(msg::kMainOutOfMemory, lastErrorOfAllocationFailure());
    }
}

}  // namespace

bool runServiceDispatcher(ServiceWork work) {
    logMessage(msg::kDispatcherStarting);
    serviceWork = work;
    std::wstring serviceName = kServiceName;
    const SERVICE_TABLE_ENTRYW table[] = {{&serviceName[0], serviceMain}, {nullptr, nullptr}};
    if (!platform::use<platform::ServiceControl>().startDispatcher(table)) {
        const DWORD lastError = ::GetLastError();
        logLastError(msg::kDispatcherNotStarted, lastError);
        return false;
    }
    logMessage(msg::kDispatcherReturned);
    return true;
}

void WINAPI serviceMain(DWORD argc, LPWSTR* argv) {
    // The manager names the service it started first. A process of this
    // program runs the updater's service and nothing else.
    if (argc > 0 && argv != nullptr && argv[0] != nullptr &&
        ::lstrcmpiW(argv[0], kServiceName) != 0) {
        return;
    }
    SERVICE_STATUS_HANDLE handle =
        platform::use<platform::ServiceControl>().registerHandler(kServiceName, controlHandler);
    if (handle == nullptr) {
        const DWORD lastError = ::GetLastError();
        logLastError(msg::kControlHandlerNotRegistered, lastError);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(statusMutex());
        statusHandle = handle;
        serviceStatus.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
        serviceStatus.dwServiceSpecificExitCode = 0;
        reportStatusLocked(SERVICE_START_PENDING, 3000);
    }
    runServiceWorker();
    // Logged before the stopped report: once it is made, the dispatcher may
    // return and the process end while this thread is still running.
    logMessage(msg::kServiceMainEnds);
    reportStatus(SERVICE_STOPPED, 0);
}

void WINAPI controlHandler(DWORD control) {
    logLastError(msg::kControlReceived, control);
    if (control != SERVICE_CONTROL_STOP) return;
    std::lock_guard<std::mutex> lock(statusMutex());
    reportStatusLocked(SERVICE_STOP_PENDING, 0);
    logMessage(msg::kStopRequested);
    if (stopEvent) platform::use<platform::Events>().setEvent(stopEvent.get());
    reportStatusLocked(serviceStatus.dwCurrentState, 0);
}

void reportStatus(DWORD state, DWORD waitHint) {
    std::lock_guard<std::mutex> lock(statusMutex());
    reportStatusLocked(state, waitHint);
}

bool runServiceWorker() {
    stopEvent.reset(platform::use<platform::Events>().createEvent(TRUE, FALSE));
    if (!stopEvent) return false;
    reportStatus(SERVICE_RUNNING, 0);
    if (activeUpdatePolicy != nullptr) {
        runWork();
    } else {
        const DWORD lastError = ::GetLastError();
        logLastError(msg::kNoUpdatePolicy, lastError);
    }
    return true;
}
