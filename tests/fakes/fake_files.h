// Real files, with any single call made to fail on request, and a count of
// the handles opened and not yet closed.
#pragma once

#include <atomic>

#include "platform/files.h"
#include "tests/fakes/call_script.h"

namespace fakes {

class FakeFiles : public platform::Files {
  public:
    CallScript script;

    HANDLE createFile(const wchar_t* path, DWORD access, DWORD shareMode, DWORD creationDisposition,
                      DWORD flagsAndAttributes) override {
        if (script.shouldFail("CreateFileW")) return INVALID_HANDLE_VALUE;
        HANDLE file =
            real().createFile(path, access, shareMode, creationDisposition, flagsAndAttributes);
        if (file != INVALID_HANDLE_VALUE) ++openHandles;
        return file;
    }
    BOOL writeFile(HANDLE file, const void* data, DWORD size, DWORD* written) override {
        if (script.shouldFail("WriteFile")) return FALSE;
        return real().writeFile(file, data, size, written);
    }
    BOOL readFile(HANDLE file, void* data, DWORD size, DWORD* read) override {
        if (script.shouldFail("ReadFile")) return FALSE;
        return real().readFile(file, data, size, read);
    }
    BOOL closeHandle(HANDLE file) override {
        --openHandles;
        // The handle is closed even when the call is made to report failure,
        // so a failing close never leaks in the test process.
        BOOL closed = real().closeHandle(file);
        if (script.shouldFail("CloseHandle")) return FALSE;
        return closed;
    }

    BOOL deleteFile(const wchar_t* path) override {
        if (script.shouldFail("DeleteFileW")) return FALSE;
        return real().deleteFile(path);
    }
    BOOL getFileAttributes(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data) override {
        if (script.shouldFail("GetFileAttributesExW")) return FALSE;
        return real().getFileAttributes(path, data);
    }
    BOOL createDirectory(const wchar_t* path) override {
        if (script.shouldFail("CreateDirectoryW")) return FALSE;
        return real().createDirectory(path);
    }
    BOOL removeDirectory(const wchar_t* path) override {
        if (script.shouldFail("RemoveDirectoryW")) return FALSE;
        return real().removeDirectory(path);
    }
    HANDLE findFirstFile(const wchar_t* pattern, WIN32_FIND_DATAW* found) override {
        if (script.shouldFail("FindFirstFileW")) return INVALID_HANDLE_VALUE;
        HANDLE search = real().findFirstFile(pattern, found);
        if (search != INVALID_HANDLE_VALUE) ++openSearches;
        return search;
    }
    BOOL findNextFile(HANDLE search, WIN32_FIND_DATAW* found) override {
        if (script.shouldFail("FindNextFileW")) return FALSE;
        return real().findNextFile(search, found);
    }
    BOOL findClose(HANDLE search) override {
        --openSearches;
        BOOL closed = real().findClose(search);
        if (script.shouldFail("FindClose")) return FALSE;
        return closed;
    }
    DWORD getTempPath(DWORD bufferLength, wchar_t* buffer) override {
        if (script.shouldFail("GetTempPathW")) return 0;
        return real().getTempPath(bufferLength, buffer);
    }
    UINT getTempFileName(const wchar_t* folder, const wchar_t* prefix, UINT unique,
                         wchar_t* name) override {
        if (script.shouldFail("GetTempFileNameW")) return 0;
        return real().getTempFileName(folder, prefix, unique, name);
    }

    // Files and searches opened through this fake and not closed yet.
    std::atomic<int> openHandles{0};
    std::atomic<int> openSearches{0};

  private:
    static platform::Files& real() { return platform::Files::win32(); }
};

}  // namespace fakes
