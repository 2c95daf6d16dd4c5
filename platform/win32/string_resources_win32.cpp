#include "platform/string_resources.h"

namespace platform {
namespace {

class Win32StringResources final : public StringResources {
  public:
    HMODULE getModuleHandle(const wchar_t* name) override { return ::GetModuleHandleW(name); }
    int loadString(HINSTANCE module, UINT id, wchar_t* buffer, int bufferMax) override {
        return ::LoadStringW(module, id, buffer, bufferMax);
    }
};

}  // namespace

StringResources& StringResources::win32() {
    static Win32StringResources resources;
    return resources;
}

}  // namespace platform
