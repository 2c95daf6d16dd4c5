#include "update/component_version.h"

#include <gtest/gtest.h>

#include <string>

#include "update/version_text.h"

namespace {

ComponentVersion version(std::uint32_t major, std::uint32_t minor, std::uint32_t buildMajor,
                         std::uint32_t buildMinor, std::uint32_t flavourCode = 0) {
    ComponentVersion v;
    v.major = major;
    v.minor = minor;
    v.buildMajor = buildMajor;
    v.buildMinor = buildMinor;
    v.flavourCode = flavourCode;
    return v;
}

std::string text(const ComponentVersion& v) {
    return std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.buildMajor) + "." + std::to_string(v.buildMinor);
}

struct OrderCase {
    const char* name;
    ComponentVersion older;
    ComponentVersion newer;
};

class CompareVersionsTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(CompareVersionsTest, OrdersByTheFourNumbersInBothDirections) {
    const OrderCase& c = GetParam();
    EXPECT_EQ(compareVersions(c.newer, c.older), 1);
    EXPECT_EQ(compareVersions(c.older, c.newer), -1);
    EXPECT_EQ(compareVersions(c.older, c.older), 0);
    EXPECT_EQ(compareVersions(c.newer, c.newer), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareVersionsTest,
    ::testing::Values(OrderCase{"BuildMinor", version(4, 7, 120, 35), version(4, 7, 120, 36)},
                      OrderCase{"BuildMajor", version(4, 7, 120, 99), version(4, 7, 121, 0)},
                      OrderCase{"Minor", version(4, 7, 999, 999), version(4, 8, 0, 0)},
                      OrderCase{"Major", version(3, 9, 9, 9), version(4, 0, 0, 0)},
                      OrderCase{"NotInstalled", version(0, 0, 0, 0), version(0, 0, 0, 1)},
                      // Unsigned: the top bit makes a number larger, not negative.
                      OrderCase{"UnsignedMajor", version(1, 0, 0, 0),
                                version(0x80000000u, 0, 0, 0)},
                      OrderCase{"UnsignedBuildMinor", version(1, 1, 1, 0x7FFFFFFFu),
                                version(1, 1, 1, 0xFFFFFFFFu)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CompareVersionsTest, TheFlavourCodeTakesNoPart) {
    EXPECT_EQ(compareVersions(version(4, 7, 120, 35, 1), version(4, 7, 120, 35, 2)), 0);
    EXPECT_TRUE(isNotInstalledVersion(version(0, 0, 0, 0, 2)));
    EXPECT_FALSE(isNotInstalledVersion(version(0, 0, 0, 1)));
    EXPECT_FALSE(isNotInstalledVersion(version(1, 0, 0, 0)));
}

// Parsing the dotted text. Texts of the registry come with their own tests in
// installed_version_test.cpp; these are the number rules of each part.

struct TextCase {
    const char* name;
    std::wstring text;
    bool accepted;
    std::string parsed;
};

class VersionTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(VersionTextTest, PartsAreReadAsUnsignedDecimalNumbers) {
    const TextCase& c = GetParam();
    ComponentVersion parsed = version(9, 9, 9, 9, 7);
    EXPECT_EQ(parseVersionText(c.text.data(), c.text.size(), parsed), c.accepted);
    EXPECT_EQ(text(parsed), c.accepted ? c.parsed : "9.9.9.9");
    EXPECT_EQ(parsed.flavourCode, 7u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionTextTest,
    ::testing::Values(
        TextCase{"Full", L"4.7.120.35", true, "4.7.120.35"},
        TextCase{"TwoParts", L"4.7", true, "4.7.0.0"}, TextCase{"Empty", L"", true, "0.0.0.0"},
        TextCase{"EmptyParts", L"1..3.4", true, "1.0.3.4"},
        TextCase{"OnlyDots", L"...", true, "0.0.0.0"},
        TextCase{"TrailingDot", L"1.2.3.4.", false, ""},
        TextCase{"FiveParts", L"1.2.3.4.5", false, ""},
        TextCase{"RestOfAPartIgnored", L"4.7.120.35 beta", true, "4.7.120.35"},
        TextCase{"LettersGiveZero", L"a.b7.7b.c", true, "0.0.7.0"},
        TextCase{"LeadingBlanks", L" \t4.\r\n7. 1.\v\f2", true, "4.7.1.2"},
        TextCase{"BlankAfterTheSign", L"+ 5", true, "0.0.0.0"},
        TextCase{"Plus", L"+4.+7", true, "4.7.0.0"},
        TextCase{"MinusOne", L"-1.2.3.4", true, "4294967295.2.3.4"},
        TextCase{"MinusNegatesModulo2To32", L"-4294967295.-0", true, "1.0.0.0"},
        TextCase{"TwoSigns", L"--1.+-2", true, "0.0.0.0"},
        TextCase{"SignAlone", L"-.+", true, "0.0.0.0"},
        TextCase{"Largest", L"4294967295", true, "4294967295.0.0.0"},
        TextCase{"OneAboveLargest", L"4294967296", true, "4294967295.0.0.0"},
        TextCase{"FarAboveLargest", L"99999999999999999999999.1", true, "4294967295.1.0.0"},
        TextCase{"NegativeOverflow", L"-4294967296", true, "4294967295.0.0.0"},
        TextCase{"LeadingZeros", L"0004.007", true, "4.7.0.0"},
        TextCase{"NonAsciiDigit", L"\xFF14.7", true, "0.7.0.0"},
        TextCase{"EndsAtTheFirstNul", std::wstring(L"4.7\0.1.2.3", 10), true, "4.7.0.0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VersionTextTest, ReadsNoFurtherThanTheLengthGiven) {
    // Neither terminated nor followed by anything that may be read.
    const wchar_t units[] = {L'4', L'.', L'7', L'.', L'1', L'.', L'2', L'.', L'3'};
    ComponentVersion parsed;
    EXPECT_TRUE(parseVersionText(units, 3, parsed));
    EXPECT_EQ(text(parsed), "4.7.0.0");
    EXPECT_TRUE(parseVersionText(units, 7, parsed));
    EXPECT_EQ(text(parsed), "4.7.1.2");
    EXPECT_FALSE(parseVersionText(units, 9, parsed));
    EXPECT_TRUE(parseVersionText(nullptr, 0, parsed));
    EXPECT_EQ(text(parsed), "0.0.0.0");
}

}  // namespace
