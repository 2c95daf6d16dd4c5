#include <iostream>

#include "platform/console.h"

namespace platform {
namespace {

class Win32Console final : public Console {
  public:
    void writeLine(const std::wstring& text) override {
        std::wcout << text << std::endl;
        // A character the console's narrow code page cannot show puts the
        // stream into a failed state; later lines must still get through.
        std::wcout.clear();
    }
};

}  // namespace

Console& Console::win32() {
    static Win32Console console;
    return console;
}

}  // namespace platform
