// Deleting the task through either generation of the Task Scheduler, against
// fake scheduler objects: the result, the set-up failures with their codes,
// and that the deletion's own outcome is never logged.
#include "scheduled_task/task_removal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/fake_task_scheduling.h"
#include "tests/fakes/log_capture.h"

namespace {

using Entries = std::vector<std::wstring>;

const wchar_t kTaskName[] = L"Tessaly Vireo Player Updater";
constexpr DWORD kLastError = 1726;
const HRESULT kFailure = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);

std::wstring errorEntry(int code, DWORD detail) {
    return L"error " + std::to_wstring(code) + L" " + std::to_wstring(detail);
}

struct FailingStep {
    const char* call;
    int code;
};

class TaskRemovalTest : public ::testing::Test {
  protected:
    fakes::LogCapture log;
    fakes::FakeTaskScheduling fakes;
};

TEST_F(TaskRemovalTest, TaskScheduler2DeletesTheTaskFromTheRootFolder) {
    fakes.service.tasks[kTaskName] = fakes::StoredRegistration();
    fakes.service.tasks[L"Another task"] = fakes::StoredRegistration();

    EXPECT_TRUE(deleteDefaultTask());

    EXPECT_EQ(log.entries(), Entries());
    EXPECT_EQ(fakes.service.tasks.count(kTaskName), 0u);
    EXPECT_EQ(fakes.service.tasks.count(L"Another task"), 1u);
    EXPECT_EQ(fakes.service.foldersOpened, std::vector<std::wstring>({L"\\"}));
    EXPECT_EQ(fakes.com.calls,
              std::vector<std::string>({"CoInitializeEx 0", "CoInitializeSecurity",
                                        "CoCreateInstance ITaskService", "CoUninitialize"}));
    ASSERT_EQ(fakes.com.securityCalls.size(), 1u);
    EXPECT_EQ(fakes.com.securityCalls[0].authnLevel,
              static_cast<DWORD>(RPC_C_AUTHN_LEVEL_PKT_PRIVACY));
    EXPECT_EQ(fakes.com.securityCalls[0].impLevel, static_cast<DWORD>(RPC_C_IMP_LEVEL_IMPERSONATE));
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

// A missing task, or any other refusal of the delete call, only makes the
// result false.
TEST_F(TaskRemovalTest, TaskScheduler2DeleteThatFailsIsNotLogged) {
    EXPECT_FALSE(deleteDefaultTask());

    fakes.service.tasks[kTaskName] = fakes::StoredRegistration();
    fakes.failCall("ITaskFolder::DeleteTask", kLastError, kFailure, 2);
    EXPECT_FALSE(deleteDefaultTask());

    EXPECT_EQ(log.entries(), Entries());
    EXPECT_EQ(fakes.service.tasks.count(kTaskName), 1u);
    EXPECT_EQ(fakes.com.calls.back(), "CoUninitialize");
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

TEST_F(TaskRemovalTest, TaskScheduler2SetUpFailuresStopWithTheirCodes) {
    const FailingStep steps[] = {
        {"CoInitializeEx", 1295},          {"CoInitializeSecurity", 1296},
        {"CoCreateInstance", 1297},        {"ITaskService::Connect", 1298},
        {"ITaskService::GetFolder", 1299},
    };
    for (const FailingStep& step : steps) {
        SCOPED_TRACE(step.call);
        fakes::LogCapture stepLog;
        fakes::FakeTaskScheduling stepFakes;
        stepFakes.service.tasks[kTaskName] = fakes::StoredRegistration();
        stepFakes.failCall(step.call, kLastError, kFailure);

        EXPECT_FALSE(deleteDefaultTask());

        EXPECT_EQ(stepLog.entries(), Entries({errorEntry(step.code, kLastError)}));
        EXPECT_EQ(stepFakes.service.tasks.count(kTaskName), 1u);
        // COM is left exactly when it was entered.
        const bool entered = std::string(step.call) != "CoInitializeEx";
        EXPECT_EQ(stepFakes.com.calls.back() == "CoUninitialize", entered);
        EXPECT_EQ(stepFakes.problems(), std::vector<std::string>());
    }
}

TEST_F(TaskRemovalTest, TaskScheduler1DeletesTheTaskOnOlderSystems) {
    fakes.os.major = 5;
    fakes.os.minor = 2;
    fakes.scheduler1.jobs[kTaskName] = fakes::StoredJob();

    EXPECT_TRUE(deleteDefaultTask());
    EXPECT_TRUE(fakes.scheduler1.jobs.empty());
    // The second time there is nothing to delete.
    EXPECT_FALSE(deleteDefaultTask());

    EXPECT_EQ(log.entries(), Entries());
    EXPECT_EQ(fakes.com.calls,
              std::vector<std::string>({"CoInitialize", "CoCreateInstance ITaskScheduler",
                                        "CoUninitialize", "CoInitialize",
                                        "CoCreateInstance ITaskScheduler", "CoUninitialize"}));
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

TEST_F(TaskRemovalTest, TaskScheduler1SetUpFailuresStopWithTheirCodes) {
    const FailingStep steps[] = {{"CoInitialize", 1294}, {"CoCreateInstance", 1293}};
    for (const FailingStep& step : steps) {
        SCOPED_TRACE(step.call);
        fakes::LogCapture stepLog;
        fakes::FakeTaskScheduling stepFakes;
        stepFakes.os.major = 5;
        stepFakes.scheduler1.jobs[kTaskName] = fakes::StoredJob();
        stepFakes.failCall(step.call, kLastError, kFailure);

        EXPECT_FALSE(deleteDefaultTask());

        EXPECT_EQ(stepLog.entries(), Entries({errorEntry(step.code, kLastError)}));
        EXPECT_EQ(stepFakes.scheduler1.jobs.count(kTaskName), 1u);
        EXPECT_EQ(stepFakes.com.calls.back() == "CoUninitialize",
                  std::string(step.call) != "CoInitialize");
        EXPECT_EQ(stepFakes.problems(), std::vector<std::string>());
    }
}

}  // namespace
