#include "platform/registry.h"

namespace platform {
namespace {

class Win32Registry final : public Registry {
  public:
    LSTATUS openKey(HKEY parent, const wchar_t* subkey, REGSAM access, HKEY* key) override {
        return ::RegOpenKeyExW(parent, subkey, 0, access, key);
    }
    LSTATUS createKey(HKEY parent, const wchar_t* subkey, REGSAM access, HKEY* key,
                      DWORD* disposition) override {
        return ::RegCreateKeyExW(parent, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                 nullptr, key, disposition);
    }
    LSTATUS queryValue(HKEY key, const wchar_t* name, DWORD* type, void* data,
                       DWORD* size) override {
        return ::RegQueryValueExW(key, name, nullptr, type, static_cast<BYTE*>(data), size);
    }
    LSTATUS setValue(HKEY key, const wchar_t* name, DWORD type, const void* data,
                     DWORD size) override {
        return ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    LSTATUS deleteValue(HKEY key, const wchar_t* name) override {
        return ::RegDeleteValueW(key, name);
    }
    LSTATUS closeKey(HKEY key) override { return ::RegCloseKey(key); }
};

}  // namespace

Registry& Registry::win32() {
    static Win32Registry registry;
    return registry;
}

}  // namespace platform
