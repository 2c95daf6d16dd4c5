#include "scheduled_task/start_time.h"

#include "platform/facility.h"
#include "platform/random_source.h"

namespace {

const wchar_t kStartBoundaryTemplate[] = L"2000-01-01T00:00:00Z";
// Where the two digits of the minutes stand in the template.
constexpr std::size_t kMinuteTensPosition = 14;
constexpr std::size_t kMinuteUnitsPosition = 15;

// A value from the secure random source modulo `range`; 0 when it fails.
unsigned int drawBelow(unsigned int range) {
    unsigned int value = 0;
    if (platform::use<platform::RandomSource>().randS(&value) != 0) return 0;
    return value % range;
}

}  // namespace

std::wstring makeStartBoundary() {
    const unsigned int tens = drawBelow(6);
    const unsigned int units = drawBelow(10);
    std::wstring boundary = kStartBoundaryTemplate;
    boundary[kMinuteTensPosition] = static_cast<wchar_t>(L'0' + tens);
    boundary[kMinuteUnitsPosition] = static_cast<wchar_t>(L'0' + units);
    return boundary;
}

WORD drawStartMinute() { return static_cast<WORD>(drawBelow(60)); }
