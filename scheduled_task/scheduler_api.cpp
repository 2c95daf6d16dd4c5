#include "scheduled_task/scheduler_api.h"

#include <windows.h>

#include "platform/facility.h"
#include "platform/os_version.h"

namespace {

constexpr DWORD kFirstTaskScheduler2Major = 6;

}  // namespace

SchedulerApi selectSchedulerApi() {
    // Zeroed first: should the query fail, the record reads as no platform,
    // which means the 1.0 interfaces.
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    static_assert(sizeof(OSVERSIONINFOA) == 148, "the record GetVersionExA fills");
    platform::use<platform::OsVersion>().getVersionExA(&info);
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
        info.dwMajorVersion >= kFirstTaskScheduler2Major) {
        return SchedulerApi::taskScheduler2;
    }
    return SchedulerApi::taskScheduler1;
}
