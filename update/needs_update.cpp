#include "update/needs_update.h"

#include "update/installed_version.h"

bool needsUpdate(const ComponentVersion& available) {
    const ComponentVersion installed = readInstalledVersion(available.flavourCode);
    if (isNotInstalledVersion(installed)) return false;
    return compareVersions(available, installed) > 0;
}
