#include "platform/guids.h"

#include <objbase.h>

namespace platform {
namespace {

class Win32Guids final : public Guids {
  public:
    HRESULT coCreateGuid(GUID* guid) override { return ::CoCreateGuid(guid); }
    int stringFromGuid2(const GUID& guid, wchar_t* buffer, int bufferLength) override {
        return ::StringFromGUID2(guid, buffer, bufferLength);
    }
};

}  // namespace

Guids& Guids::win32() {
    static Win32Guids guids;
    return guids;
}

}  // namespace platform
