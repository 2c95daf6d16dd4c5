// The three levels of an install-log line.
#pragma once

enum class LogLevel : int {
    info = 0,
    warning = 1,
    error = 2,
};
