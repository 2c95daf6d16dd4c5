// ComponentVersion: the version record of one flavour of the runtime, as the
// manifest announces it and as the registry says it is installed. A plain
// value, free of Windows headers (the manifest parser builds natively too).
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
