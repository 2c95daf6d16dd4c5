// The random start of the task's daily trigger: a minute between 00:00 and
// 00:59 on 1 January 2000, so that the machines asking for updates spread
// over the hour. Each draw falls back to 0 when the random source fails.
#pragma once

#include <windows.h>

#include <string>

// The Task Scheduler 2.0 start boundary: "2000-01-01T00:" followed by two
// digits of minutes and ":00Z" (UTC). The tens come from one draw modulo 6,
// the units from a second draw modulo 10.
std::wstring makeStartBoundary();

// The Task Scheduler 1.0 start minute: one draw modulo 60.
WORD drawStartMinute();
