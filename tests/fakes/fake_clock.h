// A clock that shows the time the test set.
#pragma once

#include "platform/clock.h"

namespace fakes {

class FakeClock : public platform::Clock {
  public:
    SYSTEMTIME now = {};

    void getSystemTime(SYSTEMTIME* time) override { *time = now; }
    void getSystemTimeAsFileTime(FILETIME* time) override { ::SystemTimeToFileTime(&now, time); }

    static SYSTEMTIME at(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second,
                         WORD milliseconds) {
        SYSTEMTIME time = {};
        time.wYear = year;
        time.wMonth = month;
        time.wDay = day;
        time.wHour = hour;
        time.wMinute = minute;
        time.wSecond = second;
        time.wMilliseconds = milliseconds;
        return time;
    }
};

}  // namespace fakes
