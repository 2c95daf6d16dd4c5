// The COM library: entering and leaving an apartment, the process-wide COM
// security and the creation of objects by class id.
#pragma once

#include <windows.h>

#include <objbase.h>

#include "platform/facility.h"

namespace platform {

class Com {
  public:
    virtual ~Com() = default;
    static Com& win32();

    // CoInitialize: enters a single-threaded apartment.
    virtual HRESULT coInitialize(void* reserved) = 0;
    // CoInitializeEx.
    virtual HRESULT coInitializeEx(void* reserved, DWORD coInit) = 0;
    // CoInitializeSecurity.
    virtual HRESULT coInitializeSecurity(PSECURITY_DESCRIPTOR securityDescriptor,
                                         LONG authServiceCount,
                                         SOLE_AUTHENTICATION_SERVICE* authServices, void* reserved1,
                                         DWORD authnLevel, DWORD impLevel, void* authList,
                                         DWORD capabilities, void* reserved3) = 0;
    // CoCreateInstance. The caller owns the interface handed back.
    virtual HRESULT coCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context,
                                     REFIID interfaceId, void** object) = 0;
    // CoUninitialize: leaves the apartment entered last.
    virtual void coUninitialize() = 0;
};

// Balances one successful CoInitialize or CoInitializeEx with one
// CoUninitialize when the scope ends; after a failed one it does nothing.
// Leaving the apartment keeps the thread's last-error value.
class ComInitialization {
  public:
    // `result` is what the initialisation just made answered.
    explicit ComInitialization(HRESULT result) : initialised_(SUCCEEDED(result)) {}
    ~ComInitialization() {
        if (!initialised_) return;
        const DWORD lastError = ::GetLastError();
        use<Com>().coUninitialize();
        ::SetLastError(lastError);
    }
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;

  private:
    bool initialised_;
};

}  // namespace platform
