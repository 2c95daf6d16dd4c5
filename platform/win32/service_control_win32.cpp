#include "platform/service_control.h"

namespace platform {
namespace {

class Win32ServiceControl final : public ServiceControl {
  public:
    BOOL startDispatcher(const SERVICE_TABLE_ENTRYW* table) override {
        return ::StartServiceCtrlDispatcherW(table);
    }
    SERVICE_STATUS_HANDLE registerHandler(const wchar_t* serviceName,
                                          LPHANDLER_FUNCTION handler) override {
        return ::RegisterServiceCtrlHandlerW(serviceName, handler);
    }
    BOOL setStatus(SERVICE_STATUS_HANDLE handle, SERVICE_STATUS* status) override {
        return ::SetServiceStatus(handle, status);
    }
    SC_HANDLE openManager(DWORD access) override {
        return ::OpenSCManagerW(nullptr, nullptr, access);
    }
    SC_HANDLE openService(SC_HANDLE manager, const wchar_t* serviceName, DWORD access) override {
        return ::OpenServiceW(manager, serviceName, access);
    }
    BOOL startService(SC_HANDLE service) override { return ::StartServiceA(service, 0, nullptr); }
    BOOL closeServiceHandle(SC_HANDLE handle) override { return ::CloseServiceHandle(handle); }
};

}  // namespace

ServiceControl& ServiceControl::win32() {
    static Win32ServiceControl control;
    return control;
}

}  // namespace platform
