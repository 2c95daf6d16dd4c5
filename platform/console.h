// The process's standard output, as the runtime's wide-character stream.
#pragma once

#include <string>

namespace platform {

class Console {
  public:
    virtual ~Console() = default;
    static Console& win32();

    // Writes `text` to the standard wide output stream, then a line feed, and
    // flushes. Reports nothing: a process without a console (a service) loses
    // the text silently.
    virtual void writeLine(const std::wstring& text) = 0;
};

}  // namespace platform
