// Installing an out-of-date flavour: its package is downloaded, verified and
// written as "VireoPlayerInstaller.exe" into the current directory, and that
// program is started detached with fixed silent-install switches. The updater
// neither waits for the installer nor deletes it.
#pragma once

#include "update/component_version.h"

// The installer's command line; its switches belong to the installer.
extern const wchar_t kInstallerCommandLine[];

// Downloads the package of `version.flavourCode` and starts its installer.
// Returns true when the installer process was created; false when the
// download failed (it logs its own codes), when the process could not be
// created (1218), or when memory ran out (1236 in the download, 1235 while
// starting the installer).
bool installFlavour(const ComponentVersion& version);

// Starts the installer file in the current directory, named by its full path
// so that no other file of that name (in the updater's own folder, for
// instance) runs instead, with the writable `commandLine`, detached and with
// the default error mode, inheriting nothing but the environment and current
// directory. Logs 1602 when the process was created, 1218 otherwise, closes
// both handles it got and returns whether the process was created.
bool launchInstaller(wchar_t* commandLine);
