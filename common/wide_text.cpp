#include "common/wide_text.h"

#include <windows.h>

#include <vector>

#include "platform/facility.h"
#include "platform/text_codec.h"

bool utf8ToWide(const char* text, std::wstring& wide) {
    platform::TextCodec& codec = platform::use<platform::TextCodec>();
    const int needed = codec.multiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (needed <= 0) return false;
    std::vector<wchar_t> buffer(static_cast<size_t>(needed));
    const int converted = codec.multiByteToWideChar(CP_UTF8, 0, text, -1, buffer.data(), needed);
    if (converted <= 0) return false;
    wide.assign(buffer.data(), static_cast<size_t>(converted - 1));
    return true;
}

bool wideToUtf8(const wchar_t* wide, OwnedString& text) {
    platform::TextCodec& codec = platform::use<platform::TextCodec>();
    const int needed = codec.wideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0);
    if (needed <= 0) return false;
    std::vector<char> buffer(static_cast<size_t>(needed));
    const int converted = codec.wideCharToMultiByte(CP_UTF8, 0, wide, -1, buffer.data(), needed);
    if (converted <= 0) return false;
    text = OwnedString(buffer.data(), static_cast<size_t>(converted - 1));
    return true;
}
