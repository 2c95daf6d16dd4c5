// GUIDs that are always the same, with either call failing on request.
#pragma once

#include <cwchar>

#include "platform/guids.h"
#include "tests/fakes/call_script.h"

namespace fakes {

class FakeGuids : public platform::Guids {
  public:
    CallScript script;
    static constexpr const wchar_t* kText = L"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";

    HRESULT coCreateGuid(GUID* guid) override {
        if (script.shouldFail("CoCreateGuid")) return E_FAIL;
        *guid = GUID{0x0F1E2D3C, 0x4B5A, 0x6978, {0x87, 0x96, 0xA5, 0xB4, 0xC3, 0xD2, 0xE1, 0xF0}};
        return S_OK;
    }
    int stringFromGuid2(const GUID&, wchar_t* buffer, int bufferLength) override {
        if (script.shouldFail("StringFromGUID2")) return 0;
        const int needed = static_cast<int>(std::wcslen(kText)) + 1;
        if (bufferLength < needed) return 0;
        std::wmemcpy(buffer, kText, needed);
        return needed;
    }
};

}  // namespace fakes
