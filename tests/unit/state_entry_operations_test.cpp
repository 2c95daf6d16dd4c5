// The product's update-state commands of "-createDefaultTask" and
// "-deleteTask", as the entry point calls them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "service/entry_operations.h"
#include "tests/fakes/fake_registry.h"

namespace {

const wchar_t kStateKey[] = L"HKLM\\SOFTWARE\\Norwend\\VireoPlayer";

class StateEntryOperationsTest : public ::testing::Test {
  protected:
    fakes::FakeRegistry registry;
    platform::ScopedFacility<platform::Registry> registryInForce{registry};
    EntryOperations& operations = productEntryOperations();

    void TearDown() override { EXPECT_EQ(registry.openKeys(), 0); }

    std::vector<BYTE> stored(const wchar_t* name, DWORD type) const {
        const auto value = registry.value(kStateKey, name);
        if (!value) return {};
        EXPECT_EQ(value->type, type) << name;
        return value->data;
    }
};

TEST_F(StateEntryOperationsTest, ResettingStoresNoAttemptsNeverCheckedAndOneDay) {
    registry.putDword(kStateKey, L"UpdateAttempts", 7);
    registry.putQword(kStateKey, L"LastUpdateCheck", 133316550050000000ULL);
    registry.putDword(kStateKey, L"CheckFrequency", 3);

    EXPECT_TRUE(operations.writeUpdateAttempts(0));
    EXPECT_TRUE(operations.resetLastUpdateCheck());
    EXPECT_TRUE(operations.writeDefaultCheckFrequency());

    EXPECT_EQ(stored(L"UpdateAttempts", REG_DWORD), (std::vector<BYTE>{0, 0, 0, 0}));
    EXPECT_EQ(stored(L"LastUpdateCheck", REG_QWORD), (std::vector<BYTE>{0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(stored(L"CheckFrequency", REG_DWORD), (std::vector<BYTE>{1, 0, 0, 0}));
}

TEST_F(StateEntryOperationsTest, ResettingAnswersFalseWhenTheKeyCannotBeWritten) {
    registry.script.failAlways("RegCreateKeyExW", ERROR_ACCESS_DENIED);
    EXPECT_FALSE(operations.writeUpdateAttempts(0));
    EXPECT_FALSE(operations.resetLastUpdateCheck());
    EXPECT_FALSE(operations.writeDefaultCheckFrequency());
    EXPECT_FALSE(registry.hasKey(kStateKey));
}

TEST_F(StateEntryOperationsTest, DeletingRemovesTheThreeValues) {
    registry.putDword(kStateKey, L"UpdateAttempts", 0);
    registry.putQword(kStateKey, L"LastUpdateCheck", 0);
    registry.putDword(kStateKey, L"CheckFrequency", 1);
    EXPECT_TRUE(operations.deleteUpdateState());
    EXPECT_TRUE(registry.valueNames(kStateKey).empty());
    // Nothing left to delete.
    EXPECT_FALSE(operations.deleteUpdateState());
}

}  // namespace
