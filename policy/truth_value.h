// The truth test of policy values. Free of Windows headers.
#pragma once

#include "common/owned_string.h"

// True for "true", "t", "yes" and "y" in any mix of upper and lower case, and
// for any text that starts (after optional white space and an optional sign)
// with a nonzero decimal number, such as "1", "-1" or "2 days". False for
// everything else: "0", "false", "no", "on", the empty text.
bool isTrueValue(const OwnedString& text);
