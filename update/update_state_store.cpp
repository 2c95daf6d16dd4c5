#include "update/update_state_store.h"

#include <windows.h>

#include <cstddef>

#include "platform/clock.h"
#include "platform/registry.h"

namespace {

const wchar_t kStateKey[] = L"SOFTWARE\\Norwend\\VireoPlayer";
const wchar_t kLastUpdateCheck[] = L"LastUpdateCheck";
const wchar_t kCheckFrequency[] = L"CheckFrequency";
const wchar_t kUpdateAttempts[] = L"UpdateAttempts";

platform::Registry& registry() { return platform::use<platform::Registry>(); }

bool openStateKey(REGSAM access, platform::UniqueKey& key) {
    HKEY opened = nullptr;
    if (registry().openKey(HKEY_LOCAL_MACHINE, kStateKey, access, &opened) != ERROR_SUCCESS) {
        return false;
    }
    key.reset(opened);
    return true;
}

bool createStateKey(platform::UniqueKey& key) {
    HKEY created = nullptr;
    if (registry().createKey(HKEY_LOCAL_MACHINE, kStateKey, KEY_SET_VALUE, &created, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    key.reset(created);
    return true;
}

// Reads at most `Size` bytes of `name` as a little-endian unsigned number,
// whatever type the value was stored as: a shorter value gives the low-order
// bytes and the rest is 0. A value longer than `Size` bytes cannot be read.
template <std::size_t Size, class Number>
bool readNumber(HKEY key, const wchar_t* name, Number& number) {
    static_assert(sizeof(Number) == Size, "the number holds exactly the bytes read");
    unsigned char bytes[Size] = {};
    DWORD size = Size;
    if (registry().queryValue(key, name, nullptr, bytes, &size) != ERROR_SUCCESS) return false;
    Number value = 0;
    for (DWORD i = 0; i < size && i < Size; ++i) {
        value |= static_cast<Number>(static_cast<Number>(bytes[i]) << (8 * i));
    }
    number = value;
    return true;
}

template <class Number>
bool writeNumber(const wchar_t* name, DWORD type, Number number) {
    unsigned char bytes[sizeof(Number)];
    for (std::size_t i = 0; i < sizeof(Number); ++i) {
        bytes[i] = static_cast<unsigned char>(number >> (8 * i));
    }
    platform::UniqueKey key;
    if (!createStateKey(key)) return false;
    return registry().setValue(key.get(), name, type, bytes, sizeof(bytes)) == ERROR_SUCCESS;
}

bool deleteStateValue(const wchar_t* name) {
    platform::UniqueKey key;
    if (!openStateKey(KEY_SET_VALUE, key)) return false;
    return registry().deleteValue(key.get(), name) == ERROR_SUCCESS;
}

std::uint32_t clampCheckFrequency(std::uint32_t days) {
    if (days < UpdateStateStore::kMinCheckFrequency) return UpdateStateStore::kMinCheckFrequency;
    if (days > UpdateStateStore::kMaxCheckFrequency) return UpdateStateStore::kMaxCheckFrequency;
    return days;
}

}  // namespace

std::uint64_t UpdateStateStore::currentFileTime() {
    FILETIME now = {};
    platform::use<platform::Clock>().getSystemTimeAsFileTime(&now);
    return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

bool UpdateStateStore::isUpdateCheckDue() const {
    const std::uint64_t now = currentFileTime();
    std::uint64_t last = 0;
    {
        platform::UniqueKey key;
        if (openStateKey(KEY_READ, key)) readNumber<8>(key.get(), kLastUpdateCheck, last);
    }
    std::uint32_t days = kMinCheckFrequency;
    readCheckFrequency(days);
    // Unsigned 64-bit arithmetic: the sum is taken modulo 2^64.
    const std::uint64_t next = last + static_cast<std::uint64_t>(days) * kFileTimeUnitsPerDay;
    return next < now;
}

bool UpdateStateStore::readCheckFrequency(std::uint32_t& days) const {
    std::uint32_t stored = kMinCheckFrequency;
    bool read = false;
    {
        platform::UniqueKey key;
        if (openStateKey(KEY_READ, key)) read = readNumber<4>(key.get(), kCheckFrequency, stored);
    }
    days = read ? clampCheckFrequency(stored) : kMinCheckFrequency;
    return read;
}

bool UpdateStateStore::writeCheckFrequency(std::optional<std::uint32_t> days) {
    const std::uint32_t stored = days ? clampCheckFrequency(*days) : kMinCheckFrequency;
    return writeNumber(kCheckFrequency, REG_DWORD, stored);
}

bool UpdateStateStore::readUpdateAttempts(std::uint32_t& count) const {
    platform::UniqueKey key;
    if (!openStateKey(KEY_READ, key)) return false;
    return readNumber<4>(key.get(), kUpdateAttempts, count);
}

bool UpdateStateStore::writeUpdateAttempts(std::uint32_t count) {
    return writeNumber(kUpdateAttempts, REG_DWORD, count);
}

bool UpdateStateStore::incrementUpdateAttempts() {
    std::uint32_t count = 0;
    // Unsigned: 4294967295 attempts wrap to 0.
    const std::uint32_t next = readUpdateAttempts(count) ? count + 1u : 1u;
    return writeUpdateAttempts(next);
}

bool UpdateStateStore::writeLastUpdateCheck(bool reset) {
    const std::uint64_t stamp = reset ? 0 : currentFileTime();
    return writeNumber(kLastUpdateCheck, REG_QWORD, stamp);
}

bool UpdateStateStore::deleteUpdateState() {
    // In this order, and no further than the first that fails.
    return deleteStateValue(kUpdateAttempts) && deleteStateValue(kLastUpdateCheck) &&
           deleteStateValue(kCheckFrequency);
}
