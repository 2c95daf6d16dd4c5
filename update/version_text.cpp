#include "update/version_text.h"

#include <cstdint>

namespace {

constexpr std::size_t kVersionParts = 4;
constexpr std::uint32_t kLargestNumber = 0xFFFFFFFFu;

bool isBlank(wchar_t unit) {
    return unit == L' ' || unit == L'\t' || unit == L'\n' || unit == L'\v' || unit == L'\f' ||
           unit == L'\r';
}

// The number of one part, [begin, end), by the rules of wcstoul in base 10.
std::uint32_t partNumber(const wchar_t* begin, const wchar_t* end) {
    const wchar_t* p = begin;
    while (p != end && isBlank(*p)) ++p;
    bool negative = false;
    if (p != end && (*p == L'+' || *p == L'-')) {
        negative = *p == L'-';
        ++p;
    }
    std::uint32_t magnitude = 0;
    bool tooLarge = false;
    for (; p != end && *p >= L'0' && *p <= L'9'; ++p) {
        const std::uint32_t digit = static_cast<std::uint32_t>(*p - L'0');
        if (magnitude > (kLargestNumber - digit) / 10) tooLarge = true;
        if (!tooLarge) magnitude = magnitude * 10 + digit;
    }
    if (tooLarge) return kLargestNumber;
    // Unsigned negation is the negation modulo 2^32.
    return negative ? static_cast<std::uint32_t>(0u - magnitude) : magnitude;
}

}  // namespace

bool parseVersionText(const wchar_t* text, std::size_t length, ComponentVersion& version) {
    const wchar_t* end = text;
    while (end != text + length && *end != L'\0') ++end;

    std::uint32_t numbers[kVersionParts] = {};
    std::size_t parts = 0;
    const wchar_t* partBegin = text;
    for (const wchar_t* p = text;; ++p) {
        const bool atEnd = p == end;
        if (!atEnd && *p != L'.') continue;
        if (parts == kVersionParts) return false;
        numbers[parts++] = partNumber(partBegin, p);
        if (atEnd) break;
        partBegin = p + 1;
    }
    version.major = numbers[0];
    version.minor = numbers[1];
    version.buildMajor = numbers[2];
    version.buildMinor = numbers[3];
    return true;
}
