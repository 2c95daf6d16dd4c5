#include "update/needs_update.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/fake_registry.h"

namespace {

const wchar_t kActiveXKey[] = L"HKLM\\Software\\Norwend\\VireoPlayerActiveX";
const wchar_t kPluginKey[] = L"HKLM\\Software\\Norwend\\VireoPlayerPlugin";

ComponentVersion announced(std::uint32_t flavourCode, std::uint32_t major, std::uint32_t minor,
                           std::uint32_t buildMajor, std::uint32_t buildMinor) {
    ComponentVersion v;
    v.major = major;
    v.minor = minor;
    v.buildMajor = buildMajor;
    v.buildMinor = buildMinor;
    v.flavourCode = flavourCode;
    return v;
}

struct NeedCase {
    const char* name;
    const wchar_t* activeX;  // installed "Version" texts; null: no key
    const wchar_t* plugin;
    ComponentVersion available;
    bool needed;
};

class NeedsUpdateTest : public ::testing::TestWithParam<NeedCase> {
  protected:
    fakes::FakeRegistry registry;
    platform::ScopedFacility<platform::Registry> registryInForce{registry};
};

TEST_P(NeedsUpdateTest, OnlyAnInstalledOlderFlavourNeedsAnUpdate) {
    const NeedCase& c = GetParam();
    if (c.activeX) registry.putString(kActiveXKey, L"Version", c.activeX);
    if (c.plugin) registry.putString(kPluginKey, L"Version", c.plugin);
    EXPECT_EQ(needsUpdate(c.available), c.needed);
    EXPECT_EQ(registry.openKeys(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NeedsUpdateTest,
    ::testing::Values(
        NeedCase{"NewerBuildMinor", L"4.7.120.35", nullptr, announced(1, 4, 7, 120, 36), true},
        NeedCase{"Same", L"4.7.120.35", nullptr, announced(1, 4, 7, 120, 35), false},
        NeedCase{"NewerMinor", L"4.7.999.999", nullptr, announced(1, 4, 8, 0, 0), true},
        NeedCase{"Older", L"4.0.0.0", nullptr, announced(1, 3, 9, 9, 9), false},
        NeedCase{"NotInstalled", nullptr, nullptr, announced(1, 9, 0, 0, 0), false},
        NeedCase{"InstalledAsZero", L"0.0.0.0", nullptr, announced(1, 9, 0, 0, 0), false},
        NeedCase{"UnreadableText", L"1.2.3.4.", nullptr, announced(1, 9, 0, 0, 0), false},
        // Each flavour against its own installed version.
        NeedCase{"PluginOlder", L"1.0.0.0", L"4.7.120.35", announced(2, 4, 7, 120, 36), true},
        NeedCase{"PluginCurrent", L"1.0.0.0", L"4.7.120.36", announced(2, 4, 7, 120, 36), false},
        NeedCase{"PluginNotInstalled", L"1.0.0.0", nullptr, announced(2, 4, 7, 120, 36), false},
        NeedCase{"UnknownFlavour", L"1.0.0.0", L"1.0.0.0", announced(3, 9, 0, 0, 0), false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
