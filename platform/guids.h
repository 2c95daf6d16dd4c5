// Creating GUIDs and writing them in their registry form.
#pragma once

#include <windows.h>

namespace platform {

class Guids {
  public:
    virtual ~Guids() = default;
    static Guids& win32();

    // CoCreateGuid: S_OK or a failure HRESULT.
    virtual HRESULT coCreateGuid(GUID* guid) = 0;
    // StringFromGUID2: the characters written, terminator included, or 0 when
    // the buffer is too small.
    virtual int stringFromGuid2(const GUID& guid, wchar_t* buffer, int bufferLength) = 0;
};

}  // namespace platform
