#include "policy/update_policy.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "common/allocation_failure.h"
#include "log/install_log.h"
#include "platform/console.h"
#include "policy/policy_settings.h"
#include "tests/fakes/fake_files.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_text_codec.h"
#include "tests/fakes/fresh_folder_locations.h"
#include "tests/fakes/log_capture.h"
#include "tests/fakes/scratch_folder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Entries = std::vector<std::wstring>;

const wchar_t kPolicyFolder[] = L"Pellmark\\Vireo";
const wchar_t kPolicyFile[] = L"Pellmark\\Vireo\\nws.cfg";

// The process-wide settings as a process starts, restored afterwards.
class FreshPolicySettings {
  public:
    FreshPolicySettings()
        : silent_(silentAutoUpdateEnable),
          disable_(autoUpdateDisable),
          manifest_(manifestHost),
          package_(packageHost) {
        silentAutoUpdateEnable = false;
        autoUpdateDisable = false;
        manifestHost = kPrimaryDownloadHost;
        packageHost = kSecondaryDownloadHost;
    }
    ~FreshPolicySettings() {
        silentAutoUpdateEnable = silent_;
        autoUpdateDisable = disable_;
        manifestHost = manifest_;
        packageHost = package_;
    }

  private:
    bool silent_;
    bool disable_;
    std::wstring manifest_;
    std::wstring package_;
};

// Files whose next opening runs out of memory on request, as an allocation that
// fails does it (through the new-handler, last-error 8).
class FilesRunningOutOfMemory : public fakes::FakeFiles {
  public:
    bool runOutOfMemoryOnOpen = false;
    HANDLE createFile(const wchar_t* path, DWORD access, DWORD shareMode, DWORD creationDisposition,
                      DWORD flagsAndAttributes) override {
        if (runOutOfMemoryOnOpen) {
            runOutOfMemoryOnOpen = false;
            ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            recordAllocationFailure();
        }
        return FakeFiles::createFile(path, access, shareMode, creationDisposition,
                                     flagsAndAttributes);
    }
};

// The policy file lives in the scratch folder, which the shell reports as the
// system folder.
class UpdatePolicyTest : public ::testing::Test {
  protected:
    fakes::ScratchFolder scratch;
    fakes::FreshFolderLocations freshLocations;
    FreshPolicySettings freshSettings;
    fakes::FakeShell shell;
    platform::ScopedFacility<platform::Shell> shellInForce{shell};
    FilesRunningOutOfMemory files;
    platform::ScopedFacility<platform::Files> filesInForce{files};
    fakes::FakeTextCodec codec;
    platform::ScopedFacility<platform::TextCodec> codecInForce{codec};

    UpdatePolicyTest() { shell.folders[CSIDL_SYSTEM] = scratch.path(); }

    void TearDown() override { EXPECT_EQ(files.openHandles, 0) << "a file was left open"; }

    void writePolicy(const std::string& text) const {
        scratch.createFolders(kPolicyFolder);
        scratch.writeFile(kPolicyFile, Bytes(text.begin(), text.end()));
    }
    std::string policy() const {
        Bytes bytes;
        if (!scratch.readFile(kPolicyFile, bytes)) return "<missing>";
        return std::string(bytes.begin(), bytes.end());
    }
};

struct ModeCase {
    const char* name;
    int mode;
    const char* written;
};

// Failures name the case rather than dump its bytes.
void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class SetUpdateModeTest : public UpdatePolicyTest,
                          public ::testing::WithParamInterface<ModeCase> {};

TEST_P(SetUpdateModeTest, WritesBothKeysInBucketOrder) {
    const ModeCase& c = GetParam();
    scratch.createFolders(kPolicyFolder);
    EXPECT_TRUE(setUpdateMode(c.mode));
    EXPECT_EQ(policy(), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SetUpdateModeTest,
    ::testing::Values(ModeCase{"Silent", 0, "AutoUpdateDisable=0\r\nSilentAutoUpdateEnable=1\r\n"},
                      ModeCase{"Notify", 1, "AutoUpdateDisable=0\r\nSilentAutoUpdateEnable=0\r\n"},
                      ModeCase{"Disabled", 2,
                               "AutoUpdateDisable=1\r\nSilentAutoUpdateEnable=0\r\n"}),
    [](const ::testing::TestParamInfo<ModeCase>& info) { return info.param.name; });

TEST_F(UpdatePolicyTest, SetUpdateModeKeepsTheOtherKeys) {
    writePolicy(
        "SilentAutoUpdateVerboseLogging=1\r\nSilentAutoUpdateServerDomain=updates.test.example\r\n"
        "SilentAutoUpdateEnable=1\r\n");
    EXPECT_TRUE(setUpdateMode(kUpdateModeDisabled));
    EXPECT_EQ(policy(),
              "AutoUpdateDisable=1\r\nSilentAutoUpdateEnable=0\r\n"
              "SilentAutoUpdateVerboseLogging=1\r\n"
              "SilentAutoUpdateServerDomain=updates.test.example\r\n");
}

TEST_F(UpdatePolicyTest, AnUnknownModeTouchesNothing) {
    writePolicy("SilentAutoUpdateEnable=yes\r\n");
    for (int mode : {3, -1, 1001}) {
        EXPECT_FALSE(setUpdateMode(mode)) << mode;
    }
    EXPECT_EQ(policy(), "SilentAutoUpdateEnable=yes\r\n");
    EXPECT_TRUE(shell.folderQueries.empty());
    EXPECT_EQ(files.script.count("CreateFileW"), 0);
}

TEST_F(UpdatePolicyTest, WithoutThePolicyFolderNothingIsWritten) {
    fakes::LogCapture log;
    for (int mode : {0, 1, 2}) EXPECT_FALSE(setUpdateMode(mode)) << mode;
    EXPECT_FALSE(scratch.exists(L"Pellmark"));
    EXPECT_EQ(log.entries(), Entries());
}

TEST_F(UpdatePolicyTest, SetUpdateModeRunningOutOfMemoryWarns) {
    writePolicy("SilentAutoUpdateEnable=0\r\n");
    fakes::LogCapture log;
    files.runOutOfMemoryOnOpen = true;
    EXPECT_FALSE(setUpdateMode(kUpdateModeSilent));
    EXPECT_EQ(log.entries(), Entries{L"warning 1418"});
    EXPECT_EQ(policy(), "SilentAutoUpdateEnable=0\r\n");
}

struct QueryCase {
    const char* name;
    std::string policy;
    bool enabled;
};

void PrintTo(const QueryCase& c, std::ostream* os) { *os << c.name; }

class IsSilentAutoUpdateEnabledTest : public UpdatePolicyTest,
                                      public ::testing::WithParamInterface<QueryCase> {};

TEST_P(IsSilentAutoUpdateEnabledTest, ReadsSilentAutoUpdateEnableOnly) {
    const QueryCase& c = GetParam();
    if (!c.policy.empty()) writePolicy(c.policy);
    fakes::LogCapture log;
    EXPECT_EQ(isSilentAutoUpdateEnabled(), c.enabled);
    EXPECT_EQ(log.entries(), c.enabled ? Entries{L"info 1607"} : Entries());
}

INSTANTIATE_TEST_SUITE_P(
    Values, IsSilentAutoUpdateEnabledTest,
    ::testing::Values(QueryCase{"NoFile", "", false},
                      QueryCase{"Yes", "SilentAutoUpdateEnable=yes\r\n", true},
                      QueryCase{"DisabledDoesNotMatter",
                                "SilentAutoUpdateEnable=yes\r\nAutoUpdateDisable=1\r\n", true},
                      QueryCase{"CapitalTrue", "SilentAutoUpdateEnable=TRUE\r\n", true},
                      QueryCase{"Two", "SilentAutoUpdateEnable=2\r\n", true},
                      QueryCase{"On", "SilentAutoUpdateEnable=on\r\n", false},
                      QueryCase{"Enabled", "SilentAutoUpdateEnable=enabled\r\n", false},
                      QueryCase{"Zero", "SilentAutoUpdateEnable=0\r\n", false},
                      QueryCase{"OtherCaseKey", "silentautoupdateenable=1\r\n", false}),
    [](const ::testing::TestParamInfo<QueryCase>& info) { return info.param.name; });

TEST_F(UpdatePolicyTest, IsSilentAutoUpdateEnabledRunningOutOfMemoryWarns) {
    writePolicy("SilentAutoUpdateEnable=1\r\n");
    fakes::LogCapture log;
    files.runOutOfMemoryOnOpen = true;
    EXPECT_FALSE(isSilentAutoUpdateEnabled());
    EXPECT_EQ(log.entries(), Entries{L"warning 1419"});
}

// Writes to the log's console, except that the first line runs out of memory.
class ConsoleRunningOutOfMemoryOnce : public platform::Console {
  public:
    explicit ConsoleRunningOutOfMemoryOnce(platform::Console& next) : next_(next) {}
    void writeLine(const std::wstring& text) override {
        if (!failed_) {
            failed_ = true;
            ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            recordAllocationFailure();
        }
        next_.writeLine(text);
    }

  private:
    platform::Console& next_;
    bool failed_ = false;
};

TEST_F(UpdatePolicyTest, IsSilentAutoUpdateEnabledGivesWhatItFoundBeforeRunningOut) {
    writePolicy("SilentAutoUpdateEnable=1\r\n");
    fakes::LogCapture log;
    ConsoleRunningOutOfMemoryOnce console(log.console);
    platform::ScopedFacility<platform::Console> consoleInForce{console};
    EXPECT_TRUE(isSilentAutoUpdateEnabled());
    EXPECT_EQ(log.entries(), Entries{L"warning 1419"});
}

struct LoadCase {
    const char* name;
    std::string policy;
    bool silent;
    bool disable;
    Entries entries;  // as logged with verbose logging on from the start
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class LoadPolicyTest : public UpdatePolicyTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadPolicyTest, SetsTheSettingsAndLogsThem) {
    const LoadCase& c = GetParam();
    if (!c.policy.empty()) writePolicy(c.policy);
    fakes::LogCapture log(true);
    EXPECT_TRUE(loadPolicy());
    EXPECT_EQ(silentAutoUpdateEnable, c.silent);
    EXPECT_EQ(autoUpdateDisable, c.disable);
    EXPECT_EQ(manifestHost, kPrimaryDownloadHost);
    EXPECT_EQ(packageHost, kSecondaryDownloadHost);
    EXPECT_EQ(log.entries(), c.entries);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadPolicyTest,
    ::testing::Values(LoadCase{"NoFile", "", false, false, {L"info 1614", L"info 1616"}},
                      LoadCase{"Silent",
                               "AutoUpdateDisable=0\r\nSilentAutoUpdateEnable=1\r\n",
                               true,
                               false,
                               {L"info 1614", L"info 1615"}},
                      LoadCase{"SilentButDisabled",
                               "AutoUpdateDisable=1\r\nSilentAutoUpdateEnable=yes\r\n",
                               true,
                               true,
                               {L"info 1613", L"info 1615"}},
                      LoadCase{"Disabled",
                               "AutoUpdateDisable=true\r\nSilentAutoUpdateEnable=0\r\n",
                               false,
                               true,
                               {L"info 1613", L"info 1616"}}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

TEST_F(UpdatePolicyTest, VerboseLoggingTurnsOnForTheSameLoad) {
    writePolicy("SilentAutoUpdateVerboseLogging=1\r\nSilentAutoUpdateEnable=1\r\n");
    fakes::LogCapture log(false);
    EXPECT_TRUE(loadPolicy());
    EXPECT_TRUE(verboseLogging);
    EXPECT_EQ(log.entries(), (Entries{L"info 1614", L"info 1615"}));
}

TEST_F(UpdatePolicyTest, VerboseLoggingIsOnlyEverSwitchedOn) {
    writePolicy("SilentAutoUpdateVerboseLogging=0\r\n");
    {
        fakes::LogCapture log(false);
        EXPECT_TRUE(loadPolicy());
        EXPECT_FALSE(verboseLogging);
        EXPECT_EQ(log.entries(), Entries());
    }
    fakes::LogCapture log(true);
    EXPECT_TRUE(loadPolicy());
    EXPECT_TRUE(verboseLogging);
}

TEST_F(UpdatePolicyTest, TheServerDomainReplacesBothHosts) {
    writePolicy("SilentAutoUpdateServerDomain=  updates.test.example:8080/x  \r\n");
    fakes::LogCapture log(true);
    EXPECT_TRUE(loadPolicy());
    EXPECT_EQ(packageHost, L"updates.test.example:8080/x");
    EXPECT_EQ(manifestHost, L"updates.test.example:8080/x");
    EXPECT_EQ(log.entries(),
              (Entries{L"info 1628 updates.test.example:8080/x",
                       L"info 1629 updates.test.example:8080/x", L"info 1614", L"info 1616"}));
}

TEST_F(UpdatePolicyTest, AServerDomainOutsideAsciiIsConvertedFromUtf8) {
    writePolicy(
        "SilentAutoUpdateServerDomain=b\xC3\xBC"
        "cher.test\r\n");
    fakes::LogCapture log(false);
    EXPECT_TRUE(loadPolicy());
    EXPECT_EQ(packageHost, L"b\u00fccher.test");
    EXPECT_EQ(manifestHost, L"b\u00fccher.test");
}

struct ConversionCase {
    const char* name;
    int occurrence;  // of the domain's conversion calls: two per conversion
    const wchar_t* logged;
    bool packageKept;
    bool manifestKept;
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << c.name; }

class HostConversionTest : public UpdatePolicyTest,
                           public ::testing::WithParamInterface<ConversionCase> {};

TEST_P(HostConversionTest, AFailedConversionKeepsThatHost) {
    const ConversionCase& c = GetParam();
    writePolicy("SilentAutoUpdateServerDomain=updates.test.example\r\n");
    packageHost = L"earlier.package.example";
    manifestHost = L"earlier.manifest.example";
    codec.script.failCall("MultiByteToWideChar updates.test.example", ERROR_NO_UNICODE_TRANSLATION,
                          c.occurrence);
    fakes::LogCapture log(true);
    EXPECT_TRUE(loadPolicy());
    const std::wstring package =
        c.packageKept ? L"earlier.package.example" : L"updates.test.example";
    const std::wstring manifest =
        c.manifestKept ? L"earlier.manifest.example" : L"updates.test.example";
    EXPECT_EQ(packageHost, package);
    EXPECT_EQ(manifestHost, manifest);
    EXPECT_EQ(log.entries(), (Entries{c.logged, L"info 1628 " + package, L"info 1629 " + manifest,
                                      L"info 1614", L"info 1616"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostConversionTest,
    ::testing::Values(ConversionCase{"PackageSizeQuery", 1, L"error 1237 1113", true, false},
                      ConversionCase{"PackageConversion", 2, L"error 1237 1113", true, false},
                      ConversionCase{"ManifestSizeQuery", 3, L"error 1238 1113", false, true},
                      ConversionCase{"ManifestConversion", 4, L"error 1238 1113", false, true}),
    [](const ::testing::TestParamInfo<ConversionCase>& info) { return info.param.name; });

TEST_F(UpdatePolicyTest, AnEmptiedHostFallsBackToItsDefault) {
    // Left empty by nothing in the product; an empty host must never stay.
    writePolicy("SilentAutoUpdateServerDomain=updates.test.example\r\n");
    packageHost.clear();
    manifestHost.clear();
    codec.script.failAlways("MultiByteToWideChar updates.test.example", ERROR_INVALID_PARAMETER);
    fakes::LogCapture log(true);
    EXPECT_TRUE(loadPolicy());
    EXPECT_EQ(packageHost, kSecondaryDownloadHost);
    EXPECT_EQ(manifestHost, kPrimaryDownloadHost);
    EXPECT_EQ(log.entries(),
              (Entries{L"error 1237 87", L"error 1238 87", L"info 1614", L"info 1616"}));
}

TEST_F(UpdatePolicyTest, LoadRunningOutOfMemoryKeepsWhatItHadSet) {
    writePolicy(
        "SilentAutoUpdateVerboseLogging=1\r\nSilentAutoUpdateServerDomain=updates.test.example\r\n"
        "SilentAutoUpdateEnable=1\r\n");
    codec.runsOutOfMemory = "MultiByteToWideChar updates.test.example";
    fakes::LogCapture log(false);
    EXPECT_FALSE(loadPolicy());
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_TRUE(verboseLogging);
    EXPECT_FALSE(silentAutoUpdateEnable);
    EXPECT_EQ(packageHost, kSecondaryDownloadHost);
    EXPECT_EQ(log.entries(), Entries{L"warning 1420"});
}

TEST_F(UpdatePolicyTest, MakingTheUpdatePolicyLoadsIt) {
    writePolicy("AutoUpdateDisable=0\r\nSilentAutoUpdateEnable=1\r\n");
    fakes::LogCapture log(false);
    UpdatePolicy updatePolicy(L"C:\\Program Files\\Vireo\\VireoPlayerUpdater.exe");
    EXPECT_EQ(updatePolicy.programPath(), L"C:\\Program Files\\Vireo\\VireoPlayerUpdater.exe");
    EXPECT_TRUE(silentAutoUpdateEnable);
    EXPECT_FALSE(autoUpdateDisable);
    EXPECT_EQ(log.entries(), Entries());
}

TEST_F(UpdatePolicyTest, ALoadCutShortIsAnErrorOfTheUpdatePolicy) {
    writePolicy("SilentAutoUpdateEnable=1\r\n");
    for (bool verbose : {false, true}) {
        fakes::LogCapture log(verbose);
        files.runOutOfMemoryOnOpen = true;
        UpdatePolicy updatePolicy(L"VireoPlayerUpdater.exe");
        const Entries expected =
            verbose ? Entries{L"warning 1420", L"error 1233 8"} : Entries{L"error 1233 8"};
        EXPECT_EQ(log.entries(), expected);
        EXPECT_FALSE(silentAutoUpdateEnable);
    }
}

TEST_F(UpdatePolicyTest, EveryOperationReadsTheFileAfresh) {
    writePolicy("SilentAutoUpdateEnable=1\r\n");
    EXPECT_TRUE(isSilentAutoUpdateEnabled());
    EXPECT_TRUE(setUpdateMode(kUpdateModeNotify));
    EXPECT_FALSE(isSilentAutoUpdateEnabled());
    // The path was asked of the shell once and kept.
    ASSERT_EQ(shell.folderQueries.size(), 1u);
    EXPECT_EQ(shell.folderQueries[0].csidl, CSIDL_SYSTEM);
}

}  // namespace
