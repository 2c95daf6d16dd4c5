// A service control manager for tests. The dispatcher runs the table's main
// function on a thread of its own, as Windows does, and returns when it has
// finished; every status report is recorded (with the log lines written so far,
// so that a test sees reports and lines in one order). A test can deliver
// control requests from inside a status report, fail any single call with a
// chosen error, and count the handles left open.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/service_control.h"
#include "tests/fakes/call_script.h"

namespace fakes {

class FakeServiceControl : public platform::ServiceControl {
  public:
    CallScript script;
    // Service names the dispatcher passes as the main function's first argument.
    std::wstring startedServiceName = L"TessalyVireoPlayerUpdateSvc";
    // Called after each status report is recorded, with the state reported.
    std::function<void(DWORD state)> afterReport;
    // Every report made, in order.
    std::vector<SERVICE_STATUS> reports;
    LPHANDLER_FUNCTION handler = nullptr;
    std::wstring handlerServiceName;
    std::wstring openedServiceName;
    int openHandles = 0;

    BOOL startDispatcher(const SERVICE_TABLE_ENTRYW* table) override {
        if (script.shouldFail("StartServiceCtrlDispatcherW")) return FALSE;
        dispatcherTableName = table[0].lpServiceName;
        std::wstring name = startedServiceName;
        LPWSTR argv[] = {&name[0], nullptr};
        LPSERVICE_MAIN_FUNCTIONW main = table[0].lpServiceProc;
        std::thread serviceThread([main, &argv] { main(1, argv); });
        serviceThread.join();
        return TRUE;
    }
    SERVICE_STATUS_HANDLE registerHandler(const wchar_t* serviceName,
                                          LPHANDLER_FUNCTION handlerFunction) override {
        if (script.shouldFail("RegisterServiceCtrlHandlerW")) return nullptr;
        handlerServiceName = serviceName;
        handler = handlerFunction;
        return reinterpret_cast<SERVICE_STATUS_HANDLE>(static_cast<uintptr_t>(0x5150));
    }
    BOOL setStatus(SERVICE_STATUS_HANDLE handle, SERVICE_STATUS* status) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (handle == reinterpret_cast<SERVICE_STATUS_HANDLE>(static_cast<uintptr_t>(0x5150))) {
                reports.push_back(*status);
            } else {
                reportsToWrongHandle++;
            }
        }
        const bool failed = script.shouldFail("SetServiceStatus");
        if (afterReport) afterReport(status->dwCurrentState);
        return failed ? FALSE : TRUE;
    }
    SC_HANDLE openManager(DWORD access) override {
        if (script.shouldFail("OpenSCManagerW")) return nullptr;
        managerAccess = access;
        ++openHandles;
        return reinterpret_cast<SC_HANDLE>(static_cast<uintptr_t>(0x1000));
    }
    SC_HANDLE openService(SC_HANDLE manager, const wchar_t* serviceName, DWORD access) override {
        if (script.shouldFail("OpenServiceW")) return nullptr;
        if (manager != reinterpret_cast<SC_HANDLE>(static_cast<uintptr_t>(0x1000))) return nullptr;
        openedServiceName = serviceName;
        serviceAccess = access;
        ++openHandles;
        return reinterpret_cast<SC_HANDLE>(static_cast<uintptr_t>(0x2000));
    }
    BOOL startService(SC_HANDLE service) override {
        if (script.shouldFail("StartServiceA")) return FALSE;
        return service == reinterpret_cast<SC_HANDLE>(static_cast<uintptr_t>(0x2000)) ? TRUE
                                                                                      : FALSE;
    }
    BOOL closeServiceHandle(SC_HANDLE) override {
        script.shouldFail("CloseServiceHandle");
        --openHandles;
        return TRUE;
    }

    std::wstring dispatcherTableName;
    DWORD managerAccess = 0;
    DWORD serviceAccess = 0;
    int reportsToWrongHandle = 0;

  private:
    std::mutex mutex_;
};

}  // namespace fakes
