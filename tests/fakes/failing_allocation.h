// Makes one allocation of the test's own thread fail, as an allocation fails
// in the program: the new-handler records the last error and throws
// std::bad_alloc. The unit test program replaces the global allocation
// functions for this (failing_allocation.cpp); they behave as the standard
// ones unless a FailingAllocation is in force on the calling thread.
#pragma once

#include <windows.h>

#include <cstddef>

namespace fakes {

class FailingAllocation {
  public:
    // The `nth` allocation (from 1) on this thread from now on fails with
    // `lastError`; later ones succeed again.
    explicit FailingAllocation(int nth, DWORD lastError = ERROR_NOT_ENOUGH_MEMORY);

    struct AtLeast {
        std::size_t bytes;
    };
    // The first allocation on this thread of at least `size.bytes` bytes from
    // now on fails with `lastError`.
    explicit FailingAllocation(AtLeast size, DWORD lastError = ERROR_NOT_ENOUGH_MEMORY);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;

    // Whether the planned allocation was reached (and failed).
    bool failed() const;
};

}  // namespace fakes
