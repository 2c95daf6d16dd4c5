#include "policy/string_map.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries listOf(const StringMap& table) {
    Entries entries;
    for (const StringMapEntry* entry = table.first(); entry != table.end(); entry = entry->next) {
        entries.emplace_back(entry->key.c_str(), entry->value.c_str());
    }
    return entries;
}

// The links and bucket heads agree with each other: the list runs forwards
// and backwards alike, ascends by bucket, each bucket head is the first entry
// of its run, and the sentinel closes the list.
void expectConsistent(const StringMap& table) {
    const StringMapEntry* previous = nullptr;
    const StringMapEntry* entry = table.first();
    std::uint32_t lastBucket = 0;
    for (; entry != table.end(); entry = entry->next) {
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->previous, previous);
        EXPECT_EQ(entry->bucket, StringMap::bucketOf(entry->key));
        EXPECT_GE(entry->bucket, lastBucket);
        const bool startsRun = previous == nullptr || previous->bucket != entry->bucket;
        if (startsRun) {
            EXPECT_EQ(table.bucketHead(entry->bucket), entry);
        }
        lastBucket = entry->bucket;
        previous = entry;
    }
    EXPECT_EQ(entry->previous, previous);
    EXPECT_EQ(entry->bucket, StringMap::kBucketCount);
    EXPECT_TRUE(entry->key.empty());
    EXPECT_TRUE(entry->value.empty());
    for (std::uint32_t bucket = 0; bucket < StringMap::kBucketCount; ++bucket) {
        const StringMapEntry* head = table.bucketHead(bucket);
        if (head != nullptr) {
            EXPECT_EQ(head->bucket, bucket);
        }
    }
}

TEST(StringMapTest, BucketIsTheByteSumModulo16) {
    EXPECT_EQ(StringMap::bucketOf("AutoUpdateDisable"), 0u);
    EXPECT_EQ(StringMap::bucketOf("SilentAutoUpdateEnable"), 2u);
    EXPECT_EQ(StringMap::bucketOf("SilentAutoUpdateVerboseLogging"), 8u);
    EXPECT_EQ(StringMap::bucketOf("SilentAutoUpdateServerDomain"), 10u);
    EXPECT_EQ(StringMap::bucketOf(""), 0u);
    // Bytes of 80 and above count as negative: C3 A9 is -61 + -87 = -148.
    EXPECT_EQ(StringMap::bucketOf("\xC3\xA9"), 12u);
    EXPECT_EQ(StringMap::bucketOf(OwnedString("\xFF", 1)), 15u);
}

struct InsertionCase {
    const char* name;
    std::vector<const char*> keys;  // inserted in this order, value "v" + key
    std::vector<const char*> listed;
};

// Failures name the case rather than dump its bytes.
void PrintTo(const InsertionCase& c, std::ostream* os) { *os << c.name; }

class StringMapInsertionTest : public ::testing::TestWithParam<InsertionCase> {};

// One-letter keys name their buckets: "0" and "P" fall in 0, "A", "Q" and "a"
// in 1, "B" in 2, "C" and "S" in 3, "O" and "_" in 15.
TEST_P(StringMapInsertionTest, ListIsOrderedByBucketNewestFirst) {
    const InsertionCase& c = GetParam();
    StringMap table;
    for (const char* key : c.keys) table.insertOrAssign(key, (std::string("v") + key).c_str());
    Entries expected;
    for (const char* key : c.listed) expected.emplace_back(key, std::string("v") + key);
    EXPECT_EQ(listOf(table), expected);
    expectConsistent(table);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StringMapInsertionTest,
    ::testing::Values(InsertionCase{"Empty", {}, {}}, InsertionCase{"One", {"A"}, {"A"}},
                      InsertionCase{"LowerBucketLaterGoesFirst", {"B", "A"}, {"A", "B"}},
                      InsertionCase{"SameBucketNewestFirst", {"A", "Q", "a"}, {"a", "Q", "A"}},
                      InsertionCase{"EmptyBucketBetweenTwo", {"O", "0", "C"}, {"0", "C", "O"}},
                      InsertionCase{"HighestBucketLast", {"A", "_"}, {"A", "_"}},
                      InsertionCase{"Mixed",
                                    {"A", "O", "C", "Q", "0", "P", "S", "_"},
                                    {"P", "0", "Q", "A", "S", "C", "_", "O"}}),
    [](const ::testing::TestParamInfo<InsertionCase>& info) { return info.param.name; });

TEST(StringMapTest, AssigningAnExistingKeyKeepsItsPlace) {
    StringMap table;
    table.insertOrAssign("A", "1");
    table.insertOrAssign("Q", "2");
    table.insertOrAssign("B", "3");
    const StringMapEntry* entry = table.insertOrAssign("A", "changed");
    EXPECT_EQ(entry->key, OwnedString("A"));
    EXPECT_EQ(listOf(table), (Entries{{"Q", "2"}, {"A", "changed"}, {"B", "3"}}));
    expectConsistent(table);
}

TEST(StringMapTest, FindComparesWholeKeysByteForByte) {
    StringMap table;
    table.insertOrAssign("SilentAutoUpdateEnable", "1");
    table.insertOrAssign("A", "x");
    EXPECT_EQ(table.find("SilentAutoUpdateEnable")->value, OwnedString("1"));
    // Same bucket (2), other key; other case; a prefix; an empty bucket.
    EXPECT_EQ(table.find("B"), table.end());
    EXPECT_EQ(table.find("silentautoupdateenable"), table.end());
    EXPECT_EQ(table.find("SilentAutoUpdate"), table.end());
    EXPECT_EQ(table.find("C"), table.end());
    // A missing key reads as the sentinel's empty value.
    EXPECT_TRUE(table.find("Missing")->value.empty());
}

}  // namespace
