#include "platform/file_size.h"

namespace platform {
namespace {

class Win32FileSize final : public FileSize {
  public:
    BOOL getFileSize(HANDLE file, LARGE_INTEGER* size) override {
        return ::GetFileSizeEx(file, size);
    }
};

}  // namespace

FileSize& FileSize::win32() {
    static Win32FileSize fileSize;
    return fileSize;
}

}  // namespace platform
