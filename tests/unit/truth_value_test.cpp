#include "policy/truth_value.h"

#include <gtest/gtest.h>

namespace {

TEST(TruthValueTest, WordsInAnyCaseAndNonZeroNumbersAreTrue) {
    const char* trueValues[] = {
        "true",
        "TRUE",
        "True",
        "t",
        "T",
        "yes",
        "YeS",
        "y",
        "Y",
        "1",
        "-1",
        "2",
        "+7",
        "007",
        " 5",
        "\t-3",
        "1 day",
        "2abc",
        "99999999999999999999",
        "-99999999999999999999",
    };
    for (const char* text : trueValues) EXPECT_TRUE(isTrueValue(text)) << text;
}

TEST(TruthValueTest, EverythingElseIsFalse) {
    const char* falseValues[] = {
        "",   "0",  "-0", "+0", "000",     "false",    "FALSE", "no",
        "n",  "f",  "on", "ON", "enabled", "yes!",     "true ", " true",
        "ye", "tr", "+",  "-",  "0x10",    "\xC3\xA9", "- 1",   "0 1",
    };
    for (const char* text : falseValues) EXPECT_FALSE(isTrueValue(text)) << text;
}

}  // namespace
