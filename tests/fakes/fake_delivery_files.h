// Files for the download tests: real files through FakeFiles, with a
// temporary folder of the test's own, and the install log's own file calls
// kept out of the script (they neither count nor fail).
#pragma once

#include <string>
#include <vector>

#include "tests/fakes/fake_files.h"

namespace fakes {

class DeliveryFiles : public FakeFiles {
  public:
    struct Opened {
        std::wstring path;
        DWORD access, shareMode, creationDisposition, flagsAndAttributes;
    };

    // Ends in a backslash, as GetTempPathW answers.
    std::wstring tempPath;
    std::vector<Opened> opened;
    std::vector<std::wstring> foldersCreated;

    HANDLE createFile(const wchar_t* path, DWORD access, DWORD shareMode, DWORD creationDisposition,
                      DWORD flagsAndAttributes) override {
        if (isLogFile(path)) {
            HANDLE file = platform::Files::win32().createFile(
                path, access, shareMode, creationDisposition, flagsAndAttributes);
            if (file != INVALID_HANDLE_VALUE) ++openHandles;
            return file;
        }
        opened.push_back({path, access, shareMode, creationDisposition, flagsAndAttributes});
        return FakeFiles::createFile(path, access, shareMode, creationDisposition,
                                     flagsAndAttributes);
    }
    BOOL createDirectory(const wchar_t* path) override {
        foldersCreated.push_back(path);
        return FakeFiles::createDirectory(path);
    }
    DWORD getTempPath(DWORD bufferLength, wchar_t* buffer) override {
        if (script.shouldFail("GetTempPathW")) return 0;
        if (bufferLength <= tempPath.size()) return static_cast<DWORD>(tempPath.size() + 1);
        tempPath.copy(buffer, tempPath.size());
        buffer[tempPath.size()] = L'\0';
        return static_cast<DWORD>(tempPath.size());
    }

  private:
    static bool isLogFile(const wchar_t* path) {
        const std::wstring name = path;
        const std::wstring logName = L"VireoInstall.log";
        return name.size() >= logName.size() &&
               name.compare(name.size() - logName.size(), logName.size(), logName) == 0;
    }
};

}  // namespace fakes
