#include "update/installed_version.h"

#include <windows.h>

#include "platform/registry.h"
#include "update/version_text.h"

namespace {

const wchar_t kActiveXKey[] = L"Software\\Norwend\\VireoPlayerActiveX";
const wchar_t kPluginKey[] = L"Software\\Norwend\\VireoPlayerPlugin";
const wchar_t kVersionValue[] = L"Version";
const wchar_t kScriptDebuggerValue[] = L"isScriptDebugger";

// The "Version" text is read into 1024 bytes: 511 characters and the
// terminator, or 512 characters when the installer stored none.
constexpr DWORD kVersionTextBytes = 1024;

const wchar_t* installedVersionKey(std::uint32_t flavourCode) {
    if (flavourCode == kFlavourActiveX) return kActiveXKey;
    if (flavourCode == kFlavourPlugin) return kPluginKey;
    return nullptr;
}

// The "Version" value as text, whatever type it was stored as: the units read
// (an odd last byte is no unit), which need not end in a NUL.
bool readVersionText(HKEY key, wchar_t (&text)[kVersionTextBytes / sizeof(wchar_t)],
                     std::size_t& length) {
    DWORD size = kVersionTextBytes;
    if (platform::use<platform::Registry>().queryValue(key, kVersionValue, nullptr, text, &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    length = size / sizeof(wchar_t);
    return true;
}

// A non-zero "isScriptDebugger" of at most 4 bytes, whatever type it was
// stored as. A value that cannot be read counts as 0.
bool isScriptDebuggerBuild(HKEY key) {
    unsigned char bytes[4] = {};
    DWORD size = sizeof(bytes);
    if (platform::use<platform::Registry>().queryValue(key, kScriptDebuggerValue, nullptr, bytes,
                                                       &size) != ERROR_SUCCESS) {
        return false;
    }
    for (DWORD i = 0; i < size && i < sizeof(bytes); ++i) {
        if (bytes[i] != 0) return true;
    }
    return false;
}

}  // namespace

ComponentVersion readInstalledVersion(std::uint32_t flavourCode) {
    const ComponentVersion notInstalled;
    const wchar_t* subkey = installedVersionKey(flavourCode);
    if (subkey == nullptr) return notInstalled;

    wchar_t text[kVersionTextBytes / sizeof(wchar_t)];
    std::size_t length = 0;
    {
        HKEY opened = nullptr;
        if (platform::use<platform::Registry>().openKey(HKEY_LOCAL_MACHINE, subkey, KEY_READ,
                                                        &opened) != ERROR_SUCCESS) {
            return notInstalled;
        }
        const platform::UniqueKey key(opened);
        if (!readVersionText(key.get(), text, length)) return notInstalled;
        // The script-debugger build is never updated: it counts as not installed.
        if (isScriptDebuggerBuild(key.get())) return notInstalled;
    }

    ComponentVersion installed;
    if (!parseVersionText(text, length, installed)) return notInstalled;
    return installed;
}
