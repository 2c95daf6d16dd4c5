#include "platform/process_paths.h"

namespace platform {
namespace {

class Win32ProcessPaths final : public ProcessPaths {
  public:
    DWORD getFullPathName(const wchar_t* path, DWORD bufferLength, wchar_t* buffer) override {
        return ::GetFullPathNameW(path, bufferLength, buffer, nullptr);
    }
};

}  // namespace

ProcessPaths& ProcessPaths::win32() {
    static Win32ProcessPaths paths;
    return paths;
}

}  // namespace platform
