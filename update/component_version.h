// ComponentVersion: the version record of one flavour of the runtime, as the
// manifest announces it and as the registry says it is installed, and its
// ordering. A plain value, free of Windows headers (the manifest parser builds
// natively too).
#pragma once

#include <cstdint>

// Flavour codes.
constexpr std::uint32_t kFlavourActiveX = 1;
constexpr std::uint32_t kFlavourPlugin = 2;

struct ComponentVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t buildMajor = 0;
    std::uint32_t buildMinor = 0;
    // 1 ActiveX, 2 Plugin; 0 in an installed version, where it is not used.
    std::uint32_t flavourCode = 0;
};

// The order of two versions by their four numbers, major first, each compared
// as an unsigned number: -1 when `a` is older than `b`, 0 when the numbers are
// equal, +1 when `a` is newer. The flavour code takes no part.
int compareVersions(const ComponentVersion& a, const ComponentVersion& b);

// True for 0.0.0.0, which stands for a flavour that is not installed or whose
// installed version is unknown. The flavour code takes no part.
bool isNotInstalledVersion(const ComponentVersion& version);
