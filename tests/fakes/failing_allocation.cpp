#include "tests/fakes/failing_allocation.h"

#include <cstdlib>
#include <new>

#include "common/allocation_failure.h"

namespace {

thread_local int countdown = 0;
thread_local std::size_t minimumSize = 0;
thread_local bool reached = false;
thread_local DWORD plannedLastError = 0;

void* allocate(std::size_t size) {
    if ((countdown > 0 && --countdown == 0) || (minimumSize > 0 && size >= minimumSize)) {
        countdown = 0;
        minimumSize = 0;
        reached = true;
        ::SetLastError(plannedLastError);
        recordAllocationFailure();
    }
    if (size == 0) size = 1;
    for (;;) {
        if (void* memory = std::malloc(size)) return memory;
        std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) throw std::bad_alloc();
        handler();
    }
}

}  // namespace

namespace fakes {

FailingAllocation::FailingAllocation(int nth, DWORD lastError) {
    reached = false;
    plannedLastError = lastError;
    countdown = nth;
}

FailingAllocation::FailingAllocation(AtLeast size, DWORD lastError) {
    reached = false;
    plannedLastError = lastError;
    countdown = 0;
    minimumSize = size.bytes;
}

FailingAllocation::~FailingAllocation() {
    countdown = 0;
    minimumSize = 0;
}

bool FailingAllocation::failed() const { return reached; }

}  // namespace fakes

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
