#include "service/service_start_request.h"

#include <windows.h>

#include "log/install_log.h"
#include "platform/facility.h"
#include "platform/service_control.h"

namespace {

constexpr DWORD kManagerAllAccess = 0xF003F;  // SC_MANAGER_ALL_ACCESS
constexpr DWORD kServiceAllAccess = 0xF01FF;  // SERVICE_ALL_ACCESS

}  // namespace

bool requestServiceStart(const ServiceHost& host) {
    platform::ServiceControl& control = platform::use<platform::ServiceControl>();
    platform::UniqueServiceHandle manager(control.openManager(kManagerAllAccess));
    if (!manager) {
        logLastError(msg::kStartOpenManagerFailed);
        return false;
    }
    platform::UniqueServiceHandle service(
        control.openService(manager.get(), host.serviceName.c_str(), kServiceAllAccess));
    if (!service) {
        logLastError(msg::kStartOpenServiceFailed);
        return false;
    }
    if (!control.startService(service.get())) {
        logLastError(msg::kStartServiceFailed);
        return false;
    }
    logMessage(msg::kServiceStartRequested);
    return true;
}
