// The process entry point's logic: start-up lines, the ServiceHost, and the
// dispatch on the first argument to one command or to the service run.
#pragma once

#include "service/entry_operations.h"

// Exit codes of the process.
constexpr int kExitNormal = 0;
constexpr int kExitSilentAutoUpdateEnabled = 1001;

// Runs one whole invocation with the UTF-16 arguments and gives the exit code:
// 0, or 1001 when "-isSAUEnabled" answers yes. Running out of memory after the
// start-up lines ends the run with error 1239 and the exit code set so far.
int runEntryPoint(int argc, const wchar_t* const* argv, EntryOperations& operations);

// Full path of `path` as GetFullPathNameW resolves it, in a buffer sized from
// what it reports; empty when it cannot be resolved.
std::wstring resolveFullPath(const wchar_t* path);
