#include "platform/libraries.h"

namespace platform {
namespace {

class Win32Libraries final : public Libraries {
  public:
    HMODULE loadLibrary(const wchar_t* path) override { return ::LoadLibraryW(path); }
    FARPROC getProcAddress(HMODULE module, const char* name) override {
        return ::GetProcAddress(module, name);
    }
    BOOL freeLibrary(HMODULE module) override { return ::FreeLibrary(module); }
};

}  // namespace

Libraries& Libraries::win32() {
    static Win32Libraries libraries;
    return libraries;
}

}  // namespace platform
