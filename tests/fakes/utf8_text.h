// UTF-8 of a UTF-16 text, converted by Windows itself, so that a test states
// the names it expects the way a person writes them.
#pragma once

#include <windows.h>

#include <string>

namespace fakes {

inline std::string utf8(const std::wstring& wide) {
    const int needed =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &text[0], needed, nullptr, nullptr);
    text.resize(text.size() - 1);
    return text;
}

}  // namespace fakes
