// OLE automation strings (BSTR) and variants, as the Task Scheduler 2.0
// methods take them, with their owners.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include "platform/facility.h"
#include "platform/unique_handle.h"

namespace platform {

class OleAutomation {
  public:
    virtual ~OleAutomation() = default;
    static OleAutomation& win32();

    // SysAllocString: a new BSTR holding a copy of `text`, or null when it
    // cannot be allocated. The caller owns it.
    virtual BSTR sysAllocString(const OLECHAR* text) = 0;
    // SysFreeString.
    virtual void sysFreeString(BSTR text) = 0;
    // VariantInit: makes `value` empty (VT_EMPTY).
    virtual void variantInit(VARIANT* value) = 0;
    // VariantClear: frees what `value` holds and makes it empty.
    virtual HRESULT variantClear(VARIANT* value) = 0;
};

struct BstrTraits {
    using Handle = BSTR;
    static Handle invalid() { return nullptr; }
    static void close(Handle text) { use<OleAutomation>().sysFreeString(text); }
};

// A BSTR, freed through the OleAutomation facility when the holder goes.
using UniqueBstr = UniqueHandle<BstrTraits>;

// A variant that starts empty and is cleared when the scope ends (without
// changing the thread's last-error value).
class ScopedVariant {
  public:
    ScopedVariant() { use<OleAutomation>().variantInit(&value_); }
    ~ScopedVariant() {
        const DWORD lastError = ::GetLastError();
        use<OleAutomation>().variantClear(&value_);
        ::SetLastError(lastError);
    }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;

    // Makes the variant hold a BSTR copy of `text` (VT_BSTR). False, with the
    // variant left empty, when the BSTR cannot be allocated.
    bool holdText(const wchar_t* text) {
        BSTR copy = use<OleAutomation>().sysAllocString(text);
        if (copy == nullptr) return false;
        if (V_VT(&value_) != VT_EMPTY) use<OleAutomation>().variantClear(&value_);
        V_VT(&value_) = VT_BSTR;
        V_BSTR(&value_) = copy;
        return true;
    }

    // The variant itself, for passing by value; it stays owned by this holder.
    const VARIANT& get() const { return value_; }

  private:
    VARIANT value_;
};

}  // namespace platform
