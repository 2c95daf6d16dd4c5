// The outcome of one Task Scheduler or COM call as the task procedures log it:
// whether it failed (a negative HRESULT) and the thread's last-error value
// read right after it. The log line of a failure carries that value, never
// the HRESULT.
#pragma once

#include <windows.h>

#include <cstdint>

#include "log/install_log.h"
#include "platform/facility.h"
#include "platform/ole_automation.h"

struct CallOutcome {
    HRESULT result;
    DWORD lastError;

    bool failed() const { return FAILED(result); }
};

// Takes the outcome of a call that has just returned `result`; the last-error
// value is read before anything else can change it.
inline CallOutcome outcomeOf(HRESULT result) { return CallOutcome{result, ::GetLastError()}; }

// The outcome of a call that could not be made because a BSTR or VARIANT for
// it could not be allocated: a failure whose detail is ERROR_OUTOFMEMORY.
inline CallOutcome outOfMemoryOutcome() { return CallOutcome{E_OUTOFMEMORY, ERROR_OUTOFMEMORY}; }

// The current last-error value as an outcome, for a check that fails after a
// successful call (an empty trigger list).
inline CallOutcome currentLastError() { return CallOutcome{E_FAIL, ::GetLastError()}; }

// Writes `code` with the outcome's last-error value as its detail.
inline void logFailure(MessageCode code, const CallOutcome& outcome) {
    logMessage(code, static_cast<std::int32_t>(outcome.lastError));
}

// Calls `call` with a fresh BSTR copy of `text`, freed once the call has
// returned. A BSTR that cannot be allocated makes the call count as failed
// without being made.
template <class Call>
CallOutcome callWithText(const wchar_t* text, Call call) {
    platform::UniqueBstr bstr(platform::use<platform::OleAutomation>().sysAllocString(text));
    if (!bstr) return outOfMemoryOutcome();
    return outcomeOf(call(bstr.get()));
}
