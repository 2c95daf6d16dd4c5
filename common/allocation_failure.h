// Running out of memory is the one exception the updater handles: a few
// operations catch std::bad_alloc at fixed points and log a code with the
// last-error value of the failure. Unwinding the stack changes the thread's
// last-error value, so the value is taken where the allocation fails: the
// program installs `recordAllocationFailure` as the new-handler, and the
// catch sites ask `lastErrorOfAllocationFailure()`.
#pragma once

#include <windows.h>

// Makes failed allocations record the last-error value before they throw.
void installAllocationFailureRecorder();

// The new-handler: records the thread's last-error value, throws std::bad_alloc.
[[noreturn]] void recordAllocationFailure();

// For a catch site of std::bad_alloc: the last-error value recorded when this
// thread's allocation failed, or the current one when nothing was recorded
// (a bad_alloc that did not come through the handler). Forgets the record.
DWORD lastErrorOfAllocationFailure();
