#include "policy/update_policy.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <new>

#include "common/allocation_failure.h"
#include "common/wide_text.h"
#include "filemanager/windows_file_manager.h"
#include "log/install_log.h"
#include "policy/policy_file.h"
#include "policy/policy_settings.h"
#include "policy/truth_value.h"

namespace {

const char kSilentAutoUpdateEnable[] = "SilentAutoUpdateEnable";
const char kAutoUpdateDisable[] = "AutoUpdateDisable";
const char kVerboseLogging[] = "SilentAutoUpdateVerboseLogging";
const char kServerDomain[] = "SilentAutoUpdateServerDomain";

// The file manager and the policy file of one operation, released together
// on every path.
struct PolicyAccess {
    std::unique_ptr<SASM::WindowsFileManager> fileManager =
        std::make_unique<SASM::WindowsFileManager>();
    PolicyFile file{fileManager->policyFilePath()};
};

}  // namespace

bool setUpdateMode(int mode) {
    const char* silent = nullptr;
    const char* disable = nullptr;
    switch (mode) {
        case kUpdateModeSilent:
            silent = "1";
            disable = "0";
            break;
        case kUpdateModeNotify:
            silent = "0";
            disable = "0";
            break;
        case kUpdateModeDisabled:
            silent = "0";
            disable = "1";
            break;
        default:
            return false;
    }
    try {
        PolicyAccess policy;
        policy.file.setValue(kSilentAutoUpdateEnable, silent);
        policy.file.setValue(kAutoUpdateDisable, disable);
        return policy.file.save();
    } catch (const std::bad_alloc&) {
        lastErrorOfAllocationFailure();
        logMessage(msg::kSetModeOutOfMemory);
        return false;
    }
}

bool isSilentAutoUpdateEnabled() {
    bool enabled = false;
    try {
        PolicyAccess policy;
        enabled = isTrueValue(policy.file.getValue(kSilentAutoUpdateEnable));
        if (enabled) logMessage(msg::kPolicySilentEnabled);
    } catch (const std::bad_alloc&) {
        lastErrorOfAllocationFailure();
        logMessage(msg::kQueryModeOutOfMemory);
    }
    return enabled;
}

bool loadPolicy() {
    try {
        PolicyAccess policy;
        if (isTrueValue(policy.file.getValue(kVerboseLogging))) verboseLogging = true;

        const OwnedString serverDomain = policy.file.getValue(kServerDomain);
        if (!serverDomain.empty()) {
            std::wstring host;
            if (utf8ToWide(serverDomain.c_str(), host)) {
                packageHost = host;
            } else {
                logLastError(msg::kPackageHostConversionFailed);
            }
            host.clear();
            if (utf8ToWide(serverDomain.c_str(), host)) {
                manifestHost = host;
            } else {
                logLastError(msg::kManifestHostConversionFailed);
            }
            if (packageHost.empty()) {
                packageHost = kSecondaryDownloadHost;
            } else {
                logMessage(msg::kPackageHostFromPolicy, packageHost);
            }
            if (manifestHost.empty()) {
                manifestHost = kPrimaryDownloadHost;
            } else {
                logMessage(msg::kManifestHostFromPolicy, manifestHost);
            }
        }

        autoUpdateDisable = isTrueValue(policy.file.getValue(kAutoUpdateDisable));
        logMessage(autoUpdateDisable ? msg::kAutoUpdateDisableOn : msg::kAutoUpdateDisableOff);
        silentAutoUpdateEnable = isTrueValue(policy.file.getValue(kSilentAutoUpdateEnable));
        logMessage(silentAutoUpdateEnable ? msg::kSilentAutoUpdateOn : msg::kSilentAutoUpdateOff);
        return true;
    } catch (const std::bad_alloc&) {
        const DWORD lastError = lastErrorOfAllocationFailure();
        logMessage(msg::kLoadPolicyOutOfMemory);
        // The caller reports the failure with this value.
        ::SetLastError(lastError);
        return false;
    }
}

UpdatePolicy::UpdatePolicy(std::wstring programPath) : programPath_(std::move(programPath)) {
    if (!loadPolicy()) logLastError(msg::kPolicyLoadFailed);
}
