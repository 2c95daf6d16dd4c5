// The process-wide policy settings. `loadPolicy` writes them on the main
// thread before any other thread exists; everything else only reads them.
// (`verboseLogging` lives with the install log, which reads it.)
#pragma once

#include <string>

// The service may update silently ("SilentAutoUpdateEnable").
extern bool silentAutoUpdateEnable;
// Automatic updating is switched off ("AutoUpdateDisable").
extern bool autoUpdateDisable;
// Host of the version manifest: the primary download host unless the policy
// names a server domain.
extern std::wstring manifestHost;
// Host of the installer packages: the secondary download host unless the
// policy names a server domain.
extern std::wstring packageHost;

// The build's default download hosts (CMake cache variables
// VIREO_PRIMARY_DOWNLOAD_HOST and VIREO_SECONDARY_DOWNLOAD_HOST).
extern const wchar_t kPrimaryDownloadHost[];
extern const wchar_t kSecondaryDownloadHost[];
