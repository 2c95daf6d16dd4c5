// Whether a flavour announced by the manifest should be installed over the
// one on this machine. A flavour that is not installed never is: the updater
// only brings installed flavours up to date.
#pragma once

#include "update/component_version.h"

// True when the flavour of `available` (by its flavour code) is installed and
// `available` is newer than the installed version. False when it is not
// installed (0.0.0.0, see readInstalledVersion) or is as new or newer.
bool needsUpdate(const ComponentVersion& available);
