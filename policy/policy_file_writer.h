// The written form of a policy file: one "key=value" line per entry, each
// ended by CR LF, in the table's list order, with no byte-order mark, blank
// lines or comments. Free of Windows headers.
#pragma once

#include <string>

#include "policy/string_map.h"

// The whole file as it is written for `table`. Keys and values are written up
// to their first NUL byte. Allocation failure throws std::bad_alloc.
std::string policyFileText(const StringMap& table);
