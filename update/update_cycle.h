// The update cycle: the one piece of work of each service run. It decides
// whether a check is allowed and due, fetches the version manifest, brings at
// most one installed flavour up to date (ActiveX before Plugin), and records
// the outcome in the update state so that the next run knows when to look
// again. After seven recorded installation attempts it gives up silent
// updating by switching the policy to notify mode.
#pragma once

#include <cstdint>
#include <memory>

#include "update/component_version.h"

// The steps of other subsystems that the cycle hands work to: the manifest,
// the installation of one flavour, and the update mode of the policy. The
// product's set is `productUpdateCycleParts()`.
class UpdateCycleParts {
  public:
    virtual ~UpdateCycleParts() = default;
    // Fills the three results from the version manifest; true when all three
    // exist.
    virtual bool fetchVersionManifest(std::unique_ptr<ComponentVersion>& activeX,
                                      std::unique_ptr<ComponentVersion>& plugin,
                                      std::unique_ptr<std::uint32_t>& checkFrequency) = 0;
    // Downloads, verifies and starts the installer of `release`; true when the
    // installer was started.
    virtual bool installFlavour(const ComponentVersion& release) = 0;
    // Writes update mode `mode` into the policy file.
    virtual bool setUpdateMode(int mode) = 0;
};

UpdateCycleParts& productUpdateCycleParts();

// Stored attempts from which no installation is tried any more.
constexpr std::uint32_t kUpdateAttemptLimit = 7;

// Runs one cycle with the product's parts. Logs 1608 first and 1612 last.
void runUpdateCycle();
void runUpdateCycle(UpdateCycleParts& parts);
