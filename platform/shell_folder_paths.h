// Folder paths known to the shell by CSIDL (the system folder, for instance).
#pragma once

#include <windows.h>

namespace platform {

class ShellFolderPaths {
  public:
    virtual ~ShellFolderPaths() = default;
    static ShellFolderPaths& win32();

    // SHGetFolderPathW without a window: S_OK or a failure HRESULT; `path`
    // holds MAX_PATH characters.
    virtual HRESULT getFolderPath(int folder, HANDLE token, DWORD flags, wchar_t* path) = 0;
};

}  // namespace platform
