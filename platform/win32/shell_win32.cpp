#include "platform/shell.h"

#ifdef _MSC_VER
#pragma comment(lib, "shell32.lib")
#endif

namespace platform {
namespace {

class Win32Shell final : public Shell {
  public:
    HRESULT getFolderPath(int csidl, DWORD flags, wchar_t* path) override {
        return ::SHGetFolderPathW(nullptr, csidl, nullptr, flags, path);
    }
    int fileOperation(SHFILEOPSTRUCTW* operation) override { return ::SHFileOperationW(operation); }
};

}  // namespace

Shell& Shell::win32() {
    static Win32Shell shell;
    return shell;
}

}  // namespace platform
