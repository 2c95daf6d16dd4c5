// The install log: the one place where the updater reports what it does.
// Each call becomes one time-stamped line "Y-M-D+h-m-s.ms [level] message"
// (UTC, plain decimal numbers) that goes to the standard output and is
// appended, as UTF-16LE code units ending in CR LF, to
// "Pellmark\Vireo\VireoInstall.log" under the current directory. The folder is
// never created here: without it the console copy is the only one.
//
// Errors are always written; info and warning lines only while
// `verboseLogging` is on. Lines from concurrent threads stay whole.
#pragma once

#include <cstdint>
#include <string>

#include "log/log_level.h"
#include "log/message_codes.h"

// Switched on by the update policy when the policy file asks for verbose
// logging; never switched off again. Written on the main thread before any
// second thread exists.
extern bool verboseLogging;

// Decimal text of a signed 32-bit number, with a minus sign when negative.
std::wstring toDecimalText(std::int32_t value);

// Writes one line at `level`. Reports no failure; running out of memory while
// building the line reaches the caller as std::bad_alloc.
void writeLog(LogLevel level, std::wstring message);

// The message shapes of the code table: the code alone, the code and a number
// (as a rule the last-error value, passed as a signed 32-bit number), or the
// code and a text.
void logMessage(MessageCode code);
void logMessage(MessageCode code, std::int32_t detail);
void logMessage(MessageCode code, const std::wstring& text);

// The code with a last-error value as its detail.
void logLastError(MessageCode code, std::uint32_t lastError);
// The code with the thread's last-error value as it is now: call it right
// after the failed step, before anything else can change the value.
void logLastError(MessageCode code);
