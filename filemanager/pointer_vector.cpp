#include "filemanager/pointer_vector.h"

#include <algorithm>
#include <new>

namespace SMImplementation {

namespace {
constexpr std::uint32_t kInitialCapacity = 10;
}

PointerVector::PointerVector()
    : elements_(new void*[kInitialCapacity]()), capacity_(kInitialCapacity) {}

PointerVector::~PointerVector() = default;

bool PointerVector::add(const void* element) {
    if (count_ == capacity_) {
        // Doubling past 32 bits would wrap the capacity to a smaller array.
        if (capacity_ > UINT32_MAX / 2) throw std::bad_alloc();
        const std::uint32_t grown = capacity_ * 2;
        std::unique_ptr<void*[]> larger(new void*[grown]());
        std::copy(elements_.get(), elements_.get() + count_, larger.get());
        elements_ = std::move(larger);
        capacity_ = grown;
    }
    elements_[count_] = cloneElement(element);
    ++count_;
    return true;
}

}  // namespace SMImplementation
