// The identity of the service and the program's own path, made once per run
// by the entry point and destroyed before the process exits.
#pragma once

#include <string>

extern const wchar_t kServiceName[];         // "TessalyVireoPlayerUpdateSvc"
extern const wchar_t kServiceDisplayName[];  // "Tessaly Vireo Player Update Service"

class ServiceHost {
  public:
    ServiceHost(std::wstring programPath, std::wstring serviceName, std::wstring displayName)
        : programPath(std::move(programPath)),
          serviceName(std::move(serviceName)),
          displayName(std::move(displayName)) {}

    // Full path of the running executable, as resolved at start-up.
    const std::wstring programPath;
    // The name the service control manager knows the service by.
    const std::wstring serviceName;
    // Shown by Windows' service tools; no operation of the updater reads it.
    const std::wstring displayName;
};
