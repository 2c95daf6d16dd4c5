// The Windows shell: the paths of well-known folders and the shell's file
// operations (used to delete whole folder trees).
#pragma once

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

namespace platform {

class Shell {
  public:
    virtual ~Shell() = default;
    static Shell& win32();

    // SHGetFolderPathW with no window and no access token: the path of the
    // folder `csidl` into `path`, which holds MAX_PATH units. `flags` is
    // SHGFP_TYPE_CURRENT or SHGFP_TYPE_DEFAULT.
    virtual HRESULT getFolderPath(int csidl, DWORD flags, wchar_t* path) = 0;
    // SHFileOperationW: 0 on success, else the shell's error code.
    virtual int fileOperation(SHFILEOPSTRUCTW* operation) = 0;
};

}  // namespace platform
