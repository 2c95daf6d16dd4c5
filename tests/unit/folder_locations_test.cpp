#include "filemanager/folder_locations.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "filemanager/windows_file_manager.h"
#include "platform/facility.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_text_codec.h"
#include "tests/fakes/fresh_folder_locations.h"

namespace {

class FolderLocationsTest : public ::testing::Test {
  protected:
    fakes::FreshFolderLocations freshLocations;
    fakes::FakeShell shell;
    platform::ScopedFacility<platform::Shell> shellInForce{shell};
    fakes::FakeTextCodec codec;
    platform::ScopedFacility<platform::TextCodec> codecInForce{codec};
    SASM::WindowsFileManager fileManager;

    FolderLocationsTest() {
        shell.folders[CSIDL_SYSTEM] = L"C:\\windows\\system32";
        shell.folders[CSIDL_APPDATA] = L"C:\\users\\vireo\\AppData\\Roaming";
    }
};

TEST_F(FolderLocationsTest, PolicyFileIsInTheSystemFolderAndAskedForOnce) {
    EXPECT_EQ(SASM::WindowsFileManager::policyFilePath(),
              OwnedString("C:\\windows\\system32\\Pellmark\\Vireo\\nws.cfg"));
    shell.folders[CSIDL_SYSTEM] = L"D:\\elsewhere";
    EXPECT_EQ(SASM::WindowsFileManager::policyFilePath(),
              OwnedString("C:\\windows\\system32\\Pellmark\\Vireo\\nws.cfg"));
    ASSERT_EQ(shell.folderQueries.size(), 1u);
    EXPECT_EQ(shell.folderQueries[0].csidl, CSIDL_SYSTEM);
    EXPECT_EQ(shell.folderQueries[0].flags, static_cast<DWORD>(SHGFP_TYPE_CURRENT));
}

TEST_F(FolderLocationsTest, PerUserFoldersAreInTheApplicationDataFolder) {
    struct Case {
        const OwnedString& (SASM::WindowsFileManager::*operation)();
        const char* path;
    };
    const Case cases[] = {
        {&SASM::WindowsFileManager::assetCacheFolder,
         "C:\\users\\vireo\\AppData\\Roaming\\Tessaly\\Vireo Player\\AssetCache"},
        {&SASM::WindowsFileManager::playerFolder,
         "C:\\users\\vireo\\AppData\\Roaming\\Norwend\\Vireo Player"},
        {&SASM::WindowsFileManager::privateDataFolder,
         "C:\\users\\vireo\\AppData\\Roaming\\Tessaly\\Vireo Player\\TPSPrivateData2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ((fileManager.*c.operation)(), OwnedString(c.path));
        // Cached: the same string object, not asked again.
        const size_t queries = shell.folderQueries.size();
        EXPECT_EQ(&(fileManager.*c.operation)(), &(fileManager.*c.operation)());
        EXPECT_EQ(shell.folderQueries.size(), queries);
        EXPECT_EQ(shell.folderQueries.back().csidl, CSIDL_APPDATA);
    }
    EXPECT_EQ(shell.folderQueries.size(), 3u);
}

TEST_F(FolderLocationsTest, AFailedFolderQueryLeavesTheBareSuffix) {
    shell.script.failCall("SHGetFolderPathW", static_cast<DWORD>(E_FAIL));
    EXPECT_EQ(SASM::WindowsFileManager::policyFilePath(),
              OwnedString("\\Pellmark\\Vireo\\nws.cfg"));
    shell.script.failCall("SHGetFolderPathW", static_cast<DWORD>(E_FAIL), 2);
    EXPECT_EQ(fileManager.playerFolder(), OwnedString("\\Norwend\\Vireo Player"));
}

TEST_F(FolderLocationsTest, AFailedConversionLeavesTheCacheEmptyForTheNextCall) {
    codec.script.failCall("WideCharToMultiByte C:\\windows\\system32\\Pellmark\\Vireo\\nws.cfg",
                          ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_TRUE(SASM::WindowsFileManager::policyFilePath().empty());
    EXPECT_TRUE(SASM::folderLocations().policyFilePath.empty());
    EXPECT_EQ(SASM::WindowsFileManager::policyFilePath(),
              OwnedString("C:\\windows\\system32\\Pellmark\\Vireo\\nws.cfg"));
    EXPECT_EQ(shell.folderQueries.size(), 2u);
}

TEST_F(FolderLocationsTest, AFolderOutsideAsciiComesBackAsUtf8) {
    shell.folders[CSIDL_APPDATA] = L"C:\\users\\J\u00fcrgen \u4e2d\\AppData\\Roaming";
    EXPECT_EQ(fileManager.playerFolder(),
              OwnedString("C:\\users\\J\xC3\xBCrgen \xE4\xB8\xAD\\AppData\\Roaming\\Norwend\\Vireo "
                          "Player"));
}

TEST_F(FolderLocationsTest, APathTooLongForTheBufferIsNotCutOff) {
    // 259 units of folder and suffix fit with the terminator; 260 do not.
    const std::wstring suffix = L"\\Pellmark\\Vireo\\nws.cfg";
    const std::wstring fits = L"C:\\" + std::wstring(259 - suffix.size() - 3, L'f');
    shell.folders[CSIDL_SYSTEM] = fits + L"x";
    EXPECT_TRUE(SASM::WindowsFileManager::policyFilePath().empty());
    shell.folders[CSIDL_SYSTEM] = fits;
    EXPECT_EQ(SASM::WindowsFileManager::policyFilePath().length(), 259u);
}

TEST_F(FolderLocationsTest, PathSeparatorIsABackslash) {
    EXPECT_EQ(fileManager.pathSeparator(), OwnedString("\\"));
    SASM::folderLocations().pathSeparator = "/";
    EXPECT_EQ(fileManager.pathSeparator(), OwnedString("\\"));
}

TEST(FolderLocationsRealTest, ThePolicyFileIsInTheSystemFolderTheProcessSees) {
    fakes::FreshFolderLocations freshLocations;
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(::GetSystemDirectoryW(system, MAX_PATH), 0u);
    const std::wstring expected = std::wstring(system) + L"\\Pellmark\\Vireo\\nws.cfg";
    const OwnedString& path = SASM::WindowsFileManager::policyFilePath();
    std::wstring wide(path.length() + 1, L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &wide[0],
                                                          static_cast<int>(wide.size()))) -
                1);
    EXPECT_EQ(_wcsicmp(wide.c_str(), expected.c_str()), 0)
        << path.c_str() << " is not in " << testing::PrintToString(expected);
}

}  // namespace
