#include "policy/truth_value.h"

#include <cstddef>
#include <string>

namespace {

// The white space a C number parser skips.
bool isSpace(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' ||
           byte == '\r';
}

bool isDigit(char byte) { return byte >= '0' && byte <= '9'; }

// Whether the leading decimal integer of `text` is nonzero. Out-of-range
// numbers clamp to the 32-bit limits, which are nonzero too, so only the
// digits' being all zero matters.
bool leadingNumberIsNonZero(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        if (text[i] != '0') return true;
    }
    return false;
}

}  // namespace

bool isTrueValue(const OwnedString& text) {
    // Up to the first NUL, as the text is stored.
    std::string lower = text.c_str();
    for (char& byte : lower) {
        if (byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte - 'A' + 'a');
    }
    if (lower == "true" || lower == "t" || lower == "yes" || lower == "y") return true;
    return leadingNumberIsNonZero(lower);
}
