// Conversions between UTF-16 and narrow code pages.
#pragma once

#include <windows.h>

namespace platform {

class TextCodec {
  public:
    virtual ~TextCodec() = default;
    static TextCodec& win32();

    // MultiByteToWideChar.
    virtual int multiByteToWideChar(UINT codePage, DWORD flags, const char* text, int textLength,
                                    wchar_t* wide, int wideLength) = 0;
    // WideCharToMultiByte without a default character.
    virtual int wideCharToMultiByte(UINT codePage, DWORD flags, const wchar_t* wide, int wideLength,
                                    char* text, int textLength) = 0;
};

}  // namespace platform
