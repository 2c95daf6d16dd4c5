#include "update/update_cycle.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "policy/policy_settings.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/log_capture.h"

namespace {

const wchar_t kStateKey[] = L"HKLM\\SOFTWARE\\Norwend\\VireoPlayer";
const wchar_t kActiveXKey[] = L"HKLM\\Software\\Norwend\\VireoPlayerActiveX";
const wchar_t kPluginKey[] = L"HKLM\\Software\\Norwend\\VireoPlayerPlugin";
constexpr std::uint64_t kHour = 36000000000ULL;

// The manifest, installer and policy steps of the cycle, answering as told
// and recording what they were asked.
class FakeCycleParts : public UpdateCycleParts {
  public:
    bool manifestFetched = true;
    ComponentVersion activeX{4, 7, 120, 35, kFlavourActiveX};
    ComponentVersion plugin{4, 7, 120, 35, kFlavourPlugin};
    std::uint32_t checkFrequency = 2;
    bool installerStarted = true;
    DWORD installFailure = ERROR_FILE_NOT_FOUND;

    std::vector<std::uint32_t> installed;  // flavour codes, in order
    std::vector<int> modes;
    int manifestRequests = 0;

    bool fetchVersionManifest(std::unique_ptr<ComponentVersion>& activeXOut,
                              std::unique_ptr<ComponentVersion>& pluginOut,
                              std::unique_ptr<std::uint32_t>& checkFrequencyOut) override {
        ++manifestRequests;
        EXPECT_FALSE(activeXOut || pluginOut || checkFrequencyOut) << "results start empty";
        if (!manifestFetched) return false;
        activeXOut = std::make_unique<ComponentVersion>(activeX);
        pluginOut = std::make_unique<ComponentVersion>(plugin);
        checkFrequencyOut = std::make_unique<std::uint32_t>(checkFrequency);
        return true;
    }
    bool installFlavour(const ComponentVersion& release) override {
        installed.push_back(release.flavourCode);
        if (!installerStarted) ::SetLastError(installFailure);
        return installerStarted;
    }
    bool setUpdateMode(int mode) override {
        modes.push_back(mode);
        return true;
    }
};

enum class Stamp { unchanged, now };

struct CycleCase {
    const char* name = "";
    // Set-up.
    bool silent = true;
    bool disabled = false;
    bool checkedAnHourAgo = false;
    std::optional<std::uint32_t> storedAttempts = 3;
    const wchar_t* installedActiveX = L"4.7.120.30";
    const wchar_t* installedPlugin = L"4.7.120.30";
    bool manifestFetched = true;
    std::uint32_t manifestFrequency = 2;
    bool installerStarted = true;
    // Outcome.
    std::vector<std::wstring> entries;
    std::vector<std::uint32_t> installed;
    std::optional<std::uint32_t> attempts;
    Stamp lastCheck = Stamp::unchanged;
    std::optional<std::uint32_t> frequency;  // none: unchanged
    std::vector<int> modes;
    bool manifestRequested = true;
};

class UpdateCycleTest : public ::testing::TestWithParam<CycleCase> {
  protected:
    void SetUp() override {
        savedSilent_ = silentAutoUpdateEnable;
        savedDisabled_ = autoUpdateDisable;
    }
    void TearDown() override {
        silentAutoUpdateEnable = savedSilent_;
        autoUpdateDisable = savedDisabled_;
    }

    fakes::LogCapture log;
    fakes::FakeRegistry registry;
    platform::ScopedFacility<platform::Registry> registryInForce{registry};
    FakeCycleParts parts;

    std::uint64_t now() const {
        FILETIME time;
        ::SystemTimeToFileTime(&log.clock.now, &time);
        return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    }
    std::optional<std::uint64_t> storedNumber(const wchar_t* name) const {
        auto value = registry.value(kStateKey, name);
        if (!value) return std::nullopt;
        std::uint64_t number = 0;
        for (size_t i = 0; i < value->data.size() && i < 8; ++i) {
            number |= static_cast<std::uint64_t>(value->data[i]) << (8 * i);
        }
        return number;
    }

  private:
    bool savedSilent_ = false;
    bool savedDisabled_ = false;
};

TEST_P(UpdateCycleTest, RecordsTheOutcome) {
    const CycleCase& c = GetParam();
    silentAutoUpdateEnable = c.silent;
    autoUpdateDisable = c.disabled;
    const std::uint64_t earlierCheck = c.checkedAnHourAgo ? now() - kHour : 0;
    registry.putQword(kStateKey, L"LastUpdateCheck", earlierCheck);
    registry.putDword(kStateKey, L"CheckFrequency", 1);
    if (c.storedAttempts) registry.putDword(kStateKey, L"UpdateAttempts", *c.storedAttempts);
    if (c.installedActiveX) registry.putString(kActiveXKey, L"Version", c.installedActiveX);
    if (c.installedPlugin) registry.putString(kPluginKey, L"Version", c.installedPlugin);
    registry.clearTrace();
    parts.manifestFetched = c.manifestFetched;
    parts.checkFrequency = c.manifestFrequency;
    parts.installerStarted = c.installerStarted;

    runUpdateCycle(parts);

    EXPECT_EQ(log.entries(), c.entries);
    EXPECT_EQ(parts.installed, c.installed);
    EXPECT_EQ(parts.modes, c.modes);
    EXPECT_EQ(parts.manifestRequests, c.manifestRequested ? 1 : 0);
    if (c.attempts) {
        EXPECT_EQ(storedNumber(L"UpdateAttempts"), std::optional<std::uint64_t>(*c.attempts));
    } else if (c.storedAttempts) {
        EXPECT_EQ(storedNumber(L"UpdateAttempts"), std::optional<std::uint64_t>(*c.storedAttempts));
    } else {
        EXPECT_FALSE(storedNumber(L"UpdateAttempts"));
    }
    EXPECT_EQ(storedNumber(L"LastUpdateCheck"), c.lastCheck == Stamp::now ? now() : earlierCheck);
    EXPECT_EQ(storedNumber(L"CheckFrequency"), c.frequency ? *c.frequency : 1u);
    EXPECT_EQ(registry.openKeys(), 0);
    if (!c.silent || c.disabled) {
        EXPECT_TRUE(registry.trace().empty()) << "a closed policy gate touches no state";
    }
}

CycleCase named(const char* name) {
    CycleCase c;
    c.name = name;
    return c;
}

std::vector<CycleCase> cycleCases() {
    std::vector<CycleCase> cases;
    auto add = [&cases](CycleCase c) { cases.push_back(std::move(c)); };
    const std::vector<std::wstring> quiet = {L"info 1608", L"info 1612"};

    CycleCase c;
    c = named("NotSilent");
    c.silent = false, c.entries = quiet, c.manifestRequested = false;
    add(c);
    c = named("SilentButDisabled");
    c.disabled = true, c.entries = quiet, c.manifestRequested = false;
    add(c);
    c = named("CheckNotDue");
    c.checkedAnHourAgo = true, c.entries = quiet, c.manifestRequested = false;
    add(c);
    c = named("ManifestNotObtained");
    c.manifestFetched = false, c.entries = quiet;
    add(c);
    c = named("AttemptLimitReached");
    c.storedAttempts = 7, c.entries = {L"info 1608", L"error 1301", L"info 1612"};
    c.lastCheck = Stamp::now, c.frequency = 2, c.modes = {1};
    add(c);
    c = named("AttemptLimitAboveSeven");
    c.storedAttempts = 4000000000u, c.entries = {L"info 1608", L"error 1301", L"info 1612"};
    c.lastCheck = Stamp::now, c.frequency = 2, c.modes = {1};
    add(c);
    c = named("SixAttemptsStillInstalls");
    c.storedAttempts = 6, c.entries = {L"info 1608", L"info 1609", L"info 1612"};
    c.installed = {kFlavourActiveX}, c.attempts = 7;
    add(c);
    c = named("NoStoredAttemptsCountsAsBelowTheLimit");
    c.storedAttempts = std::nullopt, c.entries = {L"info 1608", L"info 1609", L"info 1612"};
    c.installed = {kFlavourActiveX}, c.attempts = 1;
    add(c);
    c = named("ActiveXInstallFailed");
    c.installerStarted = false, c.entries = {L"info 1608", L"error 1234 2", L"info 1612"};
    c.installed = {kFlavourActiveX}, c.attempts = 4, c.lastCheck = Stamp::now, c.frequency = 2;
    add(c);
    c = named("PluginOnlyWhenActiveXIsCurrent");
    c.installedActiveX = L"4.7.120.35", c.entries = {L"info 1608", L"info 1610", L"info 1612"};
    c.installed = {kFlavourPlugin}, c.attempts = 4;
    add(c);
    c = named("PluginWhenActiveXIsNotInstalled");
    c.installedActiveX = nullptr, c.entries = {L"info 1608", L"info 1610", L"info 1612"};
    c.installed = {kFlavourPlugin}, c.attempts = 4;
    add(c);
    c = named("PluginInstallFailed");
    c.installedActiveX = L"5.0.0.0", c.installerStarted = false;
    c.entries = {L"info 1608", L"error 1300 2", L"info 1612"};
    c.installed = {kFlavourPlugin}, c.attempts = 4, c.lastCheck = Stamp::now, c.frequency = 2;
    add(c);
    c = named("NothingToUpdate");
    c.installedActiveX = L"4.7.120.35", c.installedPlugin = L"4.8", c.entries = quiet;
    c.lastCheck = Stamp::now, c.frequency = 2;
    add(c);
    c = named("NeitherFlavourInstalled");
    c.installedActiveX = nullptr, c.installedPlugin = nullptr, c.entries = quiet;
    c.lastCheck = Stamp::now, c.frequency = 2;
    add(c);
    c = named("FrequencyZeroStoredAsOne");
    c.installedActiveX = nullptr, c.installedPlugin = nullptr, c.manifestFrequency = 0;
    c.entries = quiet, c.lastCheck = Stamp::now, c.frequency = 1;
    add(c);
    c = named("FrequencyThirtyStoredAsThree");
    c.installedActiveX = nullptr, c.installedPlugin = nullptr, c.manifestFrequency = 30;
    c.entries = quiet, c.lastCheck = Stamp::now, c.frequency = 3;
    add(c);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Outcomes, UpdateCycleTest, ::testing::ValuesIn(cycleCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
