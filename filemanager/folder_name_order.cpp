#include "filemanager/folder_name_order.h"

#include <cstdint>
#include <cstring>

namespace SASM {
namespace {

bool isNumeric(const OwnedString& name) {
    const char* bytes = name.c_str();
    for (std::size_t i = 0; i < name.length(); ++i) {
        if (bytes[i] < '0' || bytes[i] > '9') return false;
    }
    return true;
}

std::int32_t numericValue(const OwnedString& digits) {
    std::int64_t value = 0;
    const char* bytes = digits.c_str();
    for (std::size_t i = 0; i < digits.length(); ++i) {
        value = value * 10 + (bytes[i] - '0');
        if (value > INT32_MAX) return INT32_MAX;
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

int compareNames(const OwnedString& a, const OwnedString& b) {
    const bool aNumeric = isNumeric(a);
    const bool bNumeric = isNumeric(b);
    if (aNumeric && bNumeric) {
        const std::int32_t aValue = numericValue(a);
        const std::int32_t bValue = numericValue(b);
        return aValue < bValue ? -1 : (aValue > bValue ? 1 : 0);
    }
    if (aNumeric != bNumeric) return aNumeric ? 1 : -1;
    const std::size_t shorter = a.length() < b.length() ? a.length() : b.length();
    const int bytes = std::memcmp(a.c_str(), b.c_str(), shorter);  // compares as unsigned
    if (bytes != 0) return bytes;
    return a.length() < b.length() ? -1 : (a.length() > b.length() ? 1 : 0);
}

}  // namespace SASM
