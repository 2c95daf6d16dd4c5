// The machine's update policy: the policy file's keys given their meaning.
//
// Keys (case-sensitive): "SilentAutoUpdateEnable" and "AutoUpdateDisable"
// (truth values) make the update mode; "SilentAutoUpdateVerboseLogging" (a
// truth value) turns on the install log's info and warning lines;
// "SilentAutoUpdateServerDomain" (a host name) replaces both download hosts.
// Every operation reads the file afresh and keeps nothing of it.
#pragma once

#include <string>

// The update modes the command line sets.
constexpr int kUpdateModeSilent = 0;
constexpr int kUpdateModeNotify = 1;
constexpr int kUpdateModeDisabled = 2;

// Writes `mode` into the policy file: silent ("SilentAutoUpdateEnable" 1,
// "AutoUpdateDisable" 0), notify (0, 0) or disabled (0, 1), keeping the
// file's other keys. True when the file was written; false for any other mode
// (the file is not touched), when the policy folder is missing (it is never
// created) or the file cannot be rewritten. Running out of memory logs
// warning 1418 and gives false.
bool setUpdateMode(int mode);

// Whether "SilentAutoUpdateEnable" is true ("AutoUpdateDisable" is not
// consulted); logs info 1607 when it is. Running out of memory logs warning
// 1419 and gives what was found so far.
bool isSilentAutoUpdateEnabled();

// Reads the policy into the process-wide settings (policy/policy_settings.h,
// `verboseLogging`), logging what it found (1613 to 1616, 1628, 1629) and
// failed host conversions (1237, 1238). Runs once, on the main thread, before
// other threads start. False only when running out of memory cut it short
// (warning 1420, the last-error value of the failure left in force); settings
// changed before that keep their new values.
bool loadPolicy();

// The service run's policy: made before the service dispatcher starts and
// destroyed after it returns. Making it loads the policy; a load cut short is
// logged as error 1233 with the last-error value.
class UpdatePolicy {
  public:
    explicit UpdatePolicy(std::wstring programPath);
    UpdatePolicy(const UpdatePolicy&) = delete;
    UpdatePolicy& operator=(const UpdatePolicy&) = delete;

    const std::wstring& programPath() const { return programPath_; }

  private:
    std::wstring programPath_;
};
