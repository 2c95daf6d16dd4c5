// What the updater remembers between service runs, kept as three values of
// the key HKEY_LOCAL_MACHINE "SOFTWARE\Norwend\VireoPlayer":
//
//   "LastUpdateCheck"  REG_QWORD  FILETIME of the last completed check, 0 = never
//   "CheckFrequency"   REG_DWORD  days between checks, 1 to 3
//   "UpdateAttempts"   REG_DWORD  installation attempts since the last reset
//
// The store has no state of its own: every operation opens the key, does one
// thing and closes it again. Reads open the key with KEY_READ and take at most
// the value's size in bytes, whatever type it was stored as (a shorter value
// fills the low-order bytes); writes create the key when it is missing and
// open it with KEY_SET_VALUE; deletions open it with KEY_SET_VALUE and never
// create it. Failures are reported only through the result; nothing is logged.
#pragma once

#include <cstdint>
#include <optional>

class UpdateStateStore {
  public:
    // 864,000,000,000 FILETIME units of 100 nanoseconds.
    static constexpr std::uint64_t kFileTimeUnitsPerDay = 864000000000ULL;
    static constexpr std::uint32_t kMinCheckFrequency = 1;
    static constexpr std::uint32_t kMaxCheckFrequency = 3;

    // The current UTC time as a FILETIME count.
    static std::uint64_t currentFileTime();

    // True when the last check plus the check frequency lies strictly before
    // now. A missing or unreadable "LastUpdateCheck" counts as 0, so a check
    // is due; a stamp in the future is not due until the clock has passed it
    // by the frequency. The sum is taken modulo 2^64.
    [[nodiscard]] bool isUpdateCheckDue() const;

    // Sets `days` to the stored frequency brought into 1..3, or to 1 when it
    // cannot be read. True when it was read.
    bool readCheckFrequency(std::uint32_t& days) const;
    // Stores `days` brought into 1..3, or 1 when no value is given. True when
    // it was stored.
    bool writeCheckFrequency(std::optional<std::uint32_t> days);

    // Sets `count` to the stored number of attempts and gives true; on failure
    // gives false and leaves `count` as it was.
    [[nodiscard]] bool readUpdateAttempts(std::uint32_t& count) const;
    // Stores `count` unchanged. True when it was stored.
    bool writeUpdateAttempts(std::uint32_t count);
    // Stores the stored count plus one (4294967295 becomes 0), or 1 when no
    // count can be read. True when the new count was stored.
    bool incrementUpdateAttempts();

    // Stores 0 ("never checked") when `reset` is true, else the current time.
    // True when it was stored.
    bool writeLastUpdateCheck(bool reset);

    // Deletes "UpdateAttempts", "LastUpdateCheck" and "CheckFrequency" in this
    // order, each with a fresh open of the key, and stops at the first that
    // cannot be deleted, leaving those after it in place. True only when all
    // three were deleted. The key itself stays.
    bool deleteUpdateState();
};
