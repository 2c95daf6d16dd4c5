// Creating the task through Task Scheduler 1.0 (on a system reporting NT
// 5.1), against fake scheduler objects: the new task and its trigger record,
// an existing task, every code that stops the procedure and every warning
// after which it goes on, and that every interface and the apartment are
// given back on every path.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "scheduled_task/task_registrar.h"
#include "tests/fakes/fake_task_scheduling.h"
#include "tests/fakes/log_capture.h"

namespace {

using Entries = std::vector<std::wstring>;
using fakes::StoredJob;

const wchar_t kProgram[] = L"C:\\Program Files\\Vireo\\VireoPlayerUpdater.exe";
const wchar_t kTaskName[] = L"Tessaly Vireo Player Updater";
constexpr DWORD kLastError = 1726;
const HRESULT kFailure = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);

std::wstring entry(const char* level, int code, DWORD detail) {
    return std::wstring(level, level + std::char_traits<char>::length(level)) + L" " +
           std::to_wstring(code) + L" " + std::to_wstring(detail);
}

bool sameRecord(const TASK_TRIGGER& a, const TASK_TRIGGER& b) {
    return std::memcmp(&a, &b, sizeof(TASK_TRIGGER)) == 0;
}

bool sameJob(const StoredJob& a, const StoredJob& b) {
    if (a.accountSet != b.accountSet || a.accountName != b.accountName ||
        a.passwordGiven != b.passwordGiven || a.creator != b.creator || a.comment != b.comment ||
        a.applicationName != b.applicationName || a.flags != b.flags ||
        a.triggers.size() != b.triggers.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.triggers.size(); ++i) {
        if (!sameRecord(a.triggers[i], b.triggers[i])) return false;
    }
    return true;
}

// A task as an administrator may have changed it: two triggers, another
// program, its own comment, an account of its own.
StoredJob changedJob() {
    StoredJob job;
    job.accountSet = true;
    job.accountName = L"MACHINE\\someone";
    job.passwordGiven = true;
    job.creator = L"An administrator";
    job.comment = L"Changed by hand";
    job.applicationName = L"C:\\Other\\program.exe";
    job.flags = TASK_FLAG_HIDDEN;
    TASK_TRIGGER first = fakes::dailyTrigger(23, 15, 600);
    first.wStartHour = 3;
    first.Type.Daily.DaysInterval = 2;
    job.triggers = {first, fakes::dailyTrigger(40, 30, 1440)};
    return job;
}

class TaskScheduler1CreationTest : public ::testing::Test {
  protected:
    TaskScheduler1CreationTest() {
        fakes.os.major = 5;
        fakes.os.minor = 1;
    }

    fakes::LogCapture log;
    fakes::FakeTaskScheduling fakes;

    bool create() { return createDefaultTask(kProgram); }
};

TEST_F(TaskScheduler1CreationTest, NewTaskRunsTheProgramHourlyUnderTheSystemAccount) {
    fakes.random.draws = {125u};  // 125 % 60: minute 5

    EXPECT_TRUE(create());

    EXPECT_EQ(log.entries(), Entries({L"info 1625"}));
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
    // A single-threaded apartment, no security call.
    EXPECT_EQ(fakes.com.calls,
              std::vector<std::string>(
                  {"CoInitialize", "CoCreateInstance ITaskScheduler", "CoUninitialize"}));
    ASSERT_EQ(fakes.scheduler1.jobs.count(kTaskName), 1u);
    const StoredJob& job = fakes.scheduler1.jobs.at(kTaskName);
    EXPECT_TRUE(job.accountSet);
    EXPECT_EQ(job.accountName, L"");
    EXPECT_FALSE(job.passwordGiven);
    EXPECT_EQ(job.creator, L"Tessaly Systems Incorporated");
    EXPECT_EQ(job.comment, L"The task's description");
    EXPECT_EQ(job.applicationName, kProgram);
    EXPECT_EQ(job.flags, static_cast<DWORD>(TASK_FLAG_RUN_IF_CONNECTED_TO_INTERNET));
    ASSERT_EQ(job.triggers.size(), 1u);
    TASK_TRIGGER expected = {};
    expected.cbTriggerSize = 48;
    expected.wBeginYear = 2000;
    expected.wBeginMonth = 1;
    expected.wBeginDay = 1;
    expected.wStartHour = 0;
    expected.wStartMinute = 5;
    expected.MinutesDuration = 1440;
    expected.MinutesInterval = 60;
    expected.rgFlags = 0;
    expected.TriggerType = TASK_TIME_TRIGGER_DAILY;
    expected.Type.Daily.DaysInterval = 1;
    expected.wRandomMinutesInterval = 0;
    EXPECT_TRUE(sameRecord(job.triggers[0], expected));
}

TEST_F(TaskScheduler1CreationTest, FailingComInitialisationStopsWithNothingToUndo) {
    fakes.failCall("CoInitialize", kLastError, RPC_E_CHANGED_MODE);

    EXPECT_FALSE(create());

    EXPECT_EQ(log.entries(), Entries({entry("error", 1243, kLastError)}));
    EXPECT_EQ(fakes.com.calls, std::vector<std::string>({"CoInitialize"}));
    EXPECT_EQ(fakes.objects.handedOut(), 0u);
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

struct FailingStep {
    const char* call;
    int code;
};

TEST_F(TaskScheduler1CreationTest, EachFailingStepOfANewTaskStopsWithItsCode) {
    const FailingStep steps[] = {
        {"CoCreateInstance", 1242},
        {"ITaskScheduler::NewWorkItem", 1252},
        {"ITask::SetAccountInformation", 1253},
        {"ITask::CreateTrigger", 1254},
        {"ITaskTrigger::SetTrigger", 1255},
        {"ITask::QueryInterface", 1256},
        {"IPersistFile::Save", 1257},
    };
    for (const FailingStep& step : steps) {
        SCOPED_TRACE(step.call);
        fakes::LogCapture stepLog;
        fakes::FakeTaskScheduling stepFakes;
        stepFakes.os.major = 5;
        stepFakes.failCall(step.call, kLastError, kFailure);

        EXPECT_FALSE(create());

        EXPECT_EQ(stepLog.entries(), Entries({entry("error", step.code, kLastError)}));
        EXPECT_TRUE(stepFakes.scheduler1.jobs.empty());
        EXPECT_EQ(stepFakes.com.calls.back(), "CoUninitialize");
        EXPECT_EQ(stepFakes.problems(), std::vector<std::string>());
    }
}

// Creator, comment, program and flags only describe the task: a failure is a
// warning and the task is saved without it.
TEST_F(TaskScheduler1CreationTest, DescriptiveFailuresAreWarningsAndTheTaskIsSaved) {
    const FailingStep steps[] = {
        {"ITask::SetCreator", 1421},
        {"ITask::SetComment", 1422},
        {"ITask::SetApplicationName", 1423},
        {"ITask::SetFlags", 1424},
    };
    for (const FailingStep& step : steps) {
        SCOPED_TRACE(step.call);
        fakes::LogCapture stepLog;
        fakes::FakeTaskScheduling stepFakes;
        stepFakes.os.major = 5;
        stepFakes.failCall(step.call, kLastError, kFailure);

        EXPECT_TRUE(create());

        EXPECT_EQ(stepLog.entries(),
                  Entries({entry("warning", step.code, kLastError), L"info 1625"}));
        ASSERT_EQ(stepFakes.scheduler1.jobs.count(kTaskName), 1u);
        const StoredJob& job = stepFakes.scheduler1.jobs.at(kTaskName);
        ASSERT_EQ(job.triggers.size(), 1u);
        EXPECT_EQ(job.triggers[0].MinutesInterval, 60u);
        const int missing = (job.creator.empty() ? 1 : 0) + (job.comment.empty() ? 1 : 0) +
                            (job.applicationName.empty() ? 1 : 0) + (job.flags == 0 ? 1 : 0);
        EXPECT_EQ(missing, 1);
        EXPECT_EQ(stepFakes.problems(), std::vector<std::string>());
    }
}

TEST_F(TaskScheduler1CreationTest, TaskThatCannotBeOpenedForAnotherReasonIsNotCreated) {
    fakes.failCall("ITaskScheduler::Activate", ERROR_ACCESS_DENIED, E_ACCESSDENIED);

    EXPECT_FALSE(create());

    EXPECT_EQ(log.entries(), Entries({entry("error", 1244, ERROR_ACCESS_DENIED)}));
    EXPECT_EQ(fakes.objects.script.count("ITaskScheduler::NewWorkItem"), 0);
    EXPECT_TRUE(fakes.scheduler1.jobs.empty());
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

TEST_F(TaskScheduler1CreationTest, ExistingTaskGetsOnlyItsFirstTriggerSetToHourly) {
    const StoredJob before = changedJob();
    fakes.scheduler1.jobs[kTaskName] = before;

    EXPECT_TRUE(create());

    EXPECT_EQ(log.entries(), Entries({L"info 1624"}));
    EXPECT_EQ(fakes.objects.script.count("ITaskScheduler::NewWorkItem"), 0);
    StoredJob expected = before;
    expected.triggers[0].MinutesInterval = 60;
    // Everything else stays, the account included.
    EXPECT_TRUE(sameJob(fakes.scheduler1.jobs.at(kTaskName), expected));
    EXPECT_EQ(fakes.com.calls.back(), "CoUninitialize");
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

TEST_F(TaskScheduler1CreationTest, EachFailingStepOfAnExistingTaskStopsAndLeavesItUnchanged) {
    const FailingStep steps[] = {
        {"ITask::GetTriggerCount", 1245},   {"ITask::GetTrigger", 1247},
        {"ITaskTrigger::GetTrigger", 1248}, {"ITaskTrigger::SetTrigger", 1249},
        {"ITask::QueryInterface", 1250},    {"IPersistFile::Save", 1251},
    };
    for (const FailingStep& step : steps) {
        SCOPED_TRACE(step.call);
        fakes::LogCapture stepLog;
        fakes::FakeTaskScheduling stepFakes;
        stepFakes.os.major = 5;
        const StoredJob before = changedJob();
        stepFakes.scheduler1.jobs[kTaskName] = before;
        stepFakes.failCall(step.call, kLastError, kFailure);

        EXPECT_FALSE(create());

        EXPECT_EQ(stepLog.entries(), Entries({entry("error", step.code, kLastError)}));
        EXPECT_TRUE(sameJob(stepFakes.scheduler1.jobs.at(kTaskName), before));
        EXPECT_EQ(stepFakes.com.calls.back(), "CoUninitialize");
        EXPECT_EQ(stepFakes.problems(), std::vector<std::string>());
    }
}

TEST_F(TaskScheduler1CreationTest, ExistingTaskWithoutTriggersStopsWith1246) {
    StoredJob before = changedJob();
    before.triggers.clear();
    fakes.scheduler1.jobs[kTaskName] = before;
    fakes.objects.lastErrorOnSuccess["ITask::GetTriggerCount"] = ERROR_NOT_FOUND;

    EXPECT_FALSE(create());

    EXPECT_EQ(log.entries(), Entries({entry("error", 1246, ERROR_NOT_FOUND)}));
    EXPECT_TRUE(sameJob(fakes.scheduler1.jobs.at(kTaskName), before));
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

// A command-line run does not log verbosely: the warnings and the success
// stay out of the log, the errors do not.
TEST_F(TaskScheduler1CreationTest, QuietRunLogsOnlyErrors) {
    fakes::LogCapture quietLog(false);
    fakes.failCall("ITask::SetComment", kLastError, kFailure);

    EXPECT_TRUE(create());
    EXPECT_EQ(quietLog.entries(), Entries());

    fakes.failCall("ITask::GetTriggerCount", kLastError, kFailure);
    EXPECT_FALSE(create());
    EXPECT_EQ(quietLog.entries(), Entries({entry("error", 1245, kLastError)}));
}

}  // namespace
