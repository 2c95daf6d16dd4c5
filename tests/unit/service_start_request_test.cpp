#include "service/service_start_request.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/fake_service_control.h"
#include "tests/fakes/log_capture.h"

namespace {

struct StartCase {
    const char* name;
    const char* failingCall;
    DWORD error;
    bool started;
    std::vector<std::wstring> entries;
};

class ServiceStartRequestTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(ServiceStartRequestTest, LogsTheOutcomeAndClosesEveryHandle) {
    const StartCase& c = GetParam();
    fakes::LogCapture log;
    fakes::FakeServiceControl control;
    platform::ScopedFacility<platform::ServiceControl> inForce(control);
    if (c.failingCall[0] != '\0') control.script.failCall(c.failingCall, c.error);

    const ServiceHost host(L"C:\\VireoPlayerUpdater.exe", L"TessalyVireoPlayerUpdateSvc",
                           L"Tessaly Vireo Player Update Service");
    EXPECT_EQ(requestServiceStart(host), c.started);
    EXPECT_EQ(log.entries(), c.entries);
    EXPECT_EQ(control.openHandles, 0);
    EXPECT_EQ(control.managerAccess,
              c.failingCall == std::string("OpenSCManagerW") ? 0u : 0xF003Fu);
    if (control.serviceAccess != 0) {
        EXPECT_EQ(control.serviceAccess, 0xF01FFu);
        EXPECT_EQ(control.openedServiceName, L"TessalyVireoPlayerUpdateSvc");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, ServiceStartRequestTest,
    ::testing::Values(
        StartCase{"Started", "", 0, true, {L"info 1604"}},
        StartCase{"NoManager", "OpenSCManagerW", ERROR_ACCESS_DENIED, false, {L"error 1221 5"}},
        StartCase{
            "NoService", "OpenServiceW", ERROR_SERVICE_DOES_NOT_EXIST, false, {L"error 1222 1060"}},
        StartCase{"AlreadyRunning",
                  "StartServiceA",
                  ERROR_SERVICE_ALREADY_RUNNING,
                  false,
                  {L"error 1223 1056"}},
        StartCase{
            "Disabled", "StartServiceA", ERROR_SERVICE_DISABLED, false, {L"error 1223 1058"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
