// The version of a flavour installed on this machine, as its installer left
// it under HKEY_LOCAL_MACHINE: "Software\Norwend\VireoPlayerActiveX" for the
// ActiveX control, "Software\Norwend\VireoPlayerPlugin" for the plug-in. The
// updater only reads these keys.
#pragma once

#include <cstdint>

#include "update/component_version.h"

// The installed version of the flavour `flavourCode` (1 ActiveX, 2 Plugin),
// with flavour code 0. Gives 0.0.0.0, "not installed", for any other code
// (without reading the registry), for a missing key or "Version" value, for a
// "Version" longer than 1024 bytes, for a text with more than four parts and
// for the script-debugger build (a non-zero "isScriptDebugger"). Reports
// nothing else and logs nothing.
ComponentVersion readInstalledVersion(std::uint32_t flavourCode);
