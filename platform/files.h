// Files: creating, reading, writing and closing them, by wide path.
#pragma once

#include <windows.h>

#include "platform/facility.h"
#include "platform/unique_handle.h"

namespace platform {

class Files {
  public:
    virtual ~Files() = default;
    static Files& win32();

    // CreateFileW with no security attributes and no template file.
    virtual HANDLE createFile(const wchar_t* path, DWORD access, DWORD shareMode,
                              DWORD creationDisposition, DWORD flagsAndAttributes) = 0;
    // WriteFile without overlapped I/O.
    virtual BOOL writeFile(HANDLE file, const void* data, DWORD size, DWORD* written) = 0;
    // ReadFile without overlapped I/O.
    virtual BOOL readFile(HANDLE file, void* data, DWORD size, DWORD* read) = 0;
    // CloseHandle of a file handle.
    virtual BOOL closeHandle(HANDLE file) = 0;
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle file) { use<Files>().closeHandle(file); }
};

// An open file, closed through the Files facility when the holder goes.
using UniqueFile = UniqueHandle<FileHandleTraits>;

}  // namespace platform
