// Files and folders by wide path: creating, reading, writing, closing and
// deleting files; creating, listing and removing folders; temporary names.
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
    // DeleteFileW.
    virtual BOOL deleteFile(const wchar_t* path) = 0;
    // GetFileAttributesExW with GetFileExInfoStandard.
    virtual BOOL getFileAttributes(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data) = 0;

    // CreateDirectoryW with default security.
    virtual BOOL createDirectory(const wchar_t* path) = 0;
    // RemoveDirectoryW.
    virtual BOOL removeDirectory(const wchar_t* path) = 0;
    // FindFirstFileW, FindNextFileW and FindClose.
    virtual HANDLE findFirstFile(const wchar_t* pattern, WIN32_FIND_DATAW* found) = 0;
    virtual BOOL findNextFile(HANDLE search, WIN32_FIND_DATAW* found) = 0;
    virtual BOOL findClose(HANDLE search) = 0;

    // GetTempPathW.
    virtual DWORD getTempPath(DWORD bufferLength, wchar_t* buffer) = 0;
    // GetTempFileNameW.
    virtual UINT getTempFileName(const wchar_t* folder, const wchar_t* prefix, UINT unique,
                                 wchar_t* name) = 0;
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle file) { use<Files>().closeHandle(file); }
};

// An open file, closed through the Files facility when the holder goes.
using UniqueFile = UniqueHandle<FileHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle search) { use<Files>().findClose(search); }
};

// An open folder search, closed through the Files facility when the holder goes.
using UniqueFind = UniqueHandle<FindHandleTraits>;

}  // namespace platform
