#include "platform/os_version.h"

namespace platform {
namespace {

class Win32OsVersion final : public OsVersion {
  public:
    BOOL getVersionExA(OSVERSIONINFOA* info) override {
#ifdef _MSC_VER
#pragma warning(suppress : 4996)  // deprecated, yet the answer the updater decides by
#endif
        return ::GetVersionExA(info);
    }
};

}  // namespace

OsVersion& OsVersion::win32() {
    static Win32OsVersion version;
    return version;
}

}  // namespace platform
