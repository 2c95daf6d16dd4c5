#include "filemanager/string_vector.h"

namespace SASM {

StringVector::~StringVector() {
    for (std::uint32_t i = 0; i < count(); ++i) freeElement(elementAt(i));
}

void StringVector::freeElement(void* element) { delete static_cast<OwnedString*>(element); }

void* StringVector::cloneElement(const void* element) const {
    return new OwnedString(*static_cast<const OwnedString*>(element));
}

}  // namespace SASM
