// The order in which listFolder gives names: names of non-digits first, in
// byte order, then names of digits only, by their number. Free of Windows
// headers.
#pragma once

#include "common/owned_string.h"

namespace SASM {

// Negative when `a` sorts before `b`, positive after, 0 when neither does.
// A name is numeric when every byte is a digit 0 to 9 (the empty name too).
// Two numeric names compare by their values as signed 32-bit numbers (larger
// values clamp to the largest); a non-numeric name sorts before a numeric
// one; two non-numeric names compare byte by byte as unsigned bytes, a prefix
// first.
int compareNames(const OwnedString& a, const OwnedString& b);

}  // namespace SASM
