// Which Task Scheduler generation the operating system's version selects.
#include "scheduled_task/scheduler_api.h"

#include <gtest/gtest.h>

#include "platform/facility.h"
#include "tests/fakes/fake_system_queries.h"

namespace {

TEST(SchedulerApiTest, NtSixAndLaterGetTaskScheduler2EverythingElse1) {
    struct Case {
        DWORD platformId;
        DWORD major;
        DWORD minor;
        SchedulerApi expected;
    };
    const Case cases[] = {
        {VER_PLATFORM_WIN32_NT, 5, 1, SchedulerApi::taskScheduler1},  // XP
        {VER_PLATFORM_WIN32_NT, 5, 2, SchedulerApi::taskScheduler1},  // Server 2003
        {VER_PLATFORM_WIN32_NT, 6, 0, SchedulerApi::taskScheduler2},  // Vista
        {VER_PLATFORM_WIN32_NT, 6, 1, SchedulerApi::taskScheduler2},
        {VER_PLATFORM_WIN32_NT, 10, 0, SchedulerApi::taskScheduler2},
        {VER_PLATFORM_WIN32_WINDOWS, 6, 0, SchedulerApi::taskScheduler1},
        {VER_PLATFORM_WIN32s, 10, 0, SchedulerApi::taskScheduler1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.platformId << " " << c.major << "." << c.minor);
        fakes::FakeOsVersion os;
        os.platformId = c.platformId;
        os.major = c.major;
        os.minor = c.minor;
        platform::ScopedFacility<platform::OsVersion> inForce(os);

        EXPECT_EQ(selectSchedulerApi(), c.expected);
        EXPECT_EQ(os.sizeSeen, 148u);
    }
}

TEST(SchedulerApiTest, VersionThatCannotBeReadMeansTaskScheduler1) {
    fakes::FakeOsVersion os;
    os.fails = true;
    platform::ScopedFacility<platform::OsVersion> inForce(os);

    EXPECT_EQ(selectSchedulerApi(), SchedulerApi::taskScheduler1);
}

}  // namespace
