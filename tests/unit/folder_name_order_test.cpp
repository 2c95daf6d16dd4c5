#include "filemanager/folder_name_order.h"

#include <gtest/gtest.h>

namespace {

int sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

TEST(FolderNameOrderTest, NamesBeforeNumbersNumbersByValue) {
    struct Case {
        const char* a;
        const char* b;
        int order;
    };
    const Case cases[] = {
        {"a", "b", -1},
        {"b", "a", 1},
        {"a", "a", 0},
        {"ab", "abc", -1},      // a prefix first
        {"B", "a", -1},         // bytes, so capitals first
        {"z", "\xC3\xA9", -1},  // unsigned bytes: C3 is above z
        {"b", "9", -1},         // a name before a number
        {"10", "b", 1},
        {"9", "10", -1},  // by value, not by bytes
        {"007", "7", 0},
        {"", "0", 0},                      // the empty name counts as the number 0
        {"1a", "10", -1},                  // "1a" is a name
        {"2147483647", "99999999999", 0},  // clamped to the largest value
        {"2147483646", "2147483647", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sign(SASM::compareNames(c.a, c.b)), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(sign(SASM::compareNames(c.b, c.a)), -c.order) << c.b << " vs " << c.a;
    }
}

}  // namespace
