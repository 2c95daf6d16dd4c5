// The real UTF-8/UTF-16 conversions, with any single conversion call made to
// fail, or to run out of memory, on request. Calls are named by function and
// text, "MultiByteToWideChar <text>" or "WideCharToMultiByte <text>" (the
// text in UTF-8), so a test can pick the conversion of one particular string;
// each conversion makes two calls, the size query and the conversion.
#pragma once

#include <string>

#include "common/allocation_failure.h"
#include "platform/text_codec.h"
#include "tests/fakes/call_script.h"

namespace fakes {

class FakeTextCodec : public platform::TextCodec {
  public:
    CallScript script;
    // A call of this name runs out of memory, with last-error 8, as an
    // allocation that fails does it (through the new-handler).
    std::string runsOutOfMemory;

    int multiByteToWideChar(UINT codePage, DWORD flags, const char* text, int textLength,
                            wchar_t* wide, int wideLength) override {
        const std::string call = "MultiByteToWideChar " + narrow(text, textLength);
        if (happens(call)) return 0;
        return real().multiByteToWideChar(codePage, flags, text, textLength, wide, wideLength);
    }

    int wideCharToMultiByte(UINT codePage, DWORD flags, const wchar_t* wide, int wideLength,
                            char* text, int textLength) override {
        std::string utf8;
        const int needed = real().wideCharToMultiByte(CP_UTF8, 0, wide, wideLength, nullptr, 0);
        if (needed > 0) {
            utf8.resize(static_cast<size_t>(needed));
            real().wideCharToMultiByte(CP_UTF8, 0, wide, wideLength, &utf8[0], needed);
            if (wideLength < 0) utf8.resize(utf8.size() - 1);
        }
        if (happens("WideCharToMultiByte " + utf8)) return 0;
        return real().wideCharToMultiByte(codePage, flags, wide, wideLength, text, textLength);
    }

  private:
    static std::string narrow(const char* text, int length) {
        return length < 0 ? std::string(text) : std::string(text, static_cast<size_t>(length));
    }
    bool happens(const std::string& call) {
        if (!runsOutOfMemory.empty() && call == runsOutOfMemory) {
            ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            recordAllocationFailure();
        }
        return script.shouldFail(call);
    }
    static platform::TextCodec& real() { return platform::TextCodec::win32(); }
};

}  // namespace fakes
