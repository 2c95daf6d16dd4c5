// The size of an open file.
#pragma once

#include <windows.h>

namespace platform {

class FileSize {
  public:
    virtual ~FileSize() = default;
    static FileSize& win32();

    // GetFileSizeEx.
    virtual BOOL getFileSize(HANDLE file, LARGE_INTEGER* size) = 0;
};

}  // namespace platform
