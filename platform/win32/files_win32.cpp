#include "platform/files.h"

namespace platform {
namespace {

class Win32Files final : public Files {
  public:
    HANDLE createFile(const wchar_t* path, DWORD access, DWORD shareMode, DWORD creationDisposition,
                      DWORD flagsAndAttributes) override {
        return ::CreateFileW(path, access, shareMode, nullptr, creationDisposition,
                             flagsAndAttributes, nullptr);
    }
    BOOL writeFile(HANDLE file, const void* data, DWORD size, DWORD* written) override {
        return ::WriteFile(file, data, size, written, nullptr);
    }
    BOOL readFile(HANDLE file, void* data, DWORD size, DWORD* read) override {
        return ::ReadFile(file, data, size, read, nullptr);
    }
    BOOL closeHandle(HANDLE file) override { return ::CloseHandle(file); }
    BOOL deleteFile(const wchar_t* path) override { return ::DeleteFileW(path); }
    BOOL getFileAttributes(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data) override {
        return ::GetFileAttributesExW(path, GetFileExInfoStandard, data);
    }
    BOOL createDirectory(const wchar_t* path) override { return ::CreateDirectoryW(path, nullptr); }
    BOOL removeDirectory(const wchar_t* path) override { return ::RemoveDirectoryW(path); }
    HANDLE findFirstFile(const wchar_t* pattern, WIN32_FIND_DATAW* found) override {
        return ::FindFirstFileW(pattern, found);
    }
    BOOL findNextFile(HANDLE search, WIN32_FIND_DATAW* found) override {
        return ::FindNextFileW(search, found);
    }
    BOOL findClose(HANDLE search) override { return ::FindClose(search); }
    DWORD getTempPath(DWORD bufferLength, wchar_t* buffer) override {
        return ::GetTempPathW(bufferLength, buffer);
    }
    UINT getTempFileName(const wchar_t* folder, const wchar_t* prefix, UINT unique,
                         wchar_t* name) override {
        return ::GetTempFileNameW(folder, prefix, unique, name);
    }
};

}  // namespace

Files& Files::win32() {
    static Win32Files files;
    return files;
}

}  // namespace platform
