// Fetching the version manifest: one HTTPS GET of the manifest from the
// manifest host, the body collected as text and parsed into the newest
// version of each flavour and the check frequency. Decides nothing about
// updating; every failure is logged as a warning.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "update/component_version.h"

// The manifest's object path on the manifest host.
extern const wchar_t kVersionManifestPath[];
// The body is collected up to this many bytes; more is not received.
constexpr std::size_t kVersionManifestMaximumLength = 1024 * 1024;

// The results of one fetch, owned by whoever holds them.
struct VersionManifest {
    std::unique_ptr<ComponentVersion> activeX;
    std::unique_ptr<ComponentVersion> plugin;
    std::unique_ptr<std::uint32_t> checkFrequency;
};

// Requests the manifest from `manifestHost` on port 443 and parses the body,
// whatever the response's status. Returns true when a response came and its
// body parsed into all three results, which then belong to the caller; false
// otherwise (each failure logged under its code, 1400 to 1411). The caller
// passes empty results.
bool fetchVersionManifest(std::unique_ptr<ComponentVersion>& activeX,
                          std::unique_ptr<ComponentVersion>& plugin,
                          std::unique_ptr<std::uint32_t>& checkFrequency);
bool fetchVersionManifest(VersionManifest& manifest);
