// Small fakes of the facilities the scheduled task asks about the system: the
// operating system's version, the secure random source and the program's
// string resources.
#pragma once

#include <windows.h>

#include <deque>
#include <optional>
#include <string>

#include "platform/os_version.h"
#include "platform/random_source.h"
#include "platform/string_resources.h"

namespace fakes {

// Reports the version set here (Windows 7, NT 6.1, unless changed).
class FakeOsVersion : public platform::OsVersion {
  public:
    DWORD platformId = VER_PLATFORM_WIN32_NT;
    DWORD major = 6;
    DWORD minor = 1;
    bool fails = false;
    int calls = 0;
    DWORD sizeSeen = 0;

    BOOL getVersionExA(OSVERSIONINFOA* info) override {
        ++calls;
        sizeSeen = info->dwOSVersionInfoSize;
        if (fails) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        info->dwPlatformId = platformId;
        info->dwMajorVersion = major;
        info->dwMinorVersion = minor;
        return TRUE;
    }
};

// Answers the draws queued in `draws` in turn (an empty entry is a failing
// draw); once they are used up, every draw gives 0.
class FakeRandomSource : public platform::RandomSource {
  public:
    std::deque<std::optional<unsigned int>> draws;
    int calls = 0;

    int randS(unsigned int* value) override {
        ++calls;
        std::optional<unsigned int> next = 0u;
        if (!draws.empty()) {
            next = draws.front();
            draws.pop_front();
        }
        if (!next) {
            *value = 0xDEADBEEF;  // what a failed draw leaves is undefined
            return 22;            // EINVAL
        }
        *value = *next;
        return 0;
    }
};

// The program's own module holds `text` as every string, or no string at all
// when `text` is empty. With a buffer size of 0 it hands out a pointer into
// its own copy, which, as in a real string table, is not NUL-terminated.
class FakeStringResources : public platform::StringResources {
  public:
    std::optional<std::wstring> text;
    UINT lastId = 0;
    HINSTANCE lastModule = nullptr;
    int lastBufferMax = -1;

    HMODULE getModuleHandle(const wchar_t* name) override {
        if (name != nullptr) return nullptr;
        return module();
    }
    int loadString(HINSTANCE instance, UINT id, wchar_t* buffer, int bufferMax) override {
        lastId = id;
        lastModule = instance;
        lastBufferMax = bufferMax;
        if (!text || bufferMax != 0) {
            ::SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return 0;
        }
        // Stored without a terminator, followed by text that is not part of it.
        stored_ = *text + L"(not part of the string)";
        *reinterpret_cast<const wchar_t**>(buffer) = stored_.data();
        return static_cast<int>(text->size());
    }

    static HMODULE module() { return reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x400000)); }

  private:
    std::wstring stored_;
};

}  // namespace fakes
