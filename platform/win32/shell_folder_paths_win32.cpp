#include "platform/shell_folder_paths.h"

#include <shlobj.h>

namespace platform {
namespace {

class Win32ShellFolderPaths final : public ShellFolderPaths {
  public:
    HRESULT getFolderPath(int folder, HANDLE token, DWORD flags, wchar_t* path) override {
        return ::SHGetFolderPathW(nullptr, folder, token, flags, path);
    }
};

}  // namespace

ShellFolderPaths& ShellFolderPaths::win32() {
    static Win32ShellFolderPaths folders;
    return folders;
}

}  // namespace platform
