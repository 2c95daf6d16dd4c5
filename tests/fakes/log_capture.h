// Catches what the install log writes during a test: the console copy goes to
// a fake console and the time comes from a fake clock. `entries()` gives each
// line as "<level word> <message>", for instance "error 1239 8", so a test can
// compare the exact run of codes a failure produced. Verbose logging is set as
// asked for the life of the object and restored afterwards.
#pragma once

#include <string>
#include <vector>

#include "log/install_log.h"
#include "platform/facility.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_console.h"

namespace fakes {

class LogCapture {
  public:
    explicit LogCapture(bool verbose = true) : savedVerbose_(verboseLogging) {
        verboseLogging = verbose;
        clock.now = FakeClock::at(2000, 6, 19, 8, 30, 5, 123);
    }
    ~LogCapture() { verboseLogging = savedVerbose_; }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // Whole lines as written, time stamp and CR LF included.
    std::vector<std::wstring> lines() const { return console.lines(); }

    std::vector<std::wstring> entries() const {
        std::vector<std::wstring> result;
        for (const std::wstring& line : console.lines()) {
            const size_t open = line.find(L" [");
            const size_t close = line.find(L"] ", open);
            if (open == std::wstring::npos || close == std::wstring::npos) {
                result.push_back(L"malformed: " + line);
                continue;
            }
            std::wstring message = line.substr(close + 2);
            if (message.size() >= 2 && message.compare(message.size() - 2, 2, L"\r\n") == 0) {
                message.resize(message.size() - 2);
            }
            result.push_back(line.substr(open + 2, close - open - 2) + L" " + message);
        }
        return result;
    }

    FakeClock clock;
    FakeConsole console;

  private:
    bool savedVerbose_;
    platform::ScopedFacility<platform::Clock> clockInForce_{clock};
    platform::ScopedFacility<platform::Console> consoleInForce_{console};
};

}  // namespace fakes
