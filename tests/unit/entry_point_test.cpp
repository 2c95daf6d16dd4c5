#include "service/entry_point.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "common/allocation_failure.h"
#include "platform/process_paths.h"
#include "tests/fakes/call_script.h"
#include "tests/fakes/log_capture.h"

namespace {

using Calls = std::vector<std::wstring>;

// Records each operation the entry point asks for, answers as told, and can
// run out of memory in any one of them.
class RecordingOperations : public EntryOperations {
  public:
    Calls calls;
    bool attemptsStored = true;
    bool lastCheckReset = true;
    bool silentEnabled = false;
    bool dispatcherRan = false;
    std::wstring throwIn;  // the operation that runs out of memory
    DWORD lastErrorWhenThrowing = ERROR_NOT_ENOUGH_MEMORY;

    bool deleteUpdateState() override { return record(L"deleteUpdateState", true); }
    bool writeUpdateAttempts(std::uint32_t count) override {
        return record(L"writeUpdateAttempts " + std::to_wstring(count), attemptsStored);
    }
    bool resetLastUpdateCheck() override { return record(L"resetLastUpdateCheck", lastCheckReset); }
    bool writeDefaultCheckFrequency() override {
        return record(L"writeDefaultCheckFrequency", true);
    }
    bool createDefaultTask(std::wstring programPath) override {
        return record(L"createDefaultTask " + programPath, true);
    }
    bool deleteDefaultTask() override { return record(L"deleteDefaultTask", true); }
    void setUpdateMode(int mode) override {
        record(L"setUpdateMode " + std::to_wstring(mode), true);
    }
    bool isSilentAutoUpdateEnabled() override {
        return record(L"isSilentAutoUpdateEnabled", silentEnabled);
    }
    void activateUpdatePolicy(std::wstring programPath) override {
        record(L"activateUpdatePolicy " + programPath, true);
    }
    void releaseUpdatePolicy() override { record(L"releaseUpdatePolicy", true); }
    bool runServiceDispatcher() override { return record(L"runServiceDispatcher", dispatcherRan); }
    bool requestServiceStart(const ServiceHost& host) override {
        return record(L"requestServiceStart " + host.serviceName, true);
    }

  private:
    bool record(const std::wstring& call, bool answer) {
        calls.push_back(call);
        if (!throwIn.empty() && call.rfind(throwIn, 0) == 0) {
            // As an allocation that fails does it, through the new-handler.
            ::SetLastError(lastErrorWhenThrowing);
            recordAllocationFailure();
        }
        return answer;
    }
};

// Resolves every program name to one fixed full path.
class FixedProcessPaths : public platform::ProcessPaths {
  public:
    std::wstring fullPath = L"C:\\Program Files\\Vireo\\VireoPlayerUpdater.exe";
    fakes::CallScript script;
    // When set, the second call answers a length that does not fit.
    bool growsBetweenCalls = false;

    DWORD getFullPathName(const wchar_t*, DWORD bufferLength, wchar_t* buffer) override {
        if (script.shouldFail("GetFullPathNameW")) return 0;
        const DWORD needed = static_cast<DWORD>(fullPath.size() + 1);
        if (bufferLength < needed) return needed;
        if (growsBetweenCalls) return needed + 10;
        fullPath.copy(buffer, fullPath.size());
        buffer[fullPath.size()] = L'\0';
        return needed - 1;
    }
};

class EntryPointTest : public ::testing::Test {
  protected:
    RecordingOperations operations;
    FixedProcessPaths paths;
    platform::ScopedFacility<platform::ProcessPaths> pathsInForce{paths};
    fakes::LogCapture log{false};

    int run(std::vector<const wchar_t*> arguments) {
        arguments.insert(arguments.begin(), L"VireoPlayerUpdater.exe");
        return runEntryPoint(static_cast<int>(arguments.size()), arguments.data(), operations);
    }
    std::wstring path() const { return paths.fullPath; }
};

struct SwitchCase {
    const char* name;
    const wchar_t* argument;
    bool silentEnabled;
    int exitCode;
    Calls calls;
};

class EntryPointSwitchTest : public EntryPointTest,
                             public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(EntryPointSwitchTest, DispatchesExactlyTheMatchingSwitch) {
    const SwitchCase& c = GetParam();
    operations.silentEnabled = c.silentEnabled;
    EXPECT_EQ(run({c.argument, L"-isSAUEnabled"}), c.exitCode);
    Calls expected = c.calls;
    for (std::wstring& call : expected) {
        if (call == L"createDefaultTask") call += L" " + path();
    }
    EXPECT_EQ(operations.calls, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, EntryPointSwitchTest,
    ::testing::Values(
        SwitchCase{
            "DeleteTask", L"-deleteTask", true, 0, {L"deleteUpdateState", L"deleteDefaultTask"}},
        SwitchCase{"CreateDefaultTask",
                   L"-createDefaultTask",
                   true,
                   0,
                   {L"writeUpdateAttempts 0", L"resetLastUpdateCheck",
                    L"writeDefaultCheckFrequency", L"createDefaultTask"}},
        SwitchCase{"SetSilent", L"-setSilentAutoUpdate", true, 0, {L"setUpdateMode 0"}},
        SwitchCase{"SetNotify", L"-setNotifyAutoUpdate", true, 0, {L"setUpdateMode 1"}},
        SwitchCase{"SetDisable", L"-setDisableAutoUpdate", true, 0, {L"setUpdateMode 2"}},
        SwitchCase{"QueryYes", L"-isSAUEnabled", true, 1001, {L"isSilentAutoUpdateEnabled"}},
        SwitchCase{"QueryNo", L"-isSAUEnabled", false, 0, {L"isSilentAutoUpdateEnabled"}},
        // Other letter case, appended or missing characters, and unknown
        // arguments match nothing.
        SwitchCase{"LowerCase", L"-issauenabled", true, 0, {}},
        SwitchCase{"UpperCase", L"-ISSAUENABLED", true, 0, {}},
        SwitchCase{"TrailingBlank", L"-isSAUEnabled ", true, 0, {}},
        SwitchCase{"Appended", L"-deleteTasks", true, 0, {}},
        SwitchCase{"NoDash", L"deleteTask", true, 0, {}},
        SwitchCase{"Slash", L"/createDefaultTask", true, 0, {}},
        SwitchCase{"Empty", L"", true, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryPointTest, CreateDefaultTaskResetsStateStepByStepAndAlwaysCreatesTheTask) {
    operations.attemptsStored = false;
    EXPECT_EQ(run({L"-createDefaultTask"}), 0);
    EXPECT_EQ(operations.calls, (Calls{L"writeUpdateAttempts 0", L"createDefaultTask " + path()}));

    operations.calls.clear();
    operations.attemptsStored = true;
    operations.lastCheckReset = false;
    EXPECT_EQ(run({L"-createDefaultTask"}), 0);
    EXPECT_EQ(operations.calls, (Calls{L"writeUpdateAttempts 0", L"resetLastUpdateCheck",
                                       L"createDefaultTask " + path()}));
}

TEST_F(EntryPointTest, ServiceRunKeepsThePolicyActiveWhileTheDispatcherRuns) {
    operations.dispatcherRan = true;
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(operations.calls, (Calls{L"activateUpdatePolicy " + path(), L"runServiceDispatcher",
                                       L"releaseUpdatePolicy"}));
}

TEST_F(EntryPointTest, ScheduledStartAsksTheServiceControlManagerToStartTheService) {
    operations.dispatcherRan = false;
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(operations.calls,
              (Calls{L"activateUpdatePolicy " + path(), L"runServiceDispatcher",
                     L"releaseUpdatePolicy", L"requestServiceStart TessalyVireoPlayerUpdateSvc"}));
}

TEST_F(EntryPointTest, StartUpLinesComeFirstAndOnlyWhenVerbose) {
    run({L"-setSilentAutoUpdate"});
    EXPECT_TRUE(log.lines().empty());

    verboseLogging = true;
    run({L"-setSilentAutoUpdate", L"ignored"});
    EXPECT_EQ(log.entries(),
              (Calls{L"info " + path(), L"info 1617", L"info -setSilentAutoUpdate"}));
}

TEST_F(EntryPointTest, RunWithoutArgumentsLogsNoArgumentLine) {
    verboseLogging = true;
    run({});
    EXPECT_EQ(log.entries(), (Calls{L"info " + path(), L"info 1617"}));
}

struct OutOfMemoryCase {
    const char* name;
    std::vector<const wchar_t*> arguments;
    const wchar_t* throwIn;
    Calls calls;
};

class EntryPointOutOfMemoryTest : public EntryPointTest,
                                  public ::testing::WithParamInterface<OutOfMemoryCase> {};

TEST_P(EntryPointOutOfMemoryTest, EndsTheRunWith1239AndTheLastError) {
    const OutOfMemoryCase& c = GetParam();
    operations.silentEnabled = true;
    operations.throwIn = c.throwIn;
    operations.lastErrorWhenThrowing = 14;
    EXPECT_EQ(run(c.arguments), 0);
    EXPECT_EQ(log.entries(), Calls{L"error 1239 14"});
    Calls expected = c.calls;
    for (std::wstring& call : expected) {
        if (call == L"activateUpdatePolicy") call += L" " + path();
    }
    EXPECT_EQ(operations.calls, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, EntryPointOutOfMemoryTest,
    ::testing::Values(
        OutOfMemoryCase{
            "DeleteTask", {L"-deleteTask"}, L"deleteUpdateState", {L"deleteUpdateState"}},
        OutOfMemoryCase{"Query",
                        {L"-isSAUEnabled"},
                        L"isSilentAutoUpdateEnabled",
                        {L"isSilentAutoUpdateEnabled"}},
        OutOfMemoryCase{"PolicyLoad", {}, L"activateUpdatePolicy", {L"activateUpdatePolicy"}},
        OutOfMemoryCase{"Dispatcher",
                        {},
                        L"runServiceDispatcher",
                        {L"activateUpdatePolicy", L"runServiceDispatcher"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryPointTest, UnresolvablePathIsEmptyNotGarbage) {
    verboseLogging = true;
    paths.script.failAlways("GetFullPathNameW", ERROR_INVALID_NAME);
    run({L"-createDefaultTask"});
    EXPECT_EQ(operations.calls.back(), L"createDefaultTask ");
    EXPECT_EQ(log.entries().front(), L"info ");
}

TEST_F(EntryPointTest, PathThatChangesBetweenTheTwoQueriesIsEmpty) {
    paths.growsBetweenCalls = true;
    EXPECT_EQ(resolveFullPath(L"VireoPlayerUpdater.exe"), L"");
}

TEST(ResolveFullPathTest, PathsLongerThan260UnitsAreResolvedWhole) {
    const std::wstring name = L"C:\\" + std::wstring(300, L'a') + L"\\VireoPlayerUpdater.exe";
    EXPECT_EQ(resolveFullPath(name.c_str()), name);
    EXPECT_EQ(resolveFullPath(nullptr), L"");
}

}  // namespace
