#include "update/installed_version.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/fakes/fake_registry.h"

namespace {

const wchar_t kActiveXKey[] = L"HKLM\\Software\\Norwend\\VireoPlayerActiveX";
const wchar_t kPluginKey[] = L"HKLM\\Software\\Norwend\\VireoPlayerPlugin";

std::string text(const ComponentVersion& v) {
    return std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.buildMajor) + "." + std::to_string(v.buildMinor);
}

std::vector<BYTE> utf16(const std::wstring& text) {
    std::vector<BYTE> bytes;
    for (wchar_t unit : text) {
        bytes.push_back(static_cast<BYTE>(unit & 0xFF));
        bytes.push_back(static_cast<BYTE>((static_cast<unsigned>(unit) >> 8) & 0xFF));
    }
    return bytes;
}

std::vector<BYTE> terminated(const std::wstring& text) {
    std::vector<BYTE> bytes = utf16(text);
    bytes.insert(bytes.end(), 2, 0);
    return bytes;
}

class InstalledVersionTest : public ::testing::Test {
  protected:
    fakes::FakeRegistry registry;
    platform::ScopedFacility<platform::Registry> registryInForce{registry};

    void TearDown() override {
        EXPECT_EQ(registry.openKeys(), 0) << "a key was left open";
        EXPECT_EQ(registry.invalidCloses(), 0) << "a key was closed twice";
    }
};

// What the "Version" value holds, as bytes of a type, and what it reads as.
struct StoredVersionCase {
    const char* name;
    DWORD type;
    std::vector<BYTE> bytes;
    std::string installed;
};

class StoredVersionTest : public InstalledVersionTest,
                          public ::testing::WithParamInterface<StoredVersionCase> {};

TEST_P(StoredVersionTest, ReadsTheTextOfTheBytesStoredAndNoMore) {
    const StoredVersionCase& c = GetParam();
    registry.putValue(kActiveXKey, L"Version", c.type, c.bytes);
    const ComponentVersion installed = readInstalledVersion(kFlavourActiveX);
    EXPECT_EQ(text(installed), c.installed);
    EXPECT_EQ(installed.flavourCode, 0u);
}

// 512 units without a terminator: exactly the 1024 bytes the read takes.
std::vector<BYTE> fullBufferText() { return utf16(L"4.7.120.35" + std::wstring(502, L' ')); }

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredVersionTest,
    ::testing::Values(
        StoredVersionCase{"Full", REG_SZ, terminated(L"4.7.120.35"), "4.7.120.35"},
        StoredVersionCase{"TwoParts", REG_SZ, terminated(L"4.7"), "4.7.0.0"},
        StoredVersionCase{"Empty", REG_SZ, terminated(L""), "0.0.0.0"},
        StoredVersionCase{"NoBytes", REG_SZ, {}, "0.0.0.0"},
        StoredVersionCase{"TrailingDot", REG_SZ, terminated(L"1.2.3.4."), "0.0.0.0"},
        StoredVersionCase{"EmptyPart", REG_SZ, terminated(L"1..3.4"), "1.0.3.4"},
        StoredVersionCase{"WordAfterABlank", REG_SZ, terminated(L"4.7.120.35 beta"), "4.7.120.35"},
        StoredVersionCase{"AllZero", REG_SZ, terminated(L"0.0.0.0"), "0.0.0.0"},
        StoredVersionCase{"Minus", REG_SZ, terminated(L"4.-1"), "4.4294967295.0.0"},
        StoredVersionCase{"Overflow", REG_SZ, terminated(L"4.7.99999999999"), "4.7.4294967295.0"},
        StoredVersionCase{"ExpandableText", REG_EXPAND_SZ, terminated(L"4.7.1.2"), "4.7.1.2"},
        // Text that ends where the bytes end, with nothing after it.
        StoredVersionCase{"NoTerminator", REG_SZ, utf16(L"4.7"), "4.7.0.0"},
        StoredVersionCase{"BinaryText", REG_BINARY, utf16(L"4.7.1"), "4.7.1.0"},
        StoredVersionCase{"OddByteCount", REG_BINARY, {'4', 0, '.', 0, '7', 0, '.'}, "4.7.0.0"},
        StoredVersionCase{"Number", REG_DWORD, {'5', 0, 0, 0}, "5.0.0.0"},
        StoredVersionCase{"TextAfterTheNul", REG_SZ, terminated(std::wstring(L"4.7\0.1.2.3", 10)),
                          "4.7.0.0"},
        StoredVersionCase{"FillsTheBufferWithoutTerminator", REG_SZ, fullBufferText(),
                          "4.7.120.35"},
        StoredVersionCase{"LongerThanTheBuffer", REG_SZ,
                          terminated(L"4.7.120.35" + std::wstring(502, L' ')), "0.0.0.0"}),
    [](const auto& info) { return std::string(info.param.name); });

// The script-debugger build counts as not installed.
struct DebuggerCase {
    const char* name;
    std::optional<std::pair<DWORD, std::vector<BYTE>>> stored;
    std::string installed;
};

class ScriptDebuggerTest : public InstalledVersionTest,
                           public ::testing::WithParamInterface<DebuggerCase> {};

TEST_P(ScriptDebuggerTest, ANonZeroMarkMeansNotInstalled) {
    const DebuggerCase& c = GetParam();
    registry.putValue(kPluginKey, L"Version", REG_SZ, terminated(L"4.7.120.35"));
    if (c.stored)
        registry.putValue(kPluginKey, L"isScriptDebugger", c.stored->first, c.stored->second);
    EXPECT_EQ(text(readInstalledVersion(kFlavourPlugin)), c.installed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptDebuggerTest,
    ::testing::Values(
        DebuggerCase{"Absent", std::nullopt, "4.7.120.35"},
        DebuggerCase{"Zero", std::make_pair(DWORD{REG_DWORD}, std::vector<BYTE>{0, 0, 0, 0}),
                     "4.7.120.35"},
        DebuggerCase{"One", std::make_pair(DWORD{REG_DWORD}, std::vector<BYTE>{1, 0, 0, 0}),
                     "0.0.0.0"},
        DebuggerCase{"HighByte", std::make_pair(DWORD{REG_DWORD}, std::vector<BYTE>{0, 0, 0, 0x80}),
                     "0.0.0.0"},
        // Any type: the bytes decide.
        DebuggerCase{"OneByte", std::make_pair(DWORD{REG_BINARY}, std::vector<BYTE>{1}), "0.0.0.0"},
        DebuggerCase{"ZeroByte", std::make_pair(DWORD{REG_BINARY}, std::vector<BYTE>{0}),
                     "4.7.120.35"},
        DebuggerCase{"Text", std::make_pair(DWORD{REG_SZ}, std::vector<BYTE>{'1', 0, 0, 0}),
                     "0.0.0.0"},
        // Longer than 4 bytes: cannot be read, counts as 0.
        DebuggerCase{"EightBytes",
                     std::make_pair(DWORD{REG_QWORD}, std::vector<BYTE>{1, 0, 0, 0, 0, 0, 0, 0}),
                     "4.7.120.35"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstalledVersionTest, EachFlavourHasItsOwnKeyReadWithReadAccess) {
    registry.putValue(kActiveXKey, L"Version", REG_SZ, terminated(L"4.7.120.35"));
    registry.putValue(kPluginKey, L"Version", REG_SZ, terminated(L"11.2.202.1"));
    EXPECT_EQ(text(readInstalledVersion(kFlavourActiveX)), "4.7.120.35");
    EXPECT_EQ(text(readInstalledVersion(kFlavourPlugin)), "11.2.202.1");
    const std::vector<std::wstring> expected = {
        L"RegOpenKeyExW HKLM\\Software\\Norwend\\VireoPlayerActiveX KEY_READ",
        L"RegQueryValueExW Version 1024",
        L"RegQueryValueExW isScriptDebugger 4",
        L"RegCloseKey HKLM\\Software\\Norwend\\VireoPlayerActiveX",
        L"RegOpenKeyExW HKLM\\Software\\Norwend\\VireoPlayerPlugin KEY_READ",
        L"RegQueryValueExW Version 1024",
        L"RegQueryValueExW isScriptDebugger 4",
        L"RegCloseKey HKLM\\Software\\Norwend\\VireoPlayerPlugin",
    };
    EXPECT_EQ(registry.trace(), expected);
}

TEST_F(InstalledVersionTest, OtherFlavourCodesReadAsNotInstalledWithoutTouchingTheRegistry) {
    registry.putValue(kActiveXKey, L"Version", REG_SZ, terminated(L"4.7.120.35"));
    for (std::uint32_t code : {0u, 3u, 0xFFFFFFFFu}) {
        EXPECT_EQ(text(readInstalledVersion(code)), "0.0.0.0") << code;
    }
    EXPECT_TRUE(registry.trace().empty());
}

struct ReadFailureCase {
    const char* name;
    const char* call;
    int occurrence;
    std::string installed;
    std::vector<std::wstring> calls;
};

class InstalledVersionFailureTest : public InstalledVersionTest,
                                    public ::testing::WithParamInterface<ReadFailureCase> {};

TEST_P(InstalledVersionFailureTest, AFailedReadMeansNotInstalled) {
    const ReadFailureCase& c = GetParam();
    registry.putValue(kActiveXKey, L"Version", REG_SZ, terminated(L"4.7.120.35"));
    registry.putDword(kActiveXKey, L"isScriptDebugger", 1);
    registry.script.failCall(c.call, ERROR_ACCESS_DENIED, c.occurrence);
    EXPECT_EQ(text(readInstalledVersion(kFlavourActiveX)), c.installed);
    std::vector<std::wstring> calls = registry.trace();
    for (std::wstring& call : calls) call = call.substr(0, call.find(L' '));
    EXPECT_EQ(calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstalledVersionFailureTest,
    ::testing::Values(ReadFailureCase{"Open", "RegOpenKeyExW", 1, "0.0.0.0", {L"RegOpenKeyExW"}},
                      ReadFailureCase{"Version",
                                      "RegQueryValueExW",
                                      1,
                                      "0.0.0.0",
                                      {L"RegOpenKeyExW", L"RegQueryValueExW", L"RegCloseKey"}},
                      // The mark cannot be read: counts as 0, so the version stands.
                      ReadFailureCase{"ScriptDebugger",
                                      "RegQueryValueExW",
                                      2,
                                      "4.7.120.35",
                                      {L"RegOpenKeyExW", L"RegQueryValueExW", L"RegQueryValueExW",
                                       L"RegCloseKey"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstalledVersionTest, NoKeyOrNoVersionMeansNotInstalled) {
    EXPECT_EQ(text(readInstalledVersion(kFlavourActiveX)), "0.0.0.0");
    registry.putDword(kActiveXKey, L"isScriptDebugger", 0);
    EXPECT_EQ(text(readInstalledVersion(kFlavourActiveX)), "0.0.0.0");
}

}  // namespace
