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

    std::atomic<int> openHandles{0};

  private:
    static platform::Files& real() { return platform::Files::win32(); }
};

}  // namespace fakes
