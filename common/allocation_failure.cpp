#include "common/allocation_failure.h"

#include <new>

namespace {

thread_local bool recorded = false;
thread_local DWORD recordedLastError = 0;

}  // namespace

void installAllocationFailureRecorder() { std::set_new_handler(recordAllocationFailure); }

void recordAllocationFailure() {
    recordedLastError = ::GetLastError();
    recorded = true;
    throw std::bad_alloc();
}

DWORD lastErrorOfAllocationFailure() {
    const DWORD current = ::GetLastError();
    const DWORD result = recorded ? recordedLastError : current;
    recorded = false;
    return result;
}
