// The registry: opening and creating keys, reading, writing and deleting their
// values, closing keys. Every call answers the Win32 status code, ERROR_SUCCESS
// or the error itself; the registry does not report through the thread's
// last-error value, and callers must not look there.
//
// No registry-view flag is ever added to the access asked for: a 32-bit build
// on 64-bit Windows sees the 32-bit view, as the rest of the machine's 32-bit
// programs do, and a 64-bit build sees the 64-bit one.
#pragma once

#include <windows.h>

#include "platform/facility.h"
#include "platform/unique_handle.h"

namespace platform {

class Registry {
  public:
    virtual ~Registry() = default;
    static Registry& win32();

    // RegOpenKeyExW with no options. Opens an existing key only. On failure
    // `*key` holds nothing that needs closing.
    virtual LSTATUS openKey(HKEY parent, const wchar_t* subkey, REGSAM access, HKEY* key) = 0;
    // RegCreateKeyExW with no class, REG_OPTION_NON_VOLATILE and default
    // security: opens the key, creating it and any missing key above it
    // first. `disposition` may be null; otherwise it tells whether the key was
    // created (REG_CREATED_NEW_KEY) or already there (REG_OPENED_EXISTING_KEY).
    // On failure `*key` holds nothing that needs closing.
    virtual LSTATUS createKey(HKEY parent, const wchar_t* subkey, REGSAM access, HKEY* key,
                              DWORD* disposition) = 0;
    // RegQueryValueExW. `type` may be null. With `data` null, `*size` receives
    // the size of the value. Otherwise `*size` is the buffer's size on entry
    // and the number of bytes written on success; a value larger than the
    // buffer gives ERROR_MORE_DATA with the size needed in `*size`, and then
    // the buffer's contents are undefined. Nothing is added to what is stored:
    // a text value may lack its terminator, and the buffer's bytes past
    // `*size` are not part of the value.
    virtual LSTATUS queryValue(HKEY key, const wchar_t* name, DWORD* type, void* data,
                               DWORD* size) = 0;
    // RegSetValueExW: stores `size` bytes of `data` as a value of `type`.
    virtual LSTATUS setValue(HKEY key, const wchar_t* name, DWORD type, const void* data,
                             DWORD size) = 0;
    // RegDeleteValueW. A missing value gives ERROR_FILE_NOT_FOUND.
    virtual LSTATUS deleteValue(HKEY key, const wchar_t* name) = 0;
    // RegCloseKey.
    virtual LSTATUS closeKey(HKEY key) = 0;
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle invalid() { return nullptr; }
    static void close(Handle key) { use<Registry>().closeKey(key); }
};

// A key opened or created through the Registry facility, closed through it
// when the holder goes. Never holds a predefined key such as
// HKEY_LOCAL_MACHINE.
using UniqueKey = UniqueHandle<RegistryKeyTraits>;

}  // namespace platform
