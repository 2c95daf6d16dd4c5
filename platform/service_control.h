// The service control manager: the dispatcher, the control handler and the
// status reports of a running service, and the calls that start a service.
#pragma once

#include <windows.h>

#include "platform/facility.h"
#include "platform/unique_handle.h"

namespace platform {

class ServiceControl {
  public:
    virtual ~ServiceControl() = default;
    static ServiceControl& win32();

    // StartServiceCtrlDispatcherW: blocks until every service of the table
    // has stopped; FALSE when the process was not started as a service.
    virtual BOOL startDispatcher(const SERVICE_TABLE_ENTRYW* table) = 0;
    // RegisterServiceCtrlHandlerW: null on failure.
    virtual SERVICE_STATUS_HANDLE registerHandler(const wchar_t* serviceName,
                                                  LPHANDLER_FUNCTION handler) = 0;
    // SetServiceStatus.
    virtual BOOL setStatus(SERVICE_STATUS_HANDLE handle, SERVICE_STATUS* status) = 0;

    // OpenSCManagerW on the local machine's active database.
    virtual SC_HANDLE openManager(DWORD access) = 0;
    // OpenServiceW.
    virtual SC_HANDLE openService(SC_HANDLE manager, const wchar_t* serviceName, DWORD access) = 0;
    // StartServiceA without arguments.
    virtual BOOL startService(SC_HANDLE service) = 0;
    // CloseServiceHandle.
    virtual BOOL closeServiceHandle(SC_HANDLE handle) = 0;
};

struct ServiceHandleTraits {
    using Handle = SC_HANDLE;
    static Handle invalid() { return nullptr; }
    static void close(Handle handle) { use<ServiceControl>().closeServiceHandle(handle); }
};

// A handle of the service control manager or of a service.
using UniqueServiceHandle = UniqueHandle<ServiceHandleTraits>;

}  // namespace platform
