#include "update/update_state_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "tests/fakes/fake_registry.h"

namespace {

const wchar_t kStateKey[] = L"HKLM\\SOFTWARE\\Norwend\\VireoPlayer";
constexpr std::uint64_t kDay = UpdateStateStore::kFileTimeUnitsPerDay;
// 2023-06-19 08:30:05 UTC as a FILETIME count.
constexpr std::uint64_t kNow = 133316550050000000ULL;

std::vector<BYTE> littleEndian(std::uint64_t value, int size) {
    std::vector<BYTE> bytes;
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
    return bytes;
}

// A clock that shows a chosen FILETIME count, to the 100-nanosecond unit.
class FileTimeClock : public platform::Clock {
  public:
    std::uint64_t now = kNow;
    void getSystemTime(SYSTEMTIME* time) override {
        FILETIME fileTime;
        getSystemTimeAsFileTime(&fileTime);
        ::FileTimeToSystemTime(&fileTime, time);
    }
    void getSystemTimeAsFileTime(FILETIME* time) override {
        time->dwLowDateTime = static_cast<DWORD>(now);
        time->dwHighDateTime = static_cast<DWORD>(now >> 32);
    }
};

class UpdateStateStoreTest : public ::testing::Test {
  protected:
    fakes::FakeRegistry registry;
    FileTimeClock clock;
    platform::ScopedFacility<platform::Registry> registryInForce{registry};
    platform::ScopedFacility<platform::Clock> clockInForce{clock};
    UpdateStateStore store;

    void TearDown() override {
        EXPECT_EQ(registry.openKeys(), 0) << "a key was left open";
        EXPECT_EQ(registry.invalidCloses(), 0) << "a key was closed twice";
    }

    void storeAll(std::uint32_t attempts, std::uint64_t lastCheck, std::uint32_t frequency) {
        registry.putDword(kStateKey, L"UpdateAttempts", attempts);
        registry.putQword(kStateKey, L"LastUpdateCheck", lastCheck);
        registry.putDword(kStateKey, L"CheckFrequency", frequency);
    }

    // The three values as stored, type and number, absent ones left out:
    // "UpdateAttempts REG_DWORD 6, LastUpdateCheck REG_QWORD 0".
    std::wstring state() const {
        std::wstring text;
        for (const wchar_t* name : {L"UpdateAttempts", L"LastUpdateCheck", L"CheckFrequency"}) {
            const auto value = registry.value(kStateKey, name);
            if (!value) continue;
            std::uint64_t number = 0;
            for (size_t i = 0; i < value->data.size() && i < 8; ++i) {
                number |= static_cast<std::uint64_t>(value->data[i]) << (8 * i);
            }
            const wchar_t* type = value->type == REG_DWORD   ? L"REG_DWORD"
                                  : value->type == REG_QWORD ? L"REG_QWORD"
                                                             : L"other";
            if (!text.empty()) text += L", ";
            text += std::wstring(name) + L" " + type + L" " + std::to_wstring(number);
            if (value->data.size() != (value->type == REG_QWORD ? 8u : 4u)) {
                text += L" (" + std::to_wstring(value->data.size()) + L" bytes)";
            }
        }
        return text;
    }
};

// The time gate.

struct DueCase {
    const char* name;
    // Bytes and type of "LastUpdateCheck"; no bytes: not stored.
    std::vector<BYTE> lastCheck;
    DWORD lastCheckType;
    std::optional<std::uint32_t> frequency;
    std::uint64_t now;
    bool due;
};

DueCase stamp(const char* name, std::uint64_t last, std::optional<std::uint32_t> frequency,
              std::uint64_t now, bool due) {
    return {name, littleEndian(last, 8), REG_QWORD, frequency, now, due};
}

class UpdateCheckDueTest : public UpdateStateStoreTest,
                           public ::testing::WithParamInterface<DueCase> {};

TEST_P(UpdateCheckDueTest, DueOnlyWhenLastCheckPlusFrequencyLiesBeforeNow) {
    const DueCase& c = GetParam();
    clock.now = c.now;
    if (!c.lastCheck.empty()) {
        registry.putValue(kStateKey, L"LastUpdateCheck", c.lastCheckType, c.lastCheck);
    }
    if (c.frequency) registry.putDword(kStateKey, L"CheckFrequency", *c.frequency);
    EXPECT_EQ(store.isUpdateCheckDue(), c.due);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateCheckDueTest,
    ::testing::Values(
        DueCase{"NoKeyAtAll", {}, REG_NONE, std::nullopt, kNow, true},
        stamp("NeverChecked", 0, 1, kNow, true), stamp("JustChecked", kNow, 1, kNow, false),
        stamp("ExactlyOneDayAgo", kNow - kDay, 1, kNow, false),
        stamp("OneUnitMoreThanOneDayAgo", kNow - kDay - 1, 1, kNow, true),
        stamp("NoFrequencyMeansOneDay", kNow - kDay - 1, std::nullopt, kNow, true),
        stamp("NoFrequencyExactlyOneDayAgo", kNow - kDay, std::nullopt, kNow, false),
        stamp("ExactlyTwoDaysAgoEveryTwoDays", kNow - 2 * kDay, 2, kNow, false),
        stamp("OneUnitMoreThanTwoDaysAgoEveryTwoDays", kNow - 2 * kDay - 1, 2, kNow, true),
        stamp("ExactlyThreeDaysAgoEveryThreeDays", kNow - 3 * kDay, 3, kNow, false),
        stamp("FrequencyZeroCountsAsOneDay", kNow - 1, 0, kNow, false),
        stamp("FrequencySevenCountsAsThreeDays", kNow - 3 * kDay - 1, 7, kNow, true),
        stamp("SevenDaysAgoWithFrequencySeven", kNow - 4 * kDay, 7, kNow, true),
        // The clock was set back after the last check.
        stamp("StampInTheFuture", kNow + 5 * kDay, 1, kNow, false),
        stamp("StampInTheFuturePassedByTheFrequency", kNow + 5 * kDay, 1, kNow + 6 * kDay + 1,
              true),
        // A 4-byte stamp is the low half of the count.
        DueCase{"FourByteStampAtTheBoundary", littleEndian(0x12345678, 4), REG_DWORD, 1,
                0x12345678 + kDay, false},
        DueCase{"FourByteStampPastTheBoundary", littleEndian(0x12345678, 4), REG_DWORD, 1,
                0x12345678 + kDay + 1, true},
        // A value longer than 8 bytes cannot be read and counts as never checked.
        DueCase{"StampOfAnotherType", littleEndian(kNow, 8), REG_BINARY, 1, kNow, false},
        DueCase{"OverlongStamp", std::vector<BYTE>(12, 0x7F), REG_BINARY, 1, kNow, true},
        // The sum is taken modulo 2^64.
        stamp("SumWrapsPastTheTop", 0xFFFFFFFFFFFFFFFFULL, 1, kNow, true)),
    [](const auto& info) { return std::string(info.param.name); });

// Reading and writing the check frequency.

struct FrequencyReadCase {
    const char* name;
    std::optional<std::pair<DWORD, std::vector<BYTE>>> stored;  // type and bytes
    bool keyExists;
    std::uint32_t days;
    bool read;
};

class CheckFrequencyReadTest : public UpdateStateStoreTest,
                               public ::testing::WithParamInterface<FrequencyReadCase> {};

TEST_P(CheckFrequencyReadTest, AlwaysGivesOneToThreeDays) {
    const FrequencyReadCase& c = GetParam();
    if (c.keyExists) registry.createKeyPath(kStateKey);
    if (c.stored)
        registry.putValue(kStateKey, L"CheckFrequency", c.stored->first, c.stored->second);
    std::uint32_t days = 99;
    EXPECT_EQ(store.readCheckFrequency(days), c.read);
    EXPECT_EQ(days, c.days);
}

FrequencyReadCase storedFrequency(const char* name, std::uint32_t stored, std::uint32_t days) {
    return {name, std::make_pair(DWORD{REG_DWORD}, littleEndian(stored, 4)), true, days, true};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckFrequencyReadTest,
    ::testing::Values(
        FrequencyReadCase{"NoKey", std::nullopt, false, 1, false},
        FrequencyReadCase{"NoValue", std::nullopt, true, 1, false}, storedFrequency("Zero", 0, 1),
        storedFrequency("One", 1, 1), storedFrequency("Two", 2, 2), storedFrequency("Three", 3, 3),
        storedFrequency("Seven", 7, 3), storedFrequency("Largest", 0xFFFFFFFF, 3),
        // The type is not looked at: a shorter value is its low-order bytes,
        // a text is its bytes.
        FrequencyReadCase{"OneByte", std::make_pair(DWORD{REG_BINARY}, std::vector<BYTE>{2}), true,
                          2, true},
        FrequencyReadCase{"TextTwo", std::make_pair(DWORD{REG_SZ}, std::vector<BYTE>{'2', 0, 0, 0}),
                          true, 3, true},
        FrequencyReadCase{"EightBytes", std::make_pair(DWORD{REG_QWORD}, littleEndian(2, 8)), true,
                          1, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct FrequencyWriteCase {
    const char* name;
    std::optional<std::uint32_t> days;
    std::uint32_t stored;
};

class CheckFrequencyWriteTest : public UpdateStateStoreTest,
                                public ::testing::WithParamInterface<FrequencyWriteCase> {};

TEST_P(CheckFrequencyWriteTest, StoresTheFrequencyBroughtIntoOneToThree) {
    const FrequencyWriteCase& c = GetParam();
    EXPECT_TRUE(store.writeCheckFrequency(c.days));
    EXPECT_EQ(state(), L"CheckFrequency REG_DWORD " + std::to_wstring(c.stored));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckFrequencyWriteTest,
    ::testing::Values(FrequencyWriteCase{"None", std::nullopt, 1}, FrequencyWriteCase{"Zero", 0, 1},
                      FrequencyWriteCase{"One", 1, 1}, FrequencyWriteCase{"Two", 2, 2},
                      FrequencyWriteCase{"Three", 3, 3}, FrequencyWriteCase{"Nine", 9, 3},
                      FrequencyWriteCase{"Largest", 0xFFFFFFFF, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// The attempt counter and the time stamp.

TEST_F(UpdateStateStoreTest, ReadingAttemptsGivesTheStoredCountOrLeavesTheCountAlone) {
    std::uint32_t count = 42;
    EXPECT_FALSE(store.readUpdateAttempts(count));
    EXPECT_EQ(count, 42u);
    registry.createKeyPath(kStateKey);
    EXPECT_FALSE(store.readUpdateAttempts(count));
    EXPECT_EQ(count, 42u);
    registry.putValue(kStateKey, L"UpdateAttempts", REG_QWORD, littleEndian(5, 8));
    EXPECT_FALSE(store.readUpdateAttempts(count));
    EXPECT_EQ(count, 42u);
    registry.putDword(kStateKey, L"UpdateAttempts", 6);
    EXPECT_TRUE(store.readUpdateAttempts(count));
    EXPECT_EQ(count, 6u);
}

struct IncrementCase {
    const char* name;
    std::optional<std::vector<BYTE>> stored;
    std::uint32_t after;
};

class IncrementAttemptsTest : public UpdateStateStoreTest,
                              public ::testing::WithParamInterface<IncrementCase> {};

TEST_P(IncrementAttemptsTest, StoresOneMoreThanTheCountThatCanBeRead) {
    const IncrementCase& c = GetParam();
    if (c.stored) registry.putValue(kStateKey, L"UpdateAttempts", REG_DWORD, *c.stored);
    EXPECT_TRUE(store.incrementUpdateAttempts());
    EXPECT_EQ(state(), L"UpdateAttempts REG_DWORD " + std::to_wstring(c.after));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IncrementAttemptsTest,
    ::testing::Values(IncrementCase{"NoKeyStartsAtOne", std::nullopt, 1},
                      IncrementCase{"Zero", littleEndian(0, 4), 1},
                      IncrementCase{"Six", littleEndian(6, 4), 7},
                      IncrementCase{"LargestWrapsToZero", littleEndian(0xFFFFFFFF, 4), 0},
                      IncrementCase{"TwoBytes", std::vector<BYTE>{0x01, 0x01}, 0x0102},
                      IncrementCase{"UnreadableStartsAtOne", littleEndian(6, 8), 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UpdateStateStoreTest, WritesStoreTheirValuesWithTheirTypesAndSizes) {
    clock.now = kNow;
    EXPECT_TRUE(store.writeUpdateAttempts(0xFFFFFFFF));
    EXPECT_TRUE(store.writeLastUpdateCheck(false));
    EXPECT_TRUE(store.writeCheckFrequency(2));
    EXPECT_EQ(state(), L"UpdateAttempts REG_DWORD 4294967295, LastUpdateCheck REG_QWORD " +
                           std::to_wstring(kNow) + L", CheckFrequency REG_DWORD 2");
    // A reset stamp means "never checked".
    EXPECT_TRUE(store.writeLastUpdateCheck(true));
    EXPECT_TRUE(store.writeUpdateAttempts(0));
    EXPECT_EQ(
        state(),
        L"UpdateAttempts REG_DWORD 0, LastUpdateCheck REG_QWORD 0, CheckFrequency REG_DWORD 2");
}

// Deleting the state.

struct DeleteCase {
    const char* name;
    std::vector<const wchar_t*> stored;
    bool deleted;
    std::vector<std::wstring> left;  // upper case, sorted
};

class DeleteUpdateStateTest : public UpdateStateStoreTest,
                              public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteUpdateStateTest, DeletesInOrderAndStopsAtTheFirstMissingValue) {
    const DeleteCase& c = GetParam();
    if (!c.stored.empty()) registry.createKeyPath(kStateKey);
    for (const wchar_t* name : c.stored) registry.putDword(kStateKey, name, 1);
    EXPECT_EQ(store.deleteUpdateState(), c.deleted);
    EXPECT_EQ(registry.valueNames(kStateKey), c.left);
    EXPECT_EQ(registry.hasKey(kStateKey), !c.stored.empty()) << "the key is never created";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteUpdateStateTest,
    ::testing::Values(
        DeleteCase{"AllThree",
                   {L"UpdateAttempts", L"LastUpdateCheck", L"CheckFrequency", L"Other"},
                   true,
                   {L"OTHER"}},
        DeleteCase{"NoKey", {}, false, {}},
        DeleteCase{"NoAttempts",
                   {L"LastUpdateCheck", L"CheckFrequency"},
                   false,
                   {L"CHECKFREQUENCY", L"LASTUPDATECHECK"}},
        DeleteCase{
            "NoLastCheck", {L"UpdateAttempts", L"CheckFrequency"}, false, {L"CHECKFREQUENCY"}},
        DeleteCase{"NoFrequency", {L"UpdateAttempts", L"LastUpdateCheck"}, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Every operation opens the key with the right access, does one thing and
// closes the key again.

using Operation = std::function<std::wstring(UpdateStateStore&)>;

std::wstring answer(bool result) { return result ? L"true" : L"false"; }

struct OperationCase {
    const char* name;
    Operation operation;
    std::vector<std::wstring> calls;
};

class StateOperationCallsTest : public UpdateStateStoreTest,
                                public ::testing::WithParamInterface<OperationCase> {};

const std::wstring kOpenForReading = L"RegOpenKeyExW HKLM\\SOFTWARE\\Norwend\\VireoPlayer KEY_READ";
const std::wstring kOpenForWriting =
    L"RegOpenKeyExW HKLM\\SOFTWARE\\Norwend\\VireoPlayer KEY_SET_VALUE";
const std::wstring kCreate = L"RegCreateKeyExW HKLM\\SOFTWARE\\Norwend\\VireoPlayer KEY_SET_VALUE";
const std::wstring kClose = L"RegCloseKey HKLM\\SOFTWARE\\Norwend\\VireoPlayer";

TEST_P(StateOperationCallsTest, OpensActsAndCloses) {
    const OperationCase& c = GetParam();
    storeAll(3, kNow, 2);
    registry.clearTrace();
    c.operation(store);
    EXPECT_EQ(registry.trace(), c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StateOperationCallsTest,
    ::testing::Values(
        OperationCase{"IsUpdateCheckDue",
                      [](UpdateStateStore& s) { return answer(s.isUpdateCheckDue()); },
                      {kOpenForReading, L"RegQueryValueExW LastUpdateCheck 8", kClose,
                       kOpenForReading, L"RegQueryValueExW CheckFrequency 4", kClose}},
        OperationCase{"ReadCheckFrequency",
                      [](UpdateStateStore& s) {
                          std::uint32_t days = 0;
                          return answer(s.readCheckFrequency(days));
                      },
                      {kOpenForReading, L"RegQueryValueExW CheckFrequency 4", kClose}},
        OperationCase{"WriteCheckFrequency",
                      [](UpdateStateStore& s) { return answer(s.writeCheckFrequency(2)); },
                      {kCreate, L"RegSetValueExW CheckFrequency REG_DWORD 4", kClose}},
        OperationCase{"ReadUpdateAttempts",
                      [](UpdateStateStore& s) {
                          std::uint32_t count = 0;
                          return answer(s.readUpdateAttempts(count));
                      },
                      {kOpenForReading, L"RegQueryValueExW UpdateAttempts 4", kClose}},
        OperationCase{"WriteUpdateAttempts",
                      [](UpdateStateStore& s) { return answer(s.writeUpdateAttempts(0)); },
                      {kCreate, L"RegSetValueExW UpdateAttempts REG_DWORD 4", kClose}},
        OperationCase{"IncrementUpdateAttempts",
                      [](UpdateStateStore& s) { return answer(s.incrementUpdateAttempts()); },
                      {kOpenForReading, L"RegQueryValueExW UpdateAttempts 4", kClose, kCreate,
                       L"RegSetValueExW UpdateAttempts REG_DWORD 4", kClose}},
        OperationCase{"WriteLastUpdateCheck",
                      [](UpdateStateStore& s) { return answer(s.writeLastUpdateCheck(true)); },
                      {kCreate, L"RegSetValueExW LastUpdateCheck REG_QWORD 8", kClose}},
        OperationCase{"DeleteUpdateState",
                      [](UpdateStateStore& s) { return answer(s.deleteUpdateState()); },
                      {kOpenForWriting, L"RegDeleteValueW UpdateAttempts", kClose, kOpenForWriting,
                       L"RegDeleteValueW LastUpdateCheck", kClose, kOpenForWriting,
                       L"RegDeleteValueW CheckFrequency", kClose}}),
    [](const auto& info) { return std::string(info.param.name); });

// Any single registry call failing: the answer, what is stored afterwards, no
// key left open. Before each case the store holds 6 attempts, a check two days
// ago and a frequency of 3 days, so no check is due.

struct FailureCase {
    const char* name;
    Operation operation;
    const char* call;
    int occurrence;
    std::wstring answer;
    std::wstring state;
};

class StateFailureTest : public UpdateStateStoreTest,
                         public ::testing::WithParamInterface<FailureCase> {};

const std::wstring kAsBefore = L"UpdateAttempts REG_DWORD 6, LastUpdateCheck REG_QWORD " +
                               std::to_wstring(kNow - 2 * kDay) + L", CheckFrequency REG_DWORD 3";

std::wstring stateWith(const std::wstring& attempts, const std::wstring& lastCheck,
                       const std::wstring& frequency) {
    std::wstring text;
    for (const std::wstring& part : {attempts, lastCheck, frequency}) {
        if (part.empty()) continue;
        if (!text.empty()) text += L", ";
        text += part;
    }
    return text;
}

const std::wstring kAttempts6 = L"UpdateAttempts REG_DWORD 6";
const std::wstring kLastCheckBefore =
    L"LastUpdateCheck REG_QWORD " + std::to_wstring(kNow - 2 * kDay);
const std::wstring kFrequency3 = L"CheckFrequency REG_DWORD 3";

TEST_P(StateFailureTest, AFailedCallGivesItsAnswerAndLeavesNoKeyOpen) {
    const FailureCase& c = GetParam();
    storeAll(6, kNow - 2 * kDay, 3);
    registry.script.failCall(c.call, ERROR_ACCESS_DENIED, c.occurrence);
    EXPECT_EQ(c.operation(store), c.answer);
    EXPECT_EQ(state(), c.state);
}

Operation due() {
    return [](UpdateStateStore& s) { return s.isUpdateCheckDue() ? L"due" : L"not due"; };
}
Operation readFrequency() {
    return [](UpdateStateStore& s) {
        std::uint32_t days = 99;
        const bool read = s.readCheckFrequency(days);
        return answer(read) + L" " + std::to_wstring(days);
    };
}
Operation readAttempts() {
    return [](UpdateStateStore& s) {
        std::uint32_t count = 42;
        const bool read = s.readUpdateAttempts(count);
        return answer(read) + L" " + std::to_wstring(count);
    };
}
Operation increment() {
    return [](UpdateStateStore& s) { return answer(s.incrementUpdateAttempts()); };
}
Operation writeAttempts() {
    return [](UpdateStateStore& s) { return answer(s.writeUpdateAttempts(0)); };
}
Operation writeFrequency() {
    return [](UpdateStateStore& s) { return answer(s.writeCheckFrequency(1)); };
}
Operation resetLastCheck() {
    return [](UpdateStateStore& s) { return answer(s.writeLastUpdateCheck(true)); };
}
Operation deleteAll() {
    return [](UpdateStateStore& s) { return answer(s.deleteUpdateState()); };
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StateFailureTest,
    ::testing::Values(
        // No stamp read: never checked, so due. No frequency read: one day.
        FailureCase{"DueOpenOfStamp", due(), "RegOpenKeyExW", 1, L"due", kAsBefore},
        FailureCase{"DueReadOfStamp", due(), "RegQueryValueExW", 1, L"due", kAsBefore},
        FailureCase{"DueOpenOfFrequency", due(), "RegOpenKeyExW", 2, L"due", kAsBefore},
        FailureCase{"DueReadOfFrequency", due(), "RegQueryValueExW", 2, L"due", kAsBefore},
        FailureCase{"DueClose", due(), "RegCloseKey", 1, L"not due", kAsBefore},
        FailureCase{"FrequencyOpen", readFrequency(), "RegOpenKeyExW", 1, L"false 1", kAsBefore},
        FailureCase{"FrequencyRead", readFrequency(), "RegQueryValueExW", 1, L"false 1", kAsBefore},
        FailureCase{"AttemptsOpen", readAttempts(), "RegOpenKeyExW", 1, L"false 42", kAsBefore},
        FailureCase{"AttemptsRead", readAttempts(), "RegQueryValueExW", 1, L"false 42", kAsBefore},
        // An increment that cannot read the count starts again at 1.
        FailureCase{"IncrementOpen", increment(), "RegOpenKeyExW", 1, L"true",
                    stateWith(L"UpdateAttempts REG_DWORD 1", kLastCheckBefore, kFrequency3)},
        FailureCase{"IncrementRead", increment(), "RegQueryValueExW", 1, L"true",
                    stateWith(L"UpdateAttempts REG_DWORD 1", kLastCheckBefore, kFrequency3)},
        FailureCase{"IncrementCreate", increment(), "RegCreateKeyExW", 1, L"false", kAsBefore},
        FailureCase{"IncrementSet", increment(), "RegSetValueExW", 1, L"false", kAsBefore},
        FailureCase{"IncrementClose", increment(), "RegCloseKey", 2, L"true",
                    stateWith(L"UpdateAttempts REG_DWORD 7", kLastCheckBefore, kFrequency3)},
        FailureCase{"WriteAttemptsCreate", writeAttempts(), "RegCreateKeyExW", 1, L"false",
                    kAsBefore},
        FailureCase{"WriteAttemptsSet", writeAttempts(), "RegSetValueExW", 1, L"false", kAsBefore},
        FailureCase{"WriteFrequencyCreate", writeFrequency(), "RegCreateKeyExW", 1, L"false",
                    kAsBefore},
        FailureCase{"WriteFrequencySet", writeFrequency(), "RegSetValueExW", 1, L"false",
                    kAsBefore},
        FailureCase{"ResetLastCheckCreate", resetLastCheck(), "RegCreateKeyExW", 1, L"false",
                    kAsBefore},
        FailureCase{"ResetLastCheckSet", resetLastCheck(), "RegSetValueExW", 1, L"false",
                    kAsBefore},
        FailureCase{"ResetLastCheckClose", resetLastCheck(), "RegCloseKey", 1, L"true",
                    stateWith(kAttempts6, L"LastUpdateCheck REG_QWORD 0", kFrequency3)},
        FailureCase{"DeleteFirstOpen", deleteAll(), "RegOpenKeyExW", 1, L"false", kAsBefore},
        FailureCase{"DeleteAttempts", deleteAll(), "RegDeleteValueW", 1, L"false", kAsBefore},
        FailureCase{"DeleteSecondOpen", deleteAll(), "RegOpenKeyExW", 2, L"false",
                    stateWith(L"", kLastCheckBefore, kFrequency3)},
        FailureCase{"DeleteLastCheck", deleteAll(), "RegDeleteValueW", 2, L"false",
                    stateWith(L"", kLastCheckBefore, kFrequency3)},
        FailureCase{"DeleteThirdOpen", deleteAll(), "RegOpenKeyExW", 3, L"false", kFrequency3},
        FailureCase{"DeleteFrequency", deleteAll(), "RegDeleteValueW", 3, L"false", kFrequency3},
        FailureCase{"DeleteClose", deleteAll(), "RegCloseKey", 3, L"true", L""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UpdateStateStoreTest, CurrentFileTimeIsTheClocksCountInOneNumber) {
    clock.now = 0x01D9A2B3C4D5E6F7ULL;
    EXPECT_EQ(UpdateStateStore::currentFileTime(), 0x01D9A2B3C4D5E6F7ULL);
}

}  // namespace
