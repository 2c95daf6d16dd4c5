#include "service/active_update_policy.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/facility.h"
#include "policy/policy_settings.h"
#include "policy/update_policy.h"
#include "service/entry_operations.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fresh_folder_locations.h"
#include "tests/fakes/log_capture.h"
#include "tests/fakes/scratch_folder.h"

namespace {

// The product's service path: the update policy is made with the program's
// path and loaded, is the active one while the dispatcher would run, and is
// gone afterwards.
TEST(ActiveUpdatePolicyTest, TheProductMakesLoadsAndReleasesTheActivePolicy) {
    fakes::ScratchFolder scratch;
    fakes::FreshFolderLocations freshLocations;
    fakes::FakeShell shell;
    shell.folders[CSIDL_SYSTEM] = scratch.path();
    platform::ScopedFacility<platform::Shell> shellInForce{shell};
    scratch.createFolders(L"Pellmark\\Vireo");
    const std::string policy = "SilentAutoUpdateEnable=1\r\n";
    scratch.writeFile(L"Pellmark\\Vireo\\nws.cfg",
                      std::vector<unsigned char>(policy.begin(), policy.end()));
    fakes::LogCapture log(false);
    const bool savedSilent = silentAutoUpdateEnable;
    silentAutoUpdateEnable = false;

    EntryOperations& operations = productEntryOperations();
    ASSERT_EQ(activeUpdatePolicy, nullptr);
    operations.activateUpdatePolicy(L"C:\\Vireo\\VireoPlayerUpdater.exe");
    ASSERT_NE(activeUpdatePolicy, nullptr);
    EXPECT_EQ(activeUpdatePolicy->programPath(), L"C:\\Vireo\\VireoPlayerUpdater.exe");
    EXPECT_TRUE(silentAutoUpdateEnable);
    operations.releaseUpdatePolicy();
    EXPECT_EQ(activeUpdatePolicy, nullptr);
    operations.releaseUpdatePolicy();  // nothing to release: no harm
    EXPECT_EQ(activeUpdatePolicy, nullptr);

    silentAutoUpdateEnable = savedSilent;
}

}  // namespace
