// The install log for native fuzz targets: lines are dropped, so that the
// parsers under test need nothing of Windows.
#include "log/install_log.h"

bool verboseLogging = false;

std::wstring toDecimalText(std::int32_t value) { return std::to_wstring(value); }
void writeLog(LogLevel, std::wstring) {}
void logMessage(MessageCode) {}
void logMessage(MessageCode, std::int32_t) {}
void logMessage(MessageCode, const std::wstring&) {}
