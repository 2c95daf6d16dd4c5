#include "delivery/installer_download.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "policy/policy_settings.h"
#include "tests/fakes/delivery_fakes.h"
#include "tests/fakes/failing_allocation.h"
#include "tests/fakes/log_capture.h"
#include "tests/fakes/scratch_folder.h"
#include "update/component_version.h"

namespace {

using Entries = std::vector<std::wstring>;
using Names = std::vector<std::string>;
using Bytes = std::vector<unsigned char>;

const std::wstring kGuidFolder = L"tmp\\{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";

// A download with every facility faked: the body comes from a fake WinHTTP,
// files are real (in a scratch folder that is the current directory, with a
// temporary folder "tmp" of its own), the verifier's crypt32 is a fake whose
// signed content is "installer program".
class InstallerDownloadTest : public ::testing::Test, protected fakes::DeliveryFakes {
  protected:
    InstallerDownloadTest() : savedHost_(packageHost) {
        packageHost = L"packages.test";
        scratch.createFolders(L"tmp");
        files.tempPath = scratch.path() + L"\\tmp\\";
        http.chunks = {"signed ", "package"};
    }
    ~InstallerDownloadTest() override { packageHost = savedHost_; }

    bool download(std::uint32_t flavour = kFlavourActiveX) {
        return InstallerDownload().downloadPackage(flavour);
    }

    std::string installer() const {
        Bytes bytes;
        if (!scratch.readFile(L"VireoPlayerInstaller.exe", bytes)) return "(none)";
        return std::string(bytes.begin(), bytes.end());
    }

    // What is left in the temporary folder.
    std::vector<std::wstring> leftInTemp() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW((files.tempPath + L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        return names;
    }

    void expectNothingLeft() {
        EXPECT_EQ(leftInTemp(), std::vector<std::wstring>{});
        EXPECT_EQ(http.openHandles(), 0);
        EXPECT_EQ(files.openHandles, 0);
        EXPECT_EQ(crypt.loadedModules, 0);
    }

    fakes::ScratchFolder scratch;
    fakes::LogCapture log;

  private:
    std::wstring savedHost_;
};

TEST_F(InstallerDownloadTest, WritesTheVerifiedContentAsTheInstaller) {
    ASSERT_TRUE(download(kFlavourActiveX));
    EXPECT_EQ(installer(), "installer program");
    EXPECT_EQ(crypt.lastPackage, "signed package");
    EXPECT_EQ(log.entries(), Entries{L"info 1600"});

    EXPECT_EQ(http.userAgent, L"Download Vireo Player Installer/1.0");
    EXPECT_EQ(http.accessType, static_cast<DWORD>(WINHTTP_ACCESS_TYPE_DEFAULT_PROXY));
    EXPECT_FALSE(http.proxyGiven);
    EXPECT_EQ(http.sessionFlags, 0u);
    EXPECT_EQ(http.host, L"packages.test");
    EXPECT_EQ(http.port, 80);
    EXPECT_EQ(http.verb, L"GET");
    EXPECT_EQ(http.objectName,
              L"/pub/vireoplayer/update/current/sau/11/install/install_all_win_ax_sgn.z");
    EXPECT_FALSE(http.versionOrReferrerGiven);
    EXPECT_FALSE(http.acceptTypesGiven);
    EXPECT_EQ(http.requestFlags, 0u);
    EXPECT_FALSE(http.headersOrBodyGiven);
    EXPECT_EQ(http.closed, (Names{"request", "connection", "session"}));

    // The package folder is named after a new GUID in the temporary folder.
    const std::wstring folder = scratch.path() + L"\\" + kGuidFolder + L"\\";
    EXPECT_EQ(files.foldersCreated, std::vector<std::wstring>{folder});
    ASSERT_EQ(files.opened.size(), 3u);
    EXPECT_EQ(files.opened[0].path, folder + L"vpi.tmp");
    EXPECT_EQ(files.opened[0].access, static_cast<DWORD>(GENERIC_WRITE));
    EXPECT_EQ(files.opened[0].shareMode, 0u);
    EXPECT_EQ(files.opened[0].creationDisposition, static_cast<DWORD>(CREATE_ALWAYS));
    EXPECT_EQ(files.opened[0].flagsAndAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(files.opened[1].path, folder + L"vpi.tmp");
    EXPECT_EQ(files.opened[1].access, static_cast<DWORD>(GENERIC_READ));
    EXPECT_EQ(files.opened[1].shareMode, static_cast<DWORD>(FILE_SHARE_READ));
    EXPECT_EQ(files.opened[1].creationDisposition, static_cast<DWORD>(OPEN_EXISTING));
    EXPECT_EQ(files.opened[2].path, L"VireoPlayerInstaller.exe");
    EXPECT_EQ(files.opened[2].access, static_cast<DWORD>(GENERIC_WRITE));
    EXPECT_EQ(files.opened[2].shareMode, 0u);
    EXPECT_EQ(files.opened[2].creationDisposition, static_cast<DWORD>(CREATE_ALWAYS));
    expectNothingLeft();
}

TEST_F(InstallerDownloadTest, ThePluginHasItsOwnPackage) {
    ASSERT_TRUE(download(kFlavourPlugin));
    EXPECT_EQ(http.objectName,
              L"/pub/vireoplayer/update/current/sau/11/install/install_all_win_pl_sgn.z");
    EXPECT_EQ(log.entries(), Entries{L"info 1601"});
}

TEST_F(InstallerDownloadTest, AnUnknownFlavourMakesNoConnection) {
    for (std::uint32_t flavour : {0u, 3u, 0xFFFFFFFFu}) {
        fakes::LogCapture caseLog;
        EXPECT_FALSE(download(flavour));
        EXPECT_EQ(caseLog.entries(), Entries{L"error 1200"});
    }
    EXPECT_EQ(http.script.count("WinHttpOpen"), 0);
    EXPECT_EQ(installer(), "(none)");
}

TEST_F(InstallerDownloadTest, TheFirstFailingRequestStepEndsTheAttempt) {
    const struct {
        const char* call;
        Names closed;
    } cases[] = {
        {"WinHttpOpen", {}},
        {"WinHttpConnect", {"session"}},
        {"WinHttpOpenRequest", {"connection", "session"}},
        {"WinHttpSendRequest", {"request", "connection", "session"}},
        {"WinHttpReceiveResponse", {"request", "connection", "session"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        fakes::LogCapture caseLog;
        fakes::FakeWinHttp caseHttp;
        platform::ScopedFacility<platform::WinHttp> inForce(caseHttp);
        caseHttp.script.failCall(c.call, ERROR_WINHTTP_NAME_NOT_RESOLVED);
        EXPECT_FALSE(download());
        EXPECT_EQ(caseLog.entries(), (Entries{L"info 1600", L"error 1214 12007"}));
        EXPECT_EQ(caseHttp.closed, c.closed);
        EXPECT_EQ(caseHttp.openHandles(), 0);
        EXPECT_TRUE(files.foldersCreated.empty());
    }
    expectNothingLeft();
}

TEST_F(InstallerDownloadTest, FailuresBeforeTheBodyArrives) {
    const struct {
        const char* name;
        const char* call;
        DWORD error;
        Entries entries;
    } cases[] = {
        {"no temporary path",
         "GetTempPathW",
         ERROR_ENVVAR_NOT_FOUND,
         {L"info 1600", L"error 1201 203"}},
        {"no folder", "CreateDirectoryW", ERROR_ACCESS_DENIED, {L"info 1600", L"error 1206 5"}},
        {"no download file",
         "CreateFileW",
         ERROR_SHARING_VIOLATION,
         {L"info 1600", L"error 1207 32"}},
        {"no data",
         "WinHttpQueryDataAvailable",
         ERROR_WINHTTP_CONNECTION_ERROR,
         {L"info 1600", L"error 1209 12030"}},
        {"no read", "WinHttpReadData", ERROR_WINHTTP_TIMEOUT, {L"info 1600", L"error 1211 12002"}},
        {"no write", "WriteFile", ERROR_DISK_FULL, {L"info 1600", L"error 1212 112"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::LogCapture caseLog;
        fakes::FakeWinHttp caseHttp;
        platform::ScopedFacility<platform::WinHttp> inForce(caseHttp);
        caseHttp.chunks = {"signed package"};
        caseHttp.script.failCall(c.call, c.error);
        files.script.failCall(c.call, c.error);
        EXPECT_FALSE(download());
        EXPECT_EQ(caseLog.entries(), c.entries);
        EXPECT_EQ(caseHttp.closed, (Names{"request", "connection", "session"}));
        EXPECT_EQ(caseHttp.openHandles(), 0);
        EXPECT_EQ(installer(), "(none)");
        EXPECT_EQ(leftInTemp(), std::vector<std::wstring>{});
        EXPECT_EQ(files.openHandles, 0);
    }
}

TEST_F(InstallerDownloadTest, ABodyAboveTheBoundIsAFailedRead) {
    // 10 bytes arrived, then 256 MiB - 9 more are announced.
    http.chunks = {"0123456789"};
    http.announcements = {10, static_cast<DWORD>(kMaximumPackageLength - 9)};
    EXPECT_FALSE(download());
    EXPECT_EQ(log.entries(), (Entries{L"info 1600", L"error 1211 223"}));
    EXPECT_EQ(http.readSizes, std::vector<DWORD>{10});
    expectNothingLeft();
}

TEST_F(InstallerDownloadTest, WithoutAGuidTheFolderIsNamedAfterATemporaryFile) {
    const struct {
        const char* call;
        Entries entries;
    } cases[] = {
        {"CoCreateGuid", {L"info 1600", L"warning 1426"}},
        {"StringFromGUID2", {L"info 1600", L"warning 1425", L"warning 1426"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        fakes::LogCapture caseLog;
        fakes::FakeGuids caseGuids;
        platform::ScopedFacility<platform::Guids> inForce(caseGuids);
        files.foldersCreated.clear();
        http.chunks = {"signed package"};
        caseGuids.script.failCall(c.call, ERROR_NOT_ENOUGH_MEMORY);
        ASSERT_TRUE(download());
        EXPECT_EQ(caseLog.entries(), c.entries);
        ASSERT_EQ(files.foldersCreated.size(), 1u);
        const std::wstring folder = files.foldersCreated[0];
        const std::wstring prefix = files.tempPath + L"VPI";
        EXPECT_EQ(folder.compare(0, prefix.size(), prefix), 0) << folder;
        EXPECT_EQ(folder.substr(folder.size() - 5), L".tmp\\") << folder;
        EXPECT_EQ(leftInTemp(), std::vector<std::wstring>{});
    }
}

TEST_F(InstallerDownloadTest, TheFallbackNameCanFail) {
    guids.script.failAlways("CoCreateGuid", ERROR_NOT_ENOUGH_MEMORY);
    {
        files.script.failCall("GetTempFileNameW", ERROR_ACCESS_DENIED);
        fakes::LogCapture caseLog;
        EXPECT_FALSE(download());
        EXPECT_EQ(caseLog.entries(), (Entries{L"info 1600", L"warning 1426", L"error 1203 5"}));
        EXPECT_EQ(leftInTemp(), std::vector<std::wstring>{});
    }
    {
        http.chunks = {"signed package"};
        files.script.failCall("DeleteFileW", ERROR_ACCESS_DENIED);
        fakes::LogCapture caseLog;
        EXPECT_FALSE(download());
        EXPECT_EQ(caseLog.entries(), (Entries{L"info 1600", L"warning 1426", L"error 1205 5"}));
        // Only the placeholder file stays.
        const std::vector<std::wstring> left = leftInTemp();
        ASSERT_EQ(left.size(), 1u);
        EXPECT_EQ(left[0].substr(0, 3), L"VPI");
    }
    EXPECT_TRUE(files.foldersCreated.empty());
    EXPECT_EQ(http.openHandles(), 0);
}

TEST_F(InstallerDownloadTest, CleanupFailuresAreWarningsAndTheDownloadGoesOn) {
    // The first close is the download file's; the first delete is of it.
    files.script.failCall("CloseHandle", ERROR_INVALID_HANDLE, 1);
    files.script.failCall("DeleteFileW", ERROR_SHARING_VIOLATION, 1);
    ASSERT_TRUE(download());
    // The folder holds the file still, so it cannot be removed either.
    EXPECT_EQ(log.entries(),
              (Entries{L"info 1600", L"warning 1413 6", L"warning 1414 32", L"warning 1415 145"}));
    EXPECT_EQ(installer(), "installer program");
    EXPECT_EQ(leftInTemp(), std::vector<std::wstring>{L"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}"});
}

TEST_F(InstallerDownloadTest, APackageThatCannotBeReadBackIsNotVerified) {
    const struct {
        const char* name;
        const char* call;
        int occurrence;
        std::vector<std::string> chunks;
        Entries entries;
    } cases[] = {
        {"empty body", "", 0, {}, {L"info 1600", L"error 1217 38"}},
        {"not opened again",
         "CreateFileW",
         2,
         {"signed package"},
         {L"info 1600", L"error 1217 32"}},
        {"no size", "GetFileAttributesExW", 1, {"signed package"}, {L"info 1600", L"error 1217 5"}},
        {"not read", "ReadFile", 1, {"signed package"}, {L"info 1600", L"error 1217 23"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::LogCapture caseLog;
        fakes::DeliveryFiles caseFiles;
        caseFiles.tempPath = files.tempPath;
        platform::ScopedFacility<platform::Files> inForce(caseFiles);
        http.chunks.assign(c.chunks.begin(), c.chunks.end());
        const DWORD error = std::string(c.call) == "CreateFileW" ? ERROR_SHARING_VIOLATION
                            : std::string(c.call) == "GetFileAttributesExW" ? ERROR_ACCESS_DENIED
                                                                            : ERROR_CRC;
        if (*c.call) caseFiles.script.failCall(c.call, error, c.occurrence);
        EXPECT_FALSE(download());
        EXPECT_EQ(caseLog.entries(), c.entries);
        EXPECT_EQ(crypt.script.count("CryptVerifyMessageSignature"), 0);
        EXPECT_EQ(leftInTemp(), std::vector<std::wstring>{});
        EXPECT_EQ(caseFiles.openHandles, 0);
    }
    EXPECT_EQ(installer(), "(none)");
}

TEST_F(InstallerDownloadTest, APackageThatDoesNotVerifyIsNotWritten) {
    scratch.writeFile(L"VireoPlayerInstaller.exe", Bytes{'o', 'l', 'd'});
    crypt.script.failCall("CryptVerifyMessageSignature", ERROR_INVALID_DATA);
    EXPECT_FALSE(download());
    EXPECT_EQ(log.entries(), (Entries{L"info 1600", L"error 1217 13"}));
    EXPECT_EQ(installer(), "old");
    expectNothingLeft();
}

TEST_F(InstallerDownloadTest, AnOlderInstallerIsReplaced) {
    scratch.writeFile(L"VireoPlayerInstaller.exe", Bytes(5000, 'x'));
    ASSERT_TRUE(download());
    EXPECT_EQ(installer(), "installer program");
}

TEST_F(InstallerDownloadTest, WritingTheInstallerCanFail) {
    const struct {
        const char* name;
        const char* call;
        int occurrence;
        DWORD error;
        bool result;
        Entries entries;
        std::string installer;
    } cases[] = {
        // The third file opened is the installer; the installer write follows
        // the two chunk writes; the installer's close is the third.
        {"installer in use",
         "CreateFileW",
         3,
         ERROR_SHARING_VIOLATION,
         false,
         {L"info 1600", L"error 1215 32"},
         "(none)"},
        {"installer not written",
         "WriteFile",
         3,
         ERROR_DISK_FULL,
         false,
         {L"info 1600", L"error 1216 112"},
         ""},
        {"installer not closed",
         "CloseHandle",
         3,
         ERROR_INVALID_HANDLE,
         true,
         {L"info 1600", L"warning 1417 6"},
         "installer program"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::LogCapture caseLog;
        fakes::DeliveryFiles caseFiles;
        caseFiles.tempPath = files.tempPath;
        platform::ScopedFacility<platform::Files> inForce(caseFiles);
        ::DeleteFileW(L"VireoPlayerInstaller.exe");
        http.chunks = {"signed ", "package"};
        caseFiles.script.failCall(c.call, c.error, c.occurrence);
        EXPECT_EQ(download(), c.result);
        EXPECT_EQ(caseLog.entries(), c.entries);
        EXPECT_EQ(installer(), c.installer);
        EXPECT_EQ(leftInTemp(), std::vector<std::wstring>{});
        EXPECT_EQ(caseFiles.openHandles, 0);
        EXPECT_EQ(crypt.loadedModules, 0);
    }
}

TEST_F(InstallerDownloadTest, RunningOutOfMemoryWhileReceivingLeavesTheDownload) {
    http.readThatRunsOutOfMemory = 2;
    EXPECT_THROW(download(), std::bad_alloc);
    expectNothingLeft();
}

TEST_F(InstallerDownloadTest, RunningOutOfMemoryWhileVerifyingIsAFalseResult) {
    crypt.verifyRunsOutOfMemory = ERROR_NOT_ENOUGH_MEMORY;
    EXPECT_FALSE(download());
    EXPECT_EQ(log.entries(), Entries{L"info 1600"});
    EXPECT_EQ(installer(), "(none)");
    expectNothingLeft();
}

}  // namespace

namespace {

TEST_F(InstallerDownloadTest, RunningOutOfMemoryForThePackageLeavesTheDownload) {
    // Six chunks of 100 KiB: only the read-back needs 600 KiB at once.
    http.chunks.assign(6, std::string(100 * 1024, 'p'));
    fakes::FailingAllocation failing(fakes::FailingAllocation::AtLeast{500 * 1024});
    EXPECT_THROW(download(), std::bad_alloc);
    EXPECT_TRUE(failing.failed());
    EXPECT_EQ(log.entries(), Entries{L"info 1600"});
    expectNothingLeft();
}

TEST_F(InstallerDownloadTest, RunningOutOfMemoryForTheContentIsAFalseResult) {
    crypt.content = std::string(600 * 1024, 'c');
    fakes::FailingAllocation failing(fakes::FailingAllocation::AtLeast{500 * 1024});
    EXPECT_FALSE(download());
    EXPECT_TRUE(failing.failed());
    EXPECT_EQ(log.entries(), Entries{L"info 1600"});
    EXPECT_EQ(installer(), "(none)");
    expectNothingLeft();
    EXPECT_EQ(crypt.contextsHeld(), 0);
}

}  // namespace
