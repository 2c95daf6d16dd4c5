#include "platform/text_codec.h"

namespace platform {
namespace {

class Win32TextCodec final : public TextCodec {
  public:
    int multiByteToWideChar(UINT codePage, DWORD flags, const char* text, int textLength,
                            wchar_t* wide, int wideLength) override {
        return ::MultiByteToWideChar(codePage, flags, text, textLength, wide, wideLength);
    }
    int wideCharToMultiByte(UINT codePage, DWORD flags, const wchar_t* wide, int wideLength,
                            char* text, int textLength) override {
        return ::WideCharToMultiByte(codePage, flags, wide, wideLength, text, textLength, nullptr,
                                     nullptr);
    }
};

}  // namespace

TextCodec& TextCodec::win32() {
    static Win32TextCodec codec;
    return codec;
}

}  // namespace platform
