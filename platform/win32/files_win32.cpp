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
};

}  // namespace

Files& Files::win32() {
    static Win32Files files;
    return files;
}

}  // namespace platform
