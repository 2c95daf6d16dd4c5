#include "common/owned_string.h"

OwnedString::OwnedString(const char* text) {
    if (text != nullptr) bytes_ = text;
}

OwnedString::OwnedString(const char* data, std::size_t length) : bytes_(data, length) {}
