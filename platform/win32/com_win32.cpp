#include "platform/com.h"

namespace platform {
namespace {

class Win32Com final : public Com {
  public:
    HRESULT coInitialize(void* reserved) override { return ::CoInitialize(reserved); }
    HRESULT coInitializeEx(void* reserved, DWORD coInit) override {
        return ::CoInitializeEx(reserved, coInit);
    }
    HRESULT coInitializeSecurity(PSECURITY_DESCRIPTOR securityDescriptor, LONG authServiceCount,
                                 SOLE_AUTHENTICATION_SERVICE* authServices, void* reserved1,
                                 DWORD authnLevel, DWORD impLevel, void* authList,
                                 DWORD capabilities, void* reserved3) override {
        return ::CoInitializeSecurity(securityDescriptor, authServiceCount, authServices, reserved1,
                                      authnLevel, impLevel, authList, capabilities, reserved3);
    }
    HRESULT coCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId,
                             void** object) override {
        return ::CoCreateInstance(classId, outer, context, interfaceId, object);
    }
    void coUninitialize() override { ::CoUninitialize(); }
};

}  // namespace

Com& Com::win32() {
    static Win32Com com;
    return com;
}

}  // namespace platform
