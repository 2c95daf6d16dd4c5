// The registry facility, and the fake that stands in for it: the same cases
// run against the real registry (a scratch key under HKEY_CURRENT_USER) and
// against the fake, so the fake answers as Windows does.
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/fakes/fake_registry.h"

namespace {

enum class Backend { real, fake };

class RegistryFacilityTest : public ::testing::TestWithParam<Backend> {
  protected:
    const std::wstring base =
        L"Software\\VireoRegistryFacilityTest-" + std::to_wstring(::GetCurrentProcessId());

    fakes::FakeRegistry fake;
    platform::Registry& registry = GetParam() == Backend::real
                                       ? platform::Registry::win32()
                                       : static_cast<platform::Registry&>(fake);
    platform::ScopedFacility<platform::Registry> inForce{registry};

    void SetUp() override { removeScratchKey(); }
    void TearDown() override {
        removeScratchKey();
        EXPECT_EQ(fake.openKeys(), 0);
        EXPECT_EQ(fake.invalidCloses(), 0);
    }
    void removeScratchKey() {
        if (GetParam() == Backend::real) ::RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
    }

    platform::UniqueKey create(const std::wstring& subkey, REGSAM access,
                               DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(registry.createKey(HKEY_CURRENT_USER, (base + subkey).c_str(), access, &key,
                                     disposition),
                  ERROR_SUCCESS);
        return platform::UniqueKey(key);
    }
    LSTATUS open(const std::wstring& subkey, REGSAM access, platform::UniqueKey& key) {
        HKEY opened = nullptr;
        const LSTATUS status =
            registry.openKey(HKEY_CURRENT_USER, (base + subkey).c_str(), access, &opened);
        if (status == ERROR_SUCCESS) key.reset(opened);
        return status;
    }
    void set(const wchar_t* name, DWORD type, const std::vector<BYTE>& bytes) {
        platform::UniqueKey key = create(L"", KEY_SET_VALUE);
        ASSERT_EQ(registry.setValue(key.get(), name, type, bytes.data(),
                                    static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }
};

TEST_P(RegistryFacilityTest, OpeningAMissingKeyFindsNothing) {
    platform::UniqueKey key;
    EXPECT_EQ(open(L"\\Missing", KEY_READ, key), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(key.valid());
}

TEST_P(RegistryFacilityTest, CreatingMakesTheMissingKeysAboveAndTellsWhetherItDid) {
    DWORD disposition = 0;
    create(L"\\Outer\\Inner", KEY_SET_VALUE, &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    create(L"\\Outer\\Inner", KEY_SET_VALUE, &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    platform::UniqueKey outer;
    EXPECT_EQ(open(L"\\Outer", KEY_READ, outer), ERROR_SUCCESS);
}

TEST_P(RegistryFacilityTest, ReadGivesTypeSizeAndBytesAsStoredWithoutAddingATerminator) {
    // "4.7" as UTF-16 without a terminating NUL. Stored as binary: storing a
    // REG_SZ, Windows itself counts a terminator the caller left out when the
    // unit after the data happens to be one.
    const std::vector<BYTE> text = {'4', 0, '.', 0, '7', 0};
    set(L"Version", REG_BINARY, text);
    platform::UniqueKey key;
    ASSERT_EQ(open(L"", KEY_READ, key), ERROR_SUCCESS);

    DWORD size = 0;
    EXPECT_EQ(registry.queryValue(key.get(), L"Version", nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);

    BYTE buffer[1024];
    DWORD type = REG_NONE;
    size = sizeof(buffer);
    // Names are not case-sensitive.
    ASSERT_EQ(registry.queryValue(key.get(), L"VERSION", &type, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(size, 6u);
    EXPECT_EQ(std::vector<BYTE>(buffer, buffer + size), text);
}

TEST_P(RegistryFacilityTest, AValueLargerThanTheBufferGivesMoreDataAndTheSizeNeeded) {
    set(L"Stamp", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8});
    platform::UniqueKey key;
    ASSERT_EQ(open(L"", KEY_READ, key), ERROR_SUCCESS);
    BYTE buffer[4] = {};
    DWORD size = sizeof(buffer);
    EXPECT_EQ(registry.queryValue(key.get(), L"Stamp", nullptr, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 8u);
}

TEST_P(RegistryFacilityTest, AShorterValueFillsTheFrontOfTheBuffer) {
    set(L"Small", REG_BINARY, {0x34, 0x12});
    platform::UniqueKey key;
    ASSERT_EQ(open(L"", KEY_READ, key), ERROR_SUCCESS);
    BYTE buffer[4] = {};
    DWORD size = sizeof(buffer);
    ASSERT_EQ(registry.queryValue(key.get(), L"Small", nullptr, buffer, &size), ERROR_SUCCESS);
    ASSERT_EQ(size, 2u);
    EXPECT_EQ(buffer[0], 0x34);
    EXPECT_EQ(buffer[1], 0x12);
}

TEST_P(RegistryFacilityTest, MissingValuesAreNotFound) {
    create(L"", KEY_SET_VALUE);
    platform::UniqueKey key;
    ASSERT_EQ(open(L"", KEY_READ | KEY_SET_VALUE, key), ERROR_SUCCESS);
    BYTE buffer[4];
    DWORD size = sizeof(buffer);
    EXPECT_EQ(registry.queryValue(key.get(), L"Missing", nullptr, buffer, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry.deleteValue(key.get(), L"Missing"), ERROR_FILE_NOT_FOUND);
}

TEST_P(RegistryFacilityTest, TheKeyOnlyAllowsWhatItWasOpenedFor) {
    set(L"Count", REG_DWORD, {1, 0, 0, 0});
    const BYTE data[4] = {2, 0, 0, 0};

    platform::UniqueKey reading;
    ASSERT_EQ(open(L"", KEY_READ, reading), ERROR_SUCCESS);
    EXPECT_EQ(registry.setValue(reading.get(), L"Count", REG_DWORD, data, sizeof(data)),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(registry.deleteValue(reading.get(), L"Count"), ERROR_ACCESS_DENIED);

    platform::UniqueKey writing;
    ASSERT_EQ(open(L"", KEY_SET_VALUE, writing), ERROR_SUCCESS);
    BYTE buffer[4];
    DWORD size = sizeof(buffer);
    EXPECT_EQ(registry.queryValue(writing.get(), L"Count", nullptr, buffer, &size),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(registry.deleteValue(writing.get(), L"Count"), ERROR_SUCCESS);
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryFacilityTest,
                         ::testing::Values(Backend::real, Backend::fake), [](const auto& info) {
                             return info.param == Backend::real ? "Real" : "Fake";
                         });

// What only the fake does: planned failures, the call record, the count of
// keys left open.
TEST(FakeRegistryTest, APlannedFailureAnswersItsStatusAndLeavesTheLastErrorAlone) {
    fakes::FakeRegistry registry;
    registry.createKeyPath(L"HKLM\\Software\\Test");
    registry.script.failCall("RegOpenKeyExW", ERROR_ACCESS_DENIED, 2);
    HKEY first = nullptr;
    HKEY second = nullptr;
    ::SetLastError(1234);
    EXPECT_EQ(registry.openKey(HKEY_LOCAL_MACHINE, L"Software\\Test", KEY_READ, &first),
              ERROR_SUCCESS);
    EXPECT_EQ(registry.openKey(HKEY_LOCAL_MACHINE, L"Software\\Test", KEY_READ, &second),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(::GetLastError(), 1234u);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(registry.openKeys(), 1);
    EXPECT_EQ(registry.closeKey(first), ERROR_SUCCESS);
    EXPECT_EQ(registry.closeKey(first), ERROR_INVALID_HANDLE);
    EXPECT_EQ(registry.openKeys(), 0);
    EXPECT_EQ(registry.invalidCloses(), 1);
    const std::vector<std::wstring> expected = {
        L"RegOpenKeyExW HKLM\\Software\\Test KEY_READ",
        L"RegOpenKeyExW HKLM\\Software\\Test KEY_READ",
        L"RegCloseKey HKLM\\Software\\Test",
        L"RegCloseKey ?",
    };
    EXPECT_EQ(registry.trace(), expected);
}

TEST(FakeRegistryTest, BytesOfTheBufferThatTheReadDidNotGiveAreMarked) {
    fakes::FakeRegistry registry;
    registry.putValue(L"HKLM\\Software\\Test", L"Small", REG_BINARY, {0x01});
    registry.putQword(L"HKLM\\Software\\Test", L"Large", 1);
    HKEY key = nullptr;
    ASSERT_EQ(registry.openKey(HKEY_LOCAL_MACHINE, L"Software\\Test", KEY_READ, &key),
              ERROR_SUCCESS);
    BYTE buffer[4] = {};
    DWORD size = sizeof(buffer);
    ASSERT_EQ(registry.queryValue(key, L"Small", nullptr, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::vector<BYTE>(buffer, buffer + 4), (std::vector<BYTE>{0x01, 0x00, 0x2E, 0x00}));
    size = sizeof(buffer);
    ASSERT_EQ(registry.queryValue(key, L"Large", nullptr, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(std::vector<BYTE>(buffer, buffer + 4), (std::vector<BYTE>{0xCD, 0xCD, 0xCD, 0xCD}));
    registry.closeKey(key);
}

}  // namespace
