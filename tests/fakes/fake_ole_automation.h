// OLE automation strings and variants for a test: real BSTRs, each one
// tracked from its allocation to its release, so that a test can tell none
// leaked and none was freed twice; any allocation can be made to fail.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <set>
#include <string>
#include <vector>

#include "platform/ole_automation.h"
#include "tests/fakes/call_script.h"

namespace fakes {

class FakeOleAutomation : public platform::OleAutomation {
  public:
    // "SysAllocString" can be made to fail (it then answers null).
    CallScript script;

    BSTR sysAllocString(const OLECHAR* text) override {
        if (script.shouldFail("SysAllocString")) return nullptr;
        BSTR copy = ::SysAllocString(text);
        if (copy != nullptr) live_.insert(copy);
        ++allocated;
        return copy;
    }
    void sysFreeString(BSTR text) override {
        if (text != nullptr && live_.erase(text) == 0) {
            faults.push_back("SysFreeString of a BSTR that is not live");
            return;
        }
        ::SysFreeString(text);
    }
    void variantInit(VARIANT* value) override {
        ::VariantInit(value);
        ++variantsInitialised;
    }
    HRESULT variantClear(VARIANT* value) override {
        if (V_VT(value) == VT_BSTR && live_.erase(V_BSTR(value)) == 0) {
            faults.push_back("VariantClear of a BSTR that is not live");
            V_VT(value) = VT_EMPTY;
            return S_OK;
        }
        ++variantsCleared;
        return ::VariantClear(value);
    }

    bool isLive(BSTR text) const { return live_.count(text) != 0; }
    std::size_t liveStrings() const { return live_.size(); }

    int allocated = 0;
    int variantsInitialised = 0;
    int variantsCleared = 0;
    std::vector<std::string> faults;

  private:
    std::set<BSTR> live_;
};

}  // namespace fakes
