#include "service/service_runtime.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "common/allocation_failure.h"
#include "service/active_update_policy.h"
#include "tests/fakes/fake_events.h"
#include "tests/fakes/fake_service_control.h"
#include "tests/fakes/log_capture.h"

namespace {

using Entries = std::vector<std::wstring>;

struct Report {
    DWORD state;
    DWORD controlsAccepted;
    DWORD checkPoint;
    DWORD waitHint;
    bool operator==(const Report& other) const {
        return state == other.state && controlsAccepted == other.controlsAccepted &&
               checkPoint == other.checkPoint && waitHint == other.waitHint;
    }
};

void PrintTo(const Report& r, std::ostream* os) {
    *os << "{state " << r.state << ", accepted " << r.controlsAccepted << ", check point "
        << r.checkPoint << ", wait hint " << r.waitHint << "}";
}

// What the work of a test run does; set by each test.
enum class WorkBehaviour { logOnly, stopMeanwhile, interrogateMeanwhile, runOutOfMemory };
WorkBehaviour workBehaviour = WorkBehaviour::logOnly;
fakes::FakeServiceControl* currentControl = nullptr;
int workRuns = 0;

// Control requests come on a thread of their own, as under Wine.
void sendControl(DWORD control) {
    std::thread requester([control] { currentControl->handler(control); });
    requester.join();
}

void testWork() {
    ++workRuns;
    writeLog(LogLevel::info, L"work begins");
    switch (workBehaviour) {
        case WorkBehaviour::logOnly:
            break;
        case WorkBehaviour::stopMeanwhile:
            sendControl(SERVICE_CONTROL_STOP);
            break;
        case WorkBehaviour::interrogateMeanwhile:
            sendControl(SERVICE_CONTROL_INTERROGATE);
            break;
        case WorkBehaviour::runOutOfMemory:
            ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            recordAllocationFailure();
    }
    writeLog(LogLevel::info, L"work ends");
}

// The check point of the first start-pending report of this process: the
// counter starts at 1 with the process and is never reset.
bool firstRunOfProcess = true;

class ServiceRuntimeTest : public ::testing::Test {
  protected:
    fakes::LogCapture log;
    fakes::FakeServiceControl control;
    fakes::FakeEvents events;
    platform::ScopedFacility<platform::ServiceControl> controlInForce{control};
    platform::ScopedFacility<platform::Events> eventsInForce{events};
    int policyStandIn = 0;

    void SetUp() override {
        currentControl = &control;
        workRuns = 0;
        workBehaviour = WorkBehaviour::logOnly;
        activeUpdatePolicy = reinterpret_cast<UpdatePolicy*>(&policyStandIn);
    }
    void TearDown() override { activeUpdatePolicy = nullptr; }

    // Runs the dispatcher and gives the check point of the start-pending
    // report, to which the later check points are relative.
    bool dispatch() {
        const bool ran = runServiceDispatcher(testWork);
        if (!control.reports.empty()) {
            startCheckPoint = control.reports.front().dwCheckPoint;
            if (firstRunOfProcess) {
                EXPECT_EQ(startCheckPoint, 1u) << "the counter starts at 1 in each process";
            }
            firstRunOfProcess = false;
        }
        return ran;
    }

    std::vector<Report> reports() const {
        std::vector<Report> result;
        for (const SERVICE_STATUS& s : control.reports) {
            EXPECT_EQ(s.dwServiceType, static_cast<DWORD>(SERVICE_WIN32_OWN_PROCESS));
            EXPECT_EQ(s.dwWin32ExitCode, 0u);
            EXPECT_EQ(s.dwServiceSpecificExitCode, 0u);
            result.push_back(
                {s.dwCurrentState, s.dwControlsAccepted, s.dwCheckPoint, s.dwWaitHint});
        }
        return result;
    }

    DWORD startCheckPoint = 0;
};

TEST_F(ServiceRuntimeTest, OneRunReportsStartPendingRunningStopped) {
    EXPECT_TRUE(dispatch());
    EXPECT_EQ(reports(), (std::vector<Report>{{SERVICE_START_PENDING, 0, startCheckPoint, 3000},
                                              {SERVICE_RUNNING, SERVICE_ACCEPT_STOP, 0, 0},
                                              {SERVICE_STOPPED, SERVICE_ACCEPT_STOP, 0, 0}}));
    EXPECT_EQ(log.entries(), (Entries{L"info 1618", L"info work begins", L"info work ends",
                                      L"info 1621", L"info 1620"}));
    EXPECT_EQ(control.dispatcherTableName, L"TessalyVireoPlayerUpdateSvc");
    EXPECT_EQ(control.handlerServiceName, L"TessalyVireoPlayerUpdateSvc");
    EXPECT_EQ(workRuns, 1);
    // A manual-reset event, created not signalled.
    EXPECT_TRUE(events.lastManualReset);
    EXPECT_FALSE(events.lastInitiallySignalled);
}

TEST_F(ServiceRuntimeTest, StopDuringTheWorkIsPendingUntilTheWorkEnds) {
    workBehaviour = WorkBehaviour::stopMeanwhile;
    EXPECT_TRUE(dispatch());
    const DWORD first = startCheckPoint;
    EXPECT_EQ(reports(),
              (std::vector<Report>{{SERVICE_START_PENDING, 0, first, 3000},
                                   {SERVICE_RUNNING, SERVICE_ACCEPT_STOP, 0, 0},
                                   {SERVICE_STOP_PENDING, SERVICE_ACCEPT_STOP, first + 1, 0},
                                   {SERVICE_STOP_PENDING, SERVICE_ACCEPT_STOP, first + 2, 0},
                                   {SERVICE_STOPPED, SERVICE_ACCEPT_STOP, 0, 0}}));
    EXPECT_EQ(log.entries(),
              (Entries{L"info 1618", L"info work begins", L"info 1622 1", L"info 1623",
                       L"info work ends", L"info 1621", L"info 1620"}));
    EXPECT_EQ(events.signals, 1);
}

TEST_F(ServiceRuntimeTest, InterrogationIsOnlyLogged) {
    workBehaviour = WorkBehaviour::interrogateMeanwhile;
    EXPECT_TRUE(dispatch());
    EXPECT_EQ(control.reports.size(), 3u);
    EXPECT_EQ(log.entries(), (Entries{L"info 1618", L"info work begins", L"info 1622 4",
                                      L"info work ends", L"info 1621", L"info 1620"}));
    EXPECT_EQ(events.signals, 0);
}

TEST_F(ServiceRuntimeTest, FailedHandlerRegistrationReportsNothing) {
    control.script.failCall("RegisterServiceCtrlHandlerW", ERROR_SERVICE_DOES_NOT_EXIST);
    EXPECT_TRUE(dispatch());
    EXPECT_TRUE(control.reports.empty());
    EXPECT_EQ(workRuns, 0);
    EXPECT_EQ(log.entries(), (Entries{L"info 1618", L"error 1240 1060", L"info 1620"}));
}

TEST_F(ServiceRuntimeTest, FailedStopEventStopsRightAfterStartPending) {
    events.script.failCall("CreateEventW", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_TRUE(dispatch());
    EXPECT_EQ(reports(), (std::vector<Report>{{SERVICE_START_PENDING, 0, startCheckPoint, 3000},
                                              {SERVICE_STOPPED, SERVICE_ACCEPT_STOP, 0, 0}}));
    EXPECT_EQ(workRuns, 0);
    EXPECT_EQ(log.entries(), (Entries{L"info 1618", L"info 1621", L"info 1620"}));
}

TEST_F(ServiceRuntimeTest, WithoutAnUpdatePolicyTheWorkIsSkipped) {
    activeUpdatePolicy = nullptr;
    ::SetLastError(0);
    EXPECT_TRUE(dispatch());
    EXPECT_EQ(workRuns, 0);
    EXPECT_EQ(log.entries(), (Entries{L"info 1618", L"error 1241 0", L"info 1621", L"info 1620"}));
    EXPECT_EQ(control.reports.size(), 3u);
    EXPECT_EQ(control.reports.back().dwCurrentState, static_cast<DWORD>(SERVICE_STOPPED));
}

TEST_F(ServiceRuntimeTest, RunningOutOfMemoryInTheWorkStillStopsTheService) {
    workBehaviour = WorkBehaviour::runOutOfMemory;
    EXPECT_TRUE(dispatch());
    EXPECT_EQ(log.entries(), (Entries{L"info 1618", L"info work begins", L"error 1239 8",
                                      L"info 1621", L"info 1620"}));
    EXPECT_EQ(control.reports.back().dwCurrentState, static_cast<DWORD>(SERVICE_STOPPED));
}

TEST_F(ServiceRuntimeTest, FailedStatusReportsAreIgnored) {
    control.script.failAlways("SetServiceStatus", ERROR_INVALID_HANDLE);
    EXPECT_TRUE(dispatch());
    EXPECT_EQ(workRuns, 1);
    EXPECT_EQ(control.reports.size(), 3u);
}

TEST_F(ServiceRuntimeTest, DispatcherThatCannotStartIsReportedAtInfoLevel) {
    control.script.failCall("StartServiceCtrlDispatcherW", ERROR_FAILED_SERVICE_CONTROLLER_CONNECT);
    EXPECT_FALSE(runServiceDispatcher(testWork));
    EXPECT_EQ(log.entries(), (Entries{L"info 1618", L"info 1619 1063"}));
    EXPECT_EQ(workRuns, 0);
}

TEST_F(ServiceRuntimeTest, AnotherServiceStartedInThisProcessRunsNothing) {
    control.startedServiceName = L"SomeOtherSvc";
    EXPECT_TRUE(runServiceDispatcher(testWork));
    EXPECT_EQ(workRuns, 0);
    EXPECT_TRUE(control.reports.empty());
    EXPECT_EQ(control.handler, nullptr);
}

}  // namespace
