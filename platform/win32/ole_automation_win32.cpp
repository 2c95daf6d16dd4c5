#include "platform/ole_automation.h"

namespace platform {
namespace {

class Win32OleAutomation final : public OleAutomation {
  public:
    BSTR sysAllocString(const OLECHAR* text) override { return ::SysAllocString(text); }
    void sysFreeString(BSTR text) override { ::SysFreeString(text); }
    void variantInit(VARIANT* value) override { ::VariantInit(value); }
    HRESULT variantClear(VARIANT* value) override { return ::VariantClear(value); }
};

}  // namespace

OleAutomation& OleAutomation::win32() {
    static Win32OleAutomation automation;
    return automation;
}

}  // namespace platform
