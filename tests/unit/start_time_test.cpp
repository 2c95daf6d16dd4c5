// The random start minute of the task's trigger, for both generations, with a
// random source that answers as told or fails.
#include "scheduled_task/start_time.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "platform/facility.h"
#include "tests/fakes/fake_system_queries.h"

namespace {

using Draw = std::optional<unsigned int>;
const Draw kFails = std::nullopt;

TEST(StartTimeTest, StartBoundaryTakesOneDrawPerDigitOfTheMinutes) {
    struct Case {
        Draw tens;
        Draw units;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {4u, 17u, L"2000-01-01T00:47:00Z"},
        {0u, 0u, L"2000-01-01T00:00:00Z"},
        {5u, 9u, L"2000-01-01T00:59:00Z"},
        {6u, 10u, L"2000-01-01T00:00:00Z"},
        {0xFFFFFFFFu, 0xFFFFFFFFu, L"2000-01-01T00:35:00Z"},  // 4294967295 % 6 and % 10
        // A failed draw zeroes only its own digit.
        {kFails, 7u, L"2000-01-01T00:07:00Z"},
        {3u, kFails, L"2000-01-01T00:30:00Z"},
        {kFails, kFails, L"2000-01-01T00:00:00Z"},
    };
    for (const Case& c : cases) {
        fakes::FakeRandomSource random;
        random.draws = {c.tens, c.units};
        platform::ScopedFacility<platform::RandomSource> inForce(random);

        EXPECT_EQ(makeStartBoundary(), c.expected);
        EXPECT_EQ(random.calls, 2);
    }
}

TEST(StartTimeTest, EveryMinuteOfTheHourCanBeTheStartBoundary) {
    std::set<std::wstring> seen;
    for (unsigned int tens = 0; tens < 6; ++tens) {
        for (unsigned int units = 0; units < 10; ++units) {
            fakes::FakeRandomSource random;
            random.draws = {tens + 600u, units + 1000u};
            platform::ScopedFacility<platform::RandomSource> inForce(random);
            seen.insert(makeStartBoundary().substr(14, 2));
        }
    }
    EXPECT_EQ(seen.size(), 60u);
    EXPECT_EQ(*seen.begin(), L"00");
    EXPECT_EQ(*seen.rbegin(), L"59");
}

TEST(StartTimeTest, StartMinuteIsOneDrawModuloSixty) {
    struct Case {
        Draw draw;
        WORD expected;
    };
    const Case cases[] = {
        {125u, 5}, {59u, 59}, {60u, 0}, {0xFFFFFFFFu, 15}, {kFails, 0},
    };
    for (const Case& c : cases) {
        fakes::FakeRandomSource random;
        random.draws = {c.draw};
        platform::ScopedFacility<platform::RandomSource> inForce(random);

        EXPECT_EQ(drawStartMinute(), c.expected);
        EXPECT_EQ(random.calls, 1);
    }
}

}  // namespace
