// A console that keeps what was written to it.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/console.h"

namespace fakes {

class FakeConsole : public platform::Console {
  public:
    void writeLine(const std::wstring& text) override {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.push_back(text);
    }

    std::vector<std::wstring> lines() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::wstring> lines_;
};

}  // namespace fakes
