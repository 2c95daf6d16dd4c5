#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "filemanager/windows_file_manager.h"
#include "platform/clock.h"
#include "platform/file_size.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_files.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_text_codec.h"
#include "tests/fakes/scratch_folder.h"
#include "tests/fakes/utf8_text.h"

namespace {

using Names = std::vector<std::string>;

constexpr std::uint64_t kUnitsPerSecond = 10000000;
constexpr std::uint64_t kHour = 3600;
constexpr std::uint64_t kDay = 24 * kHour;

// Files that report the folders named "link" as links (reparse points), as a
// junction shows up in a folder listing, and that refuse to open the file
// whose path ends in `refusedFile`.
class FilesWithLinks : public fakes::FakeFiles {
  public:
    std::wstring refusedFile;

    HANDLE createFile(const wchar_t* path, DWORD access, DWORD shareMode, DWORD creationDisposition,
                      DWORD flagsAndAttributes) override {
        const std::wstring name = path;
        if (!refusedFile.empty() && name.size() >= refusedFile.size() &&
            name.compare(name.size() - refusedFile.size(), refusedFile.size(), refusedFile) == 0) {
            ::SetLastError(ERROR_SHARING_VIOLATION);
            return INVALID_HANDLE_VALUE;
        }
        return FakeFiles::createFile(path, access, shareMode, creationDisposition,
                                     flagsAndAttributes);
    }
    HANDLE findFirstFile(const wchar_t* pattern, WIN32_FIND_DATAW* found) override {
        HANDLE search = FakeFiles::findFirstFile(pattern, found);
        if (search != INVALID_HANDLE_VALUE) markLink(found);
        return search;
    }
    BOOL findNextFile(HANDLE search, WIN32_FIND_DATAW* found) override {
        const BOOL more = FakeFiles::findNextFile(search, found);
        if (more) markLink(found);
        return more;
    }

  private:
    static void markLink(WIN32_FIND_DATAW* found) {
        if (std::wstring(found->cFileName) == L"link") {
            found->dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
        }
    }
};

class FolderOperationsTest : public ::testing::Test {
  protected:
    fakes::ScratchFolder scratch;
    FilesWithLinks files;
    platform::ScopedFacility<platform::Files> filesInForce{files};
    fakes::FakeShell shell;
    platform::ScopedFacility<platform::Shell> shellInForce{shell};
    fakes::FakeTextCodec codec;
    platform::ScopedFacility<platform::TextCodec> codecInForce{codec};
    fakes::FakeClock clock;
    platform::ScopedFacility<platform::Clock> clockInForce{clock};
    SASM::WindowsFileManager fileManager;

    FolderOperationsTest() { clock.now = fakes::FakeClock::at(2024, 3, 10, 12, 0, 0, 0); }

    void TearDown() override {
        EXPECT_EQ(files.openHandles, 0) << "a file was left open";
        EXPECT_EQ(files.openSearches, 0) << "a folder search was left open";
    }

    OwnedString pathOf(const std::wstring& relative) const {
        return fakes::utf8(relative.empty() ? scratch.path() : scratch.path() + L"\\" + relative)
            .c_str();
    }

    void makeFile(const std::wstring& relative, size_t size = 1) const {
        const size_t slash = relative.rfind(L'\\');
        if (slash != std::wstring::npos) scratch.createFolders(relative.substr(0, slash));
        scratch.writeFile(relative, std::vector<unsigned char>(size, 'x'));
    }

    // A file last changed `secondsAgo` before the clock's time (negative: in
    // the future).
    void makeFileAged(const std::wstring& relative, long long secondsAgo) const {
        makeFile(relative);
        FILETIME now = {};
        ::SystemTimeToFileTime(&clock.now, &now);
        const std::uint64_t nowUnits =
            (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
        const std::uint64_t stamp =
            nowUnits - static_cast<std::uint64_t>(secondsAgo) * kUnitsPerSecond;
        FILETIME written = {static_cast<DWORD>(stamp), static_cast<DWORD>(stamp >> 32)};
        HANDLE file = ::CreateFileW((scratch.path() + L"\\" + relative).c_str(),
                                    FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &written));
        ::CloseHandle(file);
    }

    Names listed(const std::wstring& relative) {
        std::unique_ptr<SASM::StringVector> list = fileManager.listFolder(pathOf(relative));
        if (!list) return {"<null>"};
        Names names;
        for (std::uint32_t i = 0; i < list->count(); ++i) names.push_back(list->at(i).c_str());
        return names;
    }
};

TEST_F(FolderOperationsTest, DeleteTreeRemovesAWholeTreeThroughTheShell) {
    makeFile(L"tree\\a\\b\\deep.txt");
    makeFile(L"tree\\top.txt");
    EXPECT_TRUE(fileManager.deleteTree(pathOf(L"tree")));
    EXPECT_FALSE(scratch.exists(L"tree"));

    ASSERT_EQ(shell.fileOperations.size(), 1u);
    const fakes::FakeShell::FileOperation& operation = shell.fileOperations[0];
    EXPECT_EQ(operation.function, static_cast<UINT>(FO_DELETE));
    // Permanent and silent: no recycle bin, no question, no progress, no error box.
    EXPECT_EQ(operation.flags, FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI);
    EXPECT_EQ(operation.from, std::vector<std::wstring>{scratch.path() + L"\\tree"});
    EXPECT_TRUE(operation.toIsNull);
}

TEST_F(FolderOperationsTest, DeleteTreeOfWhatIsNotThereIsTrue) {
    makeFile(L"file.txt");
    EXPECT_TRUE(fileManager.deleteTree(pathOf(L"file.txt")));
    EXPECT_FALSE(scratch.exists(L"file.txt"));
    EXPECT_TRUE(fileManager.deleteTree(pathOf(L"missing.txt")));
    EXPECT_TRUE(fileManager.deleteTree(pathOf(L"missing\\missing.txt")));
}

TEST_F(FolderOperationsTest, DeleteTreeAnswersByTheShellsCode) {
    struct Case {
        DWORD code;
        bool deleted;
    };
    const Case cases[] = {{2, true},  {0x7C, true},  {0x402, true},
                          {5, false}, {0x78, false}, {0x10000, false}};
    for (const Case& c : cases) {
        shell.script.failAlways("SHFileOperationW", c.code);
        EXPECT_EQ(fileManager.deleteTree(pathOf(L"tree")), c.deleted) << c.code;
    }
}

TEST_F(FolderOperationsTest, DeleteTreeOfAPathThatCannotBeConvertedFails) {
    codec.script.failAlways(std::string("MultiByteToWideChar ") + pathOf(L"tree").c_str(),
                            ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_FALSE(fileManager.deleteTree(pathOf(L"tree")));
    EXPECT_TRUE(shell.fileOperations.empty());
}

TEST_F(FolderOperationsTest, DeleteFilesByAgeKeepsWhatIsOutsideTheWindow) {
    makeFileAged(L"cache\\hour.txt", kHour);
    makeFileAged(L"cache\\sub\\hour.txt", kHour);
    makeFileAged(L"cache\\old\\two-days.txt", 2 * kDay);
    makeFileAged(L"cache\\day.txt", kDay);  // the upper bound is not inside
    makeFileAged(L"cache\\now.txt", 0);     // nor the lower one
    makeFileAged(L"cache\\future.txt", -static_cast<long long>(kHour));

    EXPECT_TRUE(fileManager.deleteFilesByAge(pathOf(L"cache"), 0, kDay));
    EXPECT_FALSE(scratch.exists(L"cache\\hour.txt"));
    EXPECT_FALSE(scratch.exists(L"cache\\sub"));
    EXPECT_TRUE(scratch.exists(L"cache\\old\\two-days.txt"));
    EXPECT_TRUE(scratch.exists(L"cache\\day.txt"));
    EXPECT_TRUE(scratch.exists(L"cache\\now.txt"));
    EXPECT_TRUE(scratch.exists(L"cache\\future.txt"));
}

TEST_F(FolderOperationsTest, DeleteFilesByAgeRemovesTheFolderWhenEverythingWent) {
    makeFileAged(L"cache\\a.txt", kHour);
    makeFileAged(L"cache\\sub\\deeper\\b.txt", 2 * kHour);
    scratch.createFolders(L"cache\\empty");
    EXPECT_TRUE(fileManager.deleteFilesByAge(pathOf(L"cache"), kHour - 1, 3 * kHour));
    EXPECT_FALSE(scratch.exists(L"cache"));
}

TEST_F(FolderOperationsTest, DeleteFilesByAgeOfAMissingFolderFails) {
    EXPECT_FALSE(fileManager.deleteFilesByAge(pathOf(L"missing"), 0, kDay));
}

TEST_F(FolderOperationsTest, DeleteFilesByAgeWithHugeAgesDoesNotWrap) {
    // 2^61 seconds in file-time units would wrap to a small number.
    makeFileAged(L"cache\\a.txt", kDay);
    EXPECT_TRUE(fileManager.deleteFilesByAge(pathOf(L"cache"), 0, std::uint64_t(1) << 61));
    EXPECT_FALSE(scratch.exists(L"cache"));
}

TEST_F(FolderOperationsTest, DeleteFilesByAgeReportsWhatBlockedIt) {
    struct Case {
        const char* name;
        const char* call;
        int occurrence;
        bool result;
    };
    const Case cases[] = {
        {"a file that cannot be deleted stays", "DeleteFileW", 1, true},
        {"a subfolder that cannot be listed stays", "FindFirstFileW", 2, true},
        {"a subfolder that cannot be removed stays", "RemoveDirectoryW", 1, true},
        {"the folder itself cannot be removed", "RemoveDirectoryW", 2, false},
        {"the folder cannot be listed", "FindFirstFileW", 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        makeFileAged(L"cache\\a.txt", kHour);
        makeFileAged(L"cache\\sub\\b.txt", kHour);
        FilesWithLinks failing;
        platform::ScopedFacility<platform::Files> failingInForce{failing};
        failing.script.failCall(c.call, ERROR_ACCESS_DENIED, c.occurrence);
        EXPECT_EQ(fileManager.deleteFilesByAge(pathOf(L"cache"), 0, kDay), c.result);
        EXPECT_TRUE(scratch.exists(L"cache"));
        EXPECT_EQ(failing.openSearches, 0);
    }
}

TEST_F(FolderOperationsTest, DeleteFilesByAgeLeavesLinkedFoldersAlone) {
    makeFileAged(L"cache\\a.txt", kHour);
    makeFileAged(L"cache\\link\\elsewhere.txt", kHour);
    EXPECT_TRUE(fileManager.deleteFilesByAge(pathOf(L"cache"), 0, kDay));
    EXPECT_FALSE(scratch.exists(L"cache\\a.txt"));
    EXPECT_TRUE(scratch.exists(L"cache\\link\\elsewhere.txt"));
}

TEST_F(FolderOperationsTest, GetSizeAddsUpEveryFileBelow) {
    makeFile(L"folder\\one\\three.bin", 3);
    makeFile(L"folder\\two\\deeper\\five.bin", 5);
    scratch.createFolders(L"folder\\empty");
    EXPECT_EQ(fileManager.getSize(pathOf(L"folder")), 8u);
    EXPECT_EQ(fileManager.getSize(pathOf(L"folder\\two\\deeper\\five.bin")), 5u);
    EXPECT_EQ(fileManager.getSize(pathOf(L"missing")), 0u);
    EXPECT_EQ(fileManager.getSize(pathOf(L"folder\\empty")), 0u);
}

TEST_F(FolderOperationsTest, GetSizeCountsWhatItCannotReachAsZero) {
    makeFile(L"folder\\three.bin", 3);
    makeFile(L"folder\\sub\\five.bin", 5);
    makeFile(L"folder\\link\\seven.bin", 7);  // not followed
    EXPECT_EQ(fileManager.getSize(pathOf(L"folder")), 8u);

    files.refusedFile = L"\\three.bin";
    EXPECT_EQ(fileManager.getSize(pathOf(L"folder")), 5u);
    files.refusedFile.clear();
    {
        FilesWithLinks failing;
        platform::ScopedFacility<platform::Files> failingInForce{failing};
        failing.script.failCall("FindFirstFileW", ERROR_ACCESS_DENIED, 2);  // the subfolder
        EXPECT_EQ(fileManager.getSize(pathOf(L"folder")), 3u);
        EXPECT_EQ(failing.openSearches, 0);
    }

    class FailingFileSize : public platform::FileSize {
      public:
        BOOL getFileSize(HANDLE, LARGE_INTEGER*) override {
            ::SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
    } fileSize;
    platform::ScopedFacility<platform::FileSize> fileSizeInForce{fileSize};
    EXPECT_EQ(fileManager.getSize(pathOf(L"folder")), 0u);
}

TEST_F(FolderOperationsTest, GetSizeOfAPathThatCannotBeConvertedIsZero) {
    makeFile(L"three.bin", 3);
    codec.script.failAlways(std::string("MultiByteToWideChar ") + pathOf(L"three.bin").c_str(),
                            ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(fileManager.getSize(pathOf(L"three.bin")), 0u);
}

TEST_F(FolderOperationsTest, CreateFolderCreatesTheMissingParentsFirst) {
    EXPECT_TRUE(fileManager.createFolder(pathOf(L"one\\two"), "three"));
    EXPECT_TRUE(scratch.exists(L"one\\two\\three"));
    // There already, and a parent written with a closing backslash.
    EXPECT_TRUE(fileManager.createFolder(pathOf(L"one\\two"), "three"));
    EXPECT_TRUE(fileManager.createFolder(pathOf(L"one\\"), "four"));
    EXPECT_TRUE(scratch.exists(L"one\\four"));
}

TEST_F(FolderOperationsTest, CreateFolderFailsWhereAFileIsInTheWay) {
    makeFile(L"one\\taken");
    EXPECT_FALSE(fileManager.createFolder(pathOf(L"one"), "taken"));
    EXPECT_FALSE(fileManager.createFolder(pathOf(L"one\\taken"), "below"));
}

TEST_F(FolderOperationsTest, CreateFolderFailsWhenANameCannotBeConverted) {
    codec.script.failAlways("MultiByteToWideChar name", ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_FALSE(fileManager.createFolder(pathOf(L"one"), "name"));
    EXPECT_FALSE(scratch.exists(L"one"));
}

TEST_F(FolderOperationsTest, CreateFolderAcceptsNamesOutsideAscii) {
    EXPECT_TRUE(fileManager.createFolder(pathOf(L"J\u00fcrgen"), "\xE4\xB8\xAD"));
    EXPECT_TRUE(scratch.exists(L"J\u00fcrgen\\\u4e2d"));
}

TEST_F(FolderOperationsTest, ListFolderGivesNamesBeforeNumbers) {
    for (const wchar_t* name : {L"list\\10", L"list\\9", L"list\\b", L"list\\a"}) makeFile(name);
    EXPECT_EQ(listed(L"list"), (Names{"a", "b", "9", "10"}));
}

TEST_F(FolderOperationsTest, ListFolderGivesFilesAndFoldersHiddenOnesToo) {
    makeFile(L"list\\file.txt");
    makeFile(L"list\\sub\\inner.txt");
    makeFile(L"list\\hidden");
    ::SetFileAttributesW((scratch.path() + L"\\list\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    makeFile(L"list\\\u00e9t\u00e9");
    EXPECT_EQ(listed(L"list"), (Names{"file.txt", "hidden", "sub", "\xC3\xA9t\xC3\xA9"}));
    scratch.createFolders(L"empty");
    EXPECT_EQ(listed(L"empty"), Names{});
}

TEST_F(FolderOperationsTest, ListFolderOfAMissingFolderIsEmpty) {
    EXPECT_EQ(listed(L"missing"), Names{});
}

TEST_F(FolderOperationsTest, ListFolderLeavesOutNamesThatCannotBeConverted) {
    for (const wchar_t* name : {L"list\\a", L"list\\b", L"list\\c"}) makeFile(name);
    codec.script.failAlways("WideCharToMultiByte b", ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(listed(L"list"), (Names{"a", "c"}));
    codec.script.failAlways(std::string("MultiByteToWideChar ") + pathOf(L"list").c_str(),
                            ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(listed(L"list"), Names{"<null>"});
}

}  // namespace
