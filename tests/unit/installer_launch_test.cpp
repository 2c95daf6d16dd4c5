#include "delivery/installer_launch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/process_paths.h"
#include "tests/fakes/delivery_fakes.h"
#include "tests/fakes/failing_allocation.h"
#include "tests/fakes/fake_processes.h"
#include "tests/fakes/log_capture.h"
#include "tests/fakes/scratch_folder.h"

namespace {

using Entries = std::vector<std::wstring>;
using Names = std::vector<std::string>;

ComponentVersion flavour(std::uint32_t code) {
    ComponentVersion version;
    version.major = 11;
    version.flavourCode = code;
    return version;
}

// Full paths that cannot be made.
class FailingProcessPaths : public platform::ProcessPaths {
  public:
    DWORD answer = 0;
    DWORD getFullPathName(const wchar_t*, DWORD, wchar_t*) override {
        if (answer == 0) ::SetLastError(ERROR_INVALID_NAME);
        return answer;
    }
};

// The installation with the download faked as in the download tests (its
// fake crypt32 signs "installer program") and process creation faked.
class InstallerLaunchTest : public ::testing::Test, protected fakes::DeliveryFakes {
  protected:
    InstallerLaunchTest() {
        scratch.createFolders(L"tmp");
        files.tempPath = scratch.path() + L"\\tmp\\";
        http.chunks = {"signed package"};
    }

    std::wstring installerPath() const { return scratch.path() + L"\\VireoPlayerInstaller.exe"; }

    fakes::ScratchFolder scratch;
    fakes::LogCapture log;
    fakes::FakeProcesses processes;

  private:
    platform::ScopedFacility<platform::Processes> processesInForce_{processes};
};

TEST_F(InstallerLaunchTest, StartsTheWrittenInstallerByItsFullPath) {
    ASSERT_TRUE(installFlavour(flavour(kFlavourPlugin)));
    EXPECT_EQ(log.entries(), (Entries{L"info 1601", L"info 1602"}));
    ASSERT_EQ(processes.created.size(), 1u);
    const fakes::FakeProcesses::Created& created = processes.created[0];
    EXPECT_EQ(created.applicationName, installerPath());
    EXPECT_EQ(created.commandLine, L"VireoPlayerInstaller.exe -install -iv 9");
    EXPECT_EQ(created.inheritHandles, FALSE);
    EXPECT_EQ(created.creationFlags,
              static_cast<DWORD>(DETACHED_PROCESS | CREATE_DEFAULT_ERROR_MODE));
    EXPECT_EQ(created.startupSize, sizeof(STARTUPINFOW));
    EXPECT_TRUE(created.startupOtherwiseEmpty);
    EXPECT_EQ(processes.closed, (Names{"process", "thread"}));
    // The installer stays where the download wrote it.
    EXPECT_TRUE(scratch.exists(L"VireoPlayerInstaller.exe"));
}

TEST_F(InstallerLaunchTest, AFailedDownloadStartsNothing) {
    const struct {
        const char* name;
        std::uint32_t flavourCode;
        bool badSignature;
        Entries entries;
    } cases[] = {
        {"unknown flavour", 3, false, {L"error 1200"}},
        {"bad signature", kFlavourActiveX, true, {L"info 1600", L"error 1217 13"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::LogCapture caseLog;
        http.chunks = {"signed package"};
        if (c.badSignature)
            crypt.script.failCall("CryptVerifyMessageSignature", ERROR_INVALID_DATA);
        EXPECT_FALSE(installFlavour(flavour(c.flavourCode)));
        EXPECT_EQ(caseLog.entries(), c.entries);
    }
    EXPECT_TRUE(processes.created.empty());
}

TEST_F(InstallerLaunchTest, ProcessCreationThatFailsIsLoggedWithItsError) {
    processes.script.failCall("CreateProcessW", ERROR_BAD_EXE_FORMAT);
    EXPECT_FALSE(installFlavour(flavour(kFlavourActiveX)));
    EXPECT_EQ(log.entries(), (Entries{L"info 1600", L"error 1218 193"}));
    EXPECT_TRUE(processes.closed.empty());
}

TEST_F(InstallerLaunchTest, RunningOutOfMemory) {
    {
        SCOPED_TRACE("in the download");
        fakes::LogCapture caseLog;
        http.readThatRunsOutOfMemory = 1;
        EXPECT_FALSE(installFlavour(flavour(kFlavourActiveX)));
        EXPECT_EQ(caseLog.entries(), (Entries{L"info 1600", L"error 1236 8"}));
        EXPECT_TRUE(processes.created.empty());
        EXPECT_EQ(files.openHandles, 0);
        EXPECT_EQ(http.openHandles(), 0);
    }
    {
        SCOPED_TRACE("while starting the installer");
        fakes::LogCapture caseLog;
        http.readThatRunsOutOfMemory = 0;
        http.readSizes.clear();
        http.chunks = {"signed package"};
        processes.runOutOfMemory = ERROR_OUTOFMEMORY;
        EXPECT_FALSE(installFlavour(flavour(kFlavourActiveX)));
        EXPECT_EQ(caseLog.entries(), (Entries{L"info 1600", L"error 1235 14"}));
    }
    {
        SCOPED_TRACE("reading the package back");
        fakes::LogCapture caseLog;
        processes.runOutOfMemory = 0;
        http.chunks.assign(6, std::string(100 * 1024, 'p'));
        fakes::FailingAllocation failing(fakes::FailingAllocation::AtLeast{500 * 1024},
                                         ERROR_COMMITMENT_LIMIT);
        EXPECT_FALSE(installFlavour(flavour(kFlavourActiveX)));
        EXPECT_TRUE(failing.failed());
        EXPECT_EQ(caseLog.entries(), (Entries{L"info 1600", L"error 1236 1455"}));
        EXPECT_EQ(files.openHandles, 0);
    }
    EXPECT_TRUE(processes.created.empty());
}

TEST_F(InstallerLaunchTest, WithoutAFullPathNothingIsStarted) {
    FailingProcessPaths paths;
    platform::ScopedFacility<platform::ProcessPaths> inForce(paths);
    for (DWORD answer : {DWORD{0}, DWORD{MAX_PATH + 20}}) {
        fakes::LogCapture caseLog;
        paths.answer = answer;
        std::wstring commandLine = L"VireoPlayerInstaller.exe -install -iv 9";
        EXPECT_FALSE(launchInstaller(&commandLine[0]));
        EXPECT_EQ(caseLog.entries(), Entries{answer == 0 ? L"error 1218 123" : L"error 1218 206"});
    }
    EXPECT_TRUE(processes.created.empty());
}

// The platform's own process creation.
TEST(InstallerLaunchWithWindowsTest, AnInstallerRemovedBeforeItsStartIsNotFound) {
    fakes::ScratchFolder scratch;
    fakes::LogCapture log;
    std::wstring commandLine = L"VireoPlayerInstaller.exe -install -iv 9";
    EXPECT_FALSE(launchInstaller(&commandLine[0]));
    EXPECT_EQ(log.entries(), Entries{L"error 1218 2"});
}

}  // namespace
