// An owning vector of UTF-8 strings: what listFolder hands to its caller.
#pragma once

#include <cstdint>

#include "common/owned_string.h"
#include "filemanager/pointer_vector.h"

namespace SASM {

class StringVector : public SMImplementation::PointerVector {
  public:
    StringVector() = default;
    // Frees every string, in index order, then the array.
    ~StringVector() override;

    // Stores a copy of `text` at the end. Gives true; allocation failure
    // throws std::bad_alloc.
    bool add(const OwnedString& text) { return PointerVector::add(&text); }
    // The string at `index`, which must be below count().
    const OwnedString& at(std::uint32_t index) const {
        return *static_cast<const OwnedString*>(elementAt(index));
    }

  protected:
    void freeElement(void* element) override;
    void* cloneElement(const void* element) const override;
};

}  // namespace SASM
