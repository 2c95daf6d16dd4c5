#include "update/component_version.h"

namespace {

int compareNumbers(std::uint32_t a, std::uint32_t b) {
    if (a == b) return 0;
    return a > b ? 1 : -1;
}

}  // namespace

int compareVersions(const ComponentVersion& a, const ComponentVersion& b) {
    if (int order = compareNumbers(a.major, b.major)) return order;
    if (int order = compareNumbers(a.minor, b.minor)) return order;
    if (int order = compareNumbers(a.buildMajor, b.buildMajor)) return order;
    return compareNumbers(a.buildMinor, b.buildMinor);
}

bool isNotInstalledVersion(const ComponentVersion& version) {
    return version.major == 0 && version.minor == 0 && version.buildMajor == 0 &&
           version.buildMinor == 0;
}
