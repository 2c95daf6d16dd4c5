#include "log/install_log.h"

#include <windows.h>

#include <mutex>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/facility.h"
#include "platform/files.h"

bool verboseLogging = false;

namespace {

const wchar_t kLogFilePath[] = L"Pellmark\\Vireo\\VireoInstall.log";

// One line at a time, from start to end, so that the two threads of a service
// run never interleave their lines, on the console or in the file.
std::mutex& logMutex() {
    static std::mutex mutex;
    return mutex;
}

const wchar_t* levelWord(LogLevel level) {
    switch (level) {
        case LogLevel::info:
            return L"info";
        case LogLevel::warning:
            return L"warning";
        case LogLevel::error:
            return L"error";
    }
    return L"";
}

std::wstring buildLine(const SYSTEMTIME& now, LogLevel level, const std::wstring& message) {
    std::wstring line;
    line += toDecimalText(now.wYear) + L"-" + toDecimalText(now.wMonth) + L"-" +
            toDecimalText(now.wDay) + L"+" + toDecimalText(now.wHour) + L"-" +
            toDecimalText(now.wMinute) + L"-" + toDecimalText(now.wSecond) + L"." +
            toDecimalText(now.wMilliseconds);
    line += L" [";
    line += levelWord(level);
    line += L"] ";
    line += message;
    line += L"\r\n";
    return line;
}

void appendToLogFile(const std::wstring& line) {
    platform::Files& files = platform::use<platform::Files>();
    // Appending, creating the file when missing but never its folder; other
    // programs may read, write or delete it meanwhile.
    platform::UniqueFile file(files.createFile(
        kLogFilePath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL));
    if (!file) return;
    DWORD written = 0;
    // The code units exactly as held in memory: UTF-16LE, no byte-order mark.
    files.writeFile(file.get(), line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)),
                    &written);
}

}  // namespace

std::wstring toDecimalText(std::int32_t value) { return std::to_wstring(value); }

void writeLog(LogLevel level, std::wstring message) {
    if (level != LogLevel::error && !verboseLogging) return;

    std::lock_guard<std::mutex> lock(logMutex());
    SYSTEMTIME now = {};
    platform::use<platform::Clock>().getSystemTime(&now);
    const std::wstring line = buildLine(now, level, message);
    platform::use<platform::Console>().writeLine(line);
    appendToLogFile(line);
}

void logMessage(MessageCode code) { writeLog(code.level, toDecimalText(code.number)); }

void logMessage(MessageCode code, std::int32_t detail) {
    writeLog(code.level, toDecimalText(code.number) + L" " + toDecimalText(detail));
}

void logMessage(MessageCode code, const std::wstring& text) {
    writeLog(code.level, toDecimalText(code.number) + L" " + text);
}

void logLastError(MessageCode code, std::uint32_t lastError) {
    logMessage(code, static_cast<std::int32_t>(lastError));
}

void logLastError(MessageCode code) { logLastError(code, ::GetLastError()); }
