// Creating the task through Task Scheduler 2.0, against fake scheduler
// objects: what a new and an existing task become, every code that stops the
// procedure and every code after which it goes on, and that every interface,
// BSTR and apartment is given back on every path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scheduled_task/task_registrar.h"
#include "tests/fakes/fake_task_scheduling.h"
#include "tests/fakes/log_capture.h"

namespace {

using Entries = std::vector<std::wstring>;
using fakes::StoredAction;
using fakes::StoredDefinition;
using fakes::StoredRegistration;
using fakes::StoredTrigger;
using fakes::VariantArgument;

const wchar_t kProgram[] = L"C:\\Program Files\\Vireo\\VireoPlayerUpdater.exe";
const wchar_t kTaskName[] = L"Tessaly Vireo Player Updater";
constexpr DWORD kLastError = 1726;
// The HRESULT of a failing call, which must not reach the log.
const HRESULT kFailure = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);

std::wstring entry(const char* level, int code, DWORD detail) {
    return std::wstring(level, level + std::char_traits<char>::length(level)) + L" " +
           std::to_wstring(code) + L" " + std::to_wstring(detail);
}

// A task as an administrator may have changed it: two triggers, another
// program, its own description, another account.
StoredRegistration changedTask() {
    StoredRegistration task;
    task.definition.author = L"An administrator";
    task.definition.description = L"Changed by hand";
    StoredTrigger first;
    first.id = L"First";
    first.startBoundary = L"2010-05-01T03:00:00Z";
    first.daysInterval = 2;
    first.interval = L"PT15M";
    first.duration = L"PT6H";
    StoredTrigger second = first;
    second.id = L"Second";
    second.interval = L"PT30M";
    task.definition.triggers = {first, second};
    StoredAction action;
    action.path = L"C:\\Other\\program.exe";
    action.arguments = L"-quiet";
    task.definition.actions = {action};
    task.user = {VT_BSTR, L"someone"};
    task.logonType = TASK_LOGON_PASSWORD;
    return task;
}

bool sameTrigger(const StoredTrigger& a, const StoredTrigger& b) {
    return a.type == b.type && a.id == b.id && a.startBoundary == b.startBoundary &&
           a.daysInterval == b.daysInterval && a.interval == b.interval && a.duration == b.duration;
}

bool sameDefinition(const StoredDefinition& a, const StoredDefinition& b) {
    if (a.compatibility != b.compatibility ||
        a.disallowStartIfOnBatteries != b.disallowStartIfOnBatteries ||
        a.runOnlyIfNetworkAvailable != b.runOnlyIfNetworkAvailable || a.author != b.author ||
        a.description != b.description || a.triggers.size() != b.triggers.size() ||
        a.actions.size() != b.actions.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.triggers.size(); ++i) {
        if (!sameTrigger(a.triggers[i], b.triggers[i])) return false;
    }
    for (std::size_t i = 0; i < a.actions.size(); ++i) {
        const StoredAction& x = a.actions[i];
        const StoredAction& y = b.actions[i];
        if (x.type != y.type || x.path != y.path || x.arguments != y.arguments ||
            x.workingDirectory != y.workingDirectory) {
            return false;
        }
    }
    return true;
}

bool sameRegistration(const StoredRegistration& a, const StoredRegistration& b) {
    return sameDefinition(a.definition, b.definition) && a.flags == b.flags && a.user == b.user &&
           a.password == b.password && a.logonType == b.logonType &&
           a.securityDescriptor == b.securityDescriptor;
}

class TaskScheduler2CreationTest : public ::testing::Test {
  protected:
    fakes::LogCapture log;
    fakes::FakeTaskScheduling fakes;

    bool create() { return createDefaultTask(kProgram); }

    bool called(const std::string& call) const { return fakes.objects.script.count(call) > 0; }

    void expectRegisteredForSystem(const StoredRegistration& task) const {
        EXPECT_EQ(task.flags, TASK_CREATE_OR_UPDATE);
        EXPECT_EQ(task.user, (VariantArgument{VT_BSTR, L"SYSTEM"}));
        EXPECT_EQ(task.password, (VariantArgument{VT_EMPTY, L""}));
        EXPECT_EQ(task.logonType, TASK_LOGON_INTERACTIVE_TOKEN);
        EXPECT_EQ(task.securityDescriptor, (VariantArgument{VT_BSTR, L""}));
    }
};

TEST_F(TaskScheduler2CreationTest, NewTaskRunsTheProgramHourlyFromARandomMinute) {
    fakes.random.draws = {4u, 17u};  // 4 % 6 and 17 % 10: minute 47

    EXPECT_TRUE(create());

    EXPECT_EQ(log.entries(), Entries({L"info 1627"}));
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
    EXPECT_EQ(fakes.com.calls,
              std::vector<std::string>({"CoInitializeEx 0", "CoInitializeSecurity",
                                        "CoCreateInstance ITaskService", "CoUninitialize"}));
    ASSERT_EQ(fakes.com.securityCalls.size(), 1u);
    const auto& security = fakes.com.securityCalls[0];
    EXPECT_FALSE(security.descriptorGiven || security.servicesGiven || security.reserved1Given ||
                 security.authListGiven || security.reserved3Given);
    EXPECT_EQ(security.authServiceCount, -1);
    EXPECT_EQ(security.authnLevel, static_cast<DWORD>(RPC_C_AUTHN_LEVEL_PKT_PRIVACY));
    EXPECT_EQ(security.impLevel, static_cast<DWORD>(RPC_C_IMP_LEVEL_IMPERSONATE));
    EXPECT_EQ(security.capabilities, static_cast<DWORD>(EOAC_NONE));
    ASSERT_EQ(fakes.service.connections.size(), 1u);
    EXPECT_EQ(fakes.service.connections[0], std::vector<VariantArgument>(4));
    EXPECT_EQ(fakes.service.foldersOpened, std::vector<std::wstring>({L"\\"}));

    ASSERT_EQ(fakes.service.tasks.count(kTaskName), 1u);
    const StoredRegistration& task = fakes.service.tasks.at(kTaskName);
    expectRegisteredForSystem(task);
    const StoredDefinition& definition = task.definition;
    EXPECT_EQ(definition.compatibility, TASK_COMPATIBILITY_V1);
    EXPECT_EQ(definition.disallowStartIfOnBatteries, VARIANT_FALSE);
    EXPECT_EQ(definition.runOnlyIfNetworkAvailable, VARIANT_TRUE);
    EXPECT_EQ(definition.author, L"Tessaly Systems Incorporated");
    EXPECT_EQ(definition.description, L"The task's description");
    ASSERT_EQ(definition.triggers.size(), 1u);
    StoredTrigger expected;
    expected.type = TASK_TRIGGER_DAILY;
    expected.id = L"UpdateTrigger";
    expected.startBoundary = L"2000-01-01T00:47:00Z";
    expected.daysInterval = 1;
    expected.interval = L"PT1H";
    expected.duration = L"P1D";
    EXPECT_TRUE(sameTrigger(definition.triggers[0], expected));
    // The program alone: no arguments, no working directory.
    ASSERT_EQ(definition.actions.size(), 1u);
    EXPECT_EQ(definition.actions[0].type, TASK_ACTION_EXEC);
    EXPECT_EQ(definition.actions[0].path, kProgram);
    EXPECT_FALSE(definition.actions[0].arguments.has_value());
    EXPECT_FALSE(definition.actions[0].workingDirectory.has_value());
}

TEST_F(TaskScheduler2CreationTest, FailingComInitialisationStopsWithNothingToUndo) {
    fakes.failCall("CoInitializeEx", kLastError, RPC_E_CHANGED_MODE);

    EXPECT_FALSE(create());

    EXPECT_EQ(log.entries(), Entries({entry("error", 1258, kLastError)}));
    EXPECT_EQ(fakes.com.calls, std::vector<std::string>({"CoInitializeEx 0"}));
    EXPECT_EQ(fakes.objects.handedOut(), 0u);
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

struct FailingStep {
    const char* call;
    int code;
};

// Every step of a new task that stops the procedure: its code with the last
// error, nothing registered, everything released and COM left.
TEST_F(TaskScheduler2CreationTest, EachFailingStepOfANewTaskStopsWithItsCode) {
    const FailingStep steps[] = {
        {"CoInitializeSecurity", 1259},
        {"CoCreateInstance", 1260},
        {"ITaskService::Connect", 1261},
        {"ITaskService::GetFolder", 1262},
        {"ITaskService::NewTask", 1271},
        {"ITaskDefinition::get_Settings", 1272},
        {"ITaskDefinition::get_RegistrationInfo", 1276},
        {"IRegistrationInfo::put_Author", 1277},
        {"IRegistrationInfo::put_Description", 1278},
        {"ITaskDefinition::get_Triggers", 1279},
        {"ITriggerCollection::Create", 1280},
        {"ITrigger::QueryInterface", 1281},
        {"IDailyTrigger::put_DaysInterval", 1284},
        {"IDailyTrigger::get_Repetition", 1285},
        {"IRepetitionPattern::put_Duration", 1286},
        {"IRepetitionPattern::put_Interval", 1287},
        {"ITaskDefinition::get_Actions", 1288},
        {"IActionCollection::Create", 1289},
        {"IAction::QueryInterface", 1290},
        {"IExecAction::put_Path", 1291},
        {"ITaskFolder::RegisterTaskDefinition", 1292},
    };
    for (const FailingStep& step : steps) {
        SCOPED_TRACE(step.call);
        fakes::LogCapture stepLog;
        fakes::FakeTaskScheduling stepFakes;
        stepFakes.failCall(step.call, kLastError, kFailure);

        EXPECT_FALSE(create());

        EXPECT_EQ(stepLog.entries(), Entries({entry("error", step.code, kLastError)}));
        EXPECT_TRUE(stepFakes.service.tasks.empty());
        EXPECT_EQ(stepFakes.com.calls.back(), "CoUninitialize");
        EXPECT_EQ(stepFakes.problems(), std::vector<std::string>());
    }
}

// The steps whose failure is logged as an error and the task registered
// anyway, without what failed.
TEST_F(TaskScheduler2CreationTest, FailuresItGoesOnAfterStillRegisterTheTask) {
    const FailingStep steps[] = {
        {"ITaskSettings::put_Compatibility", 1273},
        {"ITaskSettings::put_DisallowStartIfOnBatteries", 1274},
        {"ITaskSettings::put_RunOnlyIfNetworkAvailable", 1275},
        {"IDailyTrigger::put_Id", 1282},
        {"IDailyTrigger::put_StartBoundary", 1283},
    };
    for (const FailingStep& step : steps) {
        SCOPED_TRACE(step.call);
        fakes::LogCapture stepLog;
        fakes::FakeTaskScheduling stepFakes;
        stepFakes.failCall(step.call, kLastError, kFailure);

        EXPECT_TRUE(create());

        EXPECT_EQ(stepLog.entries(),
                  Entries({entry("error", step.code, kLastError), L"info 1627"}));
        ASSERT_EQ(stepFakes.service.tasks.count(kTaskName), 1u);
        const StoredDefinition& definition = stepFakes.service.tasks.at(kTaskName).definition;
        EXPECT_EQ(definition.author, L"Tessaly Systems Incorporated");
        ASSERT_EQ(definition.triggers.size(), 1u);
        EXPECT_EQ(definition.triggers[0].interval, L"PT1H");
        ASSERT_EQ(definition.actions.size(), 1u);
        EXPECT_EQ(definition.actions[0].path, kProgram);
        const int missing =
            (definition.compatibility ? 0 : 1) + (definition.disallowStartIfOnBatteries ? 0 : 1) +
            (definition.runOnlyIfNetworkAvailable ? 0 : 1) + (definition.triggers[0].id ? 0 : 1) +
            (definition.triggers[0].startBoundary ? 0 : 1);
        EXPECT_EQ(missing, 1);
        EXPECT_EQ(stepFakes.problems(), std::vector<std::string>());
    }
}

TEST_F(TaskScheduler2CreationTest, ExistingTaskGetsOnlyItsFirstTriggerSetToHourly) {
    const StoredRegistration before = changedTask();
    fakes.service.tasks[kTaskName] = before;

    EXPECT_TRUE(create());

    EXPECT_EQ(log.entries(), Entries({L"info 1626"}));
    EXPECT_FALSE(called("ITaskService::NewTask"));
    const StoredRegistration& after = fakes.service.tasks.at(kTaskName);
    StoredDefinition expected = before.definition;
    expected.triggers[0].interval = L"PT1H";
    EXPECT_TRUE(sameDefinition(after.definition, expected));
    // Registered again for the system account.
    expectRegisteredForSystem(after);
    EXPECT_EQ(fakes.com.calls.back(), "CoUninitialize");
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

TEST_F(TaskScheduler2CreationTest, EachFailingStepOfAnExistingTaskStopsAndLeavesItUnchanged) {
    const FailingStep steps[] = {
        {"IRegisteredTask::get_Definition", 1263},
        {"ITaskDefinition::get_Triggers", 1264},
        {"ITriggerCollection::get_Count", 1265},
        {"ITriggerCollection::get_Item", 1267},
        {"ITrigger::get_Repetition", 1268},
        {"IRepetitionPattern::put_Interval", 1269},
        {"ITaskFolder::RegisterTaskDefinition", 1270},
    };
    for (const FailingStep& step : steps) {
        SCOPED_TRACE(step.call);
        fakes::LogCapture stepLog;
        fakes::FakeTaskScheduling stepFakes;
        const StoredRegistration before = changedTask();
        stepFakes.service.tasks[kTaskName] = before;
        stepFakes.failCall(step.call, kLastError, kFailure);

        EXPECT_FALSE(create());

        EXPECT_EQ(stepLog.entries(), Entries({entry("error", step.code, kLastError)}));
        EXPECT_TRUE(sameRegistration(stepFakes.service.tasks.at(kTaskName), before));
        EXPECT_EQ(stepFakes.com.calls.back(), "CoUninitialize");
        EXPECT_EQ(stepFakes.problems(), std::vector<std::string>());
    }
}

TEST_F(TaskScheduler2CreationTest, ExistingTaskWithoutTriggersStopsWith1266) {
    StoredRegistration before = changedTask();
    before.definition.triggers.clear();
    fakes.service.tasks[kTaskName] = before;
    fakes.objects.lastErrorOnSuccess["ITriggerCollection::get_Count"] = ERROR_NOT_FOUND;

    EXPECT_FALSE(create());

    EXPECT_EQ(log.entries(), Entries({entry("error", 1266, ERROR_NOT_FOUND)}));
    EXPECT_TRUE(sameRegistration(fakes.service.tasks.at(kTaskName), before));
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

TEST_F(TaskScheduler2CreationTest, TaskThatCannotBeOpenedIsReplacedByANewOne) {
    fakes.service.tasks[kTaskName] = changedTask();
    fakes.failCall("ITaskFolder::GetTask", ERROR_ACCESS_DENIED, kFailure);

    EXPECT_TRUE(create());

    EXPECT_EQ(log.entries(), Entries({L"info 1627"}));
    const StoredDefinition& definition = fakes.service.tasks.at(kTaskName).definition;
    ASSERT_EQ(definition.triggers.size(), 1u);
    EXPECT_EQ(definition.triggers[0].id, L"UpdateTrigger");
    ASSERT_EQ(definition.actions.size(), 1u);
    EXPECT_EQ(definition.actions[0].path, kProgram);
    EXPECT_FALSE(definition.actions[0].arguments.has_value());
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

// A BSTR that cannot be allocated makes its call fail without being made;
// the detail is ERROR_OUTOFMEMORY.
TEST_F(TaskScheduler2CreationTest, StringThatCannotBeAllocatedFailsItsStep) {
    fakes.automation.script.failAlways("SysAllocString", ERROR_SUCCESS);

    EXPECT_FALSE(create());

    EXPECT_EQ(log.entries(), Entries({entry("error", 1262, ERROR_OUTOFMEMORY)}));
    EXPECT_FALSE(called("ITaskService::GetFolder"));
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

TEST_F(TaskScheduler2CreationTest, RegistrationVariantThatCannotBeAllocatedFailsTheRegistration) {
    // Allocations before the registration's: the folder name, the task name
    // for GetTask, author, description, trigger id, start boundary, duration,
    // interval and program path.
    fakes.automation.script.failCall("SysAllocString", ERROR_SUCCESS, 10);

    EXPECT_FALSE(create());

    EXPECT_EQ(log.entries(), Entries({entry("error", 1292, ERROR_OUTOFMEMORY)}));
    EXPECT_FALSE(called("ITaskFolder::RegisterTaskDefinition"));
    EXPECT_TRUE(fakes.service.tasks.empty());
    EXPECT_EQ(fakes.problems(), std::vector<std::string>());
}

}  // namespace
