// A registry held in memory, for tests of the code that reads and writes the
// registry. It answers as the Windows registry does (status codes, sizes,
// ERROR_MORE_DATA, access rights of the key handle, keys created with their
// parents, names without regard to letter case), can make any single call fail
// with a chosen status, records every call with its arguments, and counts the
// keys opened and not closed yet.
//
// Keys are named by their full path from a root: "HKLM\\SOFTWARE\\Norwend".
//
// Two habits of the real registry are made visible on purpose: when a read
// gives ERROR_MORE_DATA the buffer is filled with 0xCD, and after a successful
// read the buffer past the value is filled with UTF-16 dots (bytes 2E 00 from
// the buffer's first even offset on). Code that takes bytes it was not given
// then shows it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "tests/fakes/call_script.h"

namespace fakes {

class FakeRegistry : public platform::Registry {
  public:
    struct StoredValue {
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
    };

    // "RegOpenKeyExW" and so on: the Win32 names of the calls. A failing call
    // answers the planned last-error value as its status and leaves the
    // thread's last-error value as it was.
    CallScript script;

    // Setting up what is stored. The key and the keys above it are created.
    void putValue(const std::wstring& keyPath, const std::wstring& name, DWORD type,
                  std::vector<BYTE> data);
    void putDword(const std::wstring& keyPath, const std::wstring& name, std::uint32_t value);
    void putQword(const std::wstring& keyPath, const std::wstring& name, std::uint64_t value);
    // The UTF-16 units of `text`, with a terminating NUL unless told otherwise.
    void putString(const std::wstring& keyPath, const std::wstring& name, const std::wstring& text,
                   DWORD type = REG_SZ, bool terminated = true);
    void createKeyPath(const std::wstring& keyPath);

    // Looking at what is stored.
    bool hasKey(const std::wstring& keyPath) const;
    std::optional<StoredValue> value(const std::wstring& keyPath, const std::wstring& name) const;
    // The names of the values of a key, in upper case and sorted.
    std::vector<std::wstring> valueNames(const std::wstring& keyPath) const;

    // Every call in order, with its arguments, for instance
    //   "RegOpenKeyExW HKLM\\SOFTWARE\\Norwend KEY_READ"
    //   "RegCreateKeyExW HKLM\\SOFTWARE\\Norwend KEY_SET_VALUE"
    //   "RegQueryValueExW CheckFrequency 4"         (name, buffer size)
    //   "RegSetValueExW CheckFrequency REG_DWORD 4" (name, type, size)
    //   "RegDeleteValueW CheckFrequency"
    //   "RegCloseKey HKLM\\SOFTWARE\\Norwend"
    // Access masks other than KEY_READ, KEY_SET_VALUE and KEY_WRITE appear in hex.
    std::vector<std::wstring> trace() const;
    void clearTrace();

    // Keys opened or created through this fake and not closed yet.
    int openKeys() const;
    // Closes of a handle that was not open (closed twice, or never opened).
    int invalidCloses() const;

    LSTATUS openKey(HKEY parent, const wchar_t* subkey, REGSAM access, HKEY* key) override;
    LSTATUS createKey(HKEY parent, const wchar_t* subkey, REGSAM access, HKEY* key,
                      DWORD* disposition) override;
    LSTATUS queryValue(HKEY key, const wchar_t* name, DWORD* type, void* data,
                       DWORD* size) override;
    LSTATUS setValue(HKEY key, const wchar_t* name, DWORD type, const void* data,
                     DWORD size) override;
    LSTATUS deleteValue(HKEY key, const wchar_t* name) override;
    LSTATUS closeKey(HKEY key) override;

  private:
    struct OpenKey {
        std::wstring path;  // as the caller spelled it
        REGSAM access;
    };
    using Values = std::map<std::wstring, StoredValue>;  // by upper-case name

    // The planned failure of `call`, if any, as a status (ERROR_SUCCESS if none).
    LSTATUS plannedFailure(const char* call);
    // The full path of `subkey` under `parent`, or false for an unknown parent.
    bool childPath(HKEY parent, const wchar_t* subkey, std::wstring& path) const;
    const OpenKey* findOpen(HKEY key) const;
    void createKeyPathLocked(const std::wstring& keyPath);
    HKEY newHandle(const std::wstring& path, REGSAM access);

    mutable std::mutex mutex_;
    std::map<std::wstring, Values> keys_;  // by upper-case full path
    std::map<HKEY, OpenKey> open_;
    std::uintptr_t nextHandle_ = 0x1000;
    std::vector<std::wstring> trace_;
    int invalidCloses_ = 0;
};

}  // namespace fakes
