#include "update/update_cycle.h"

#include <windows.h>

#include <optional>

#include "log/install_log.h"
#include "policy/policy_settings.h"
#include "update/needs_update.h"
#include "update/update_state_store.h"

namespace {

constexpr int kNotifyMode = 1;

// Tries the installation of `release` and logs its outcome. True when the
// installer was started.
bool installRelease(UpdateCycleParts& parts, UpdateStateStore& state,
                    const ComponentVersion& release, MessageCode updated, MessageCode failed) {
    state.incrementUpdateAttempts();
    if (parts.installFlavour(release)) {
        logMessage(updated);
        return true;
    }
    logLastError(failed);
    return false;
}

// Everything after the policy gate: the time gate, the manifest, at most one
// installation, and the record of the check. The manifest results are owned
// here and released on every path.
void checkAndUpdate(UpdateCycleParts& parts) {
    UpdateStateStore state;
    if (!state.isUpdateCheckDue()) return;

    std::unique_ptr<ComponentVersion> activeX;
    std::unique_ptr<ComponentVersion> plugin;
    std::unique_ptr<std::uint32_t> checkFrequency;
    // Without a manifest the time stamp stays, so the next run checks again.
    if (!parts.fetchVersionManifest(activeX, plugin, checkFrequency)) return;
    if (!activeX || !plugin || !checkFrequency) return;

    std::uint32_t attempts = 0;
    if (state.readUpdateAttempts(attempts) && attempts >= kUpdateAttemptLimit) {
        logMessage(msg::kAttemptLimitReached);
        parts.setUpdateMode(kNotifyMode);
    } else if (needsUpdate(*activeX)) {
        // A started installer leaves the time stamp, so the next run checks
        // at once whether it worked.
        if (installRelease(parts, state, *activeX, msg::kActiveXUpdated,
                           msg::kActiveXUpdateFailed)) {
            return;
        }
    } else if (needsUpdate(*plugin)) {
        if (installRelease(parts, state, *plugin, msg::kPluginUpdated, msg::kPluginUpdateFailed)) {
            return;
        }
    }
    state.writeLastUpdateCheck(false);
    state.writeCheckFrequency(*checkFrequency);
}

}  // namespace

void runUpdateCycle() { runUpdateCycle(productUpdateCycleParts()); }

void runUpdateCycle(UpdateCycleParts& parts) {
    logMessage(msg::kCycleBegins);
    if (!autoUpdateDisable && silentAutoUpdateEnable) checkAndUpdate(parts);
    logMessage(msg::kCycleEnds);
}
