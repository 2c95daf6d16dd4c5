// A growable array of pointers to elements the vector owns. Derived vectors
// say how an element is copied in and freed; the base keeps the array.
#pragma once

#include <cstdint>
#include <memory>

namespace SMImplementation {

class PointerVector {
  public:
    // Empty, with room for 10 elements. Allocation failure throws
    // std::bad_alloc.
    PointerVector();
    // Frees the array only; a derived vector frees its elements first.
    virtual ~PointerVector();
    PointerVector(const PointerVector&) = delete;
    PointerVector& operator=(const PointerVector&) = delete;

    // Stores a clone of `element` at the end, doubling the room when it is
    // full. The caller keeps `element`. Gives true; allocation failure throws
    // std::bad_alloc and leaves the vector as it was.
    bool add(const void* element);

    std::uint32_t count() const { return count_; }
    std::uint32_t capacity() const { return capacity_; }

  protected:
    // Frees an element made by cloneElement; ignores null.
    virtual void freeElement(void* element) = 0;
    // A new element holding a copy of `element`, owned by the vector.
    virtual void* cloneElement(const void* element) const = 0;

    // The element at `index`, which must be below count().
    void* elementAt(std::uint32_t index) const { return elements_[index]; }

  private:
    std::unique_ptr<void*[]> elements_;
    std::uint32_t count_ = 0;
    std::uint32_t capacity_ = 0;
};

}  // namespace SMImplementation
