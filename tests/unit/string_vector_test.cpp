#include "filemanager/string_vector.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StringVectorTest, StartsWithRoomForTen) {
    SASM::StringVector vector;
    EXPECT_EQ(vector.count(), 0u);
    EXPECT_EQ(vector.capacity(), 10u);
}

TEST(StringVectorTest, GrowsByDoublingAndKeepsItsOwnCopies) {
    SASM::StringVector vector;
    for (int i = 0; i < 25; ++i) {
        OwnedString text(std::to_string(i).c_str());
        EXPECT_TRUE(vector.add(text));
        // The caller's string is its own; the vector stored a copy.
        text.append("changed", 7);
    }
    EXPECT_EQ(vector.count(), 25u);
    EXPECT_EQ(vector.capacity(), 40u);
    for (std::uint32_t i = 0; i < vector.count(); ++i) {
        EXPECT_EQ(vector.at(i), OwnedString(std::to_string(i).c_str()));
    }
}

}  // namespace
