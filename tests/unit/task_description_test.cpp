// The task's description from the program's string table.
#include "scheduled_task/task_description.h"

#include <gtest/gtest.h>

#include "platform/facility.h"
#include "tests/fakes/fake_system_queries.h"

namespace {

TEST(TaskDescriptionTest, StoredTextOfString110FromTheProgramsOwnModule) {
    fakes::FakeStringResources strings;
    strings.text = L"This task keeps your installation up to date.";
    platform::ScopedFacility<platform::StringResources> inForce(strings);

    // Exactly the stored characters: the stored text has no terminator.
    EXPECT_EQ(loadTaskDescription(), L"This task keeps your installation up to date.");
    EXPECT_EQ(strings.lastId, 110u);
    EXPECT_EQ(strings.lastModule, fakes::FakeStringResources::module());
    EXPECT_EQ(strings.lastBufferMax, 0);
}

TEST(TaskDescriptionTest, MissingStringGivesMissingLocalization) {
    fakes::FakeStringResources strings;
    strings.text.reset();
    platform::ScopedFacility<platform::StringResources> inForce(strings);

    EXPECT_EQ(loadTaskDescription(), L"MISSING LOCALIZATION");
}

}  // namespace
