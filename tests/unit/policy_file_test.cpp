#include "policy/policy_file.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "policy/truth_value.h"
#include "tests/fakes/fake_files.h"
#include "tests/fakes/fake_text_codec.h"
#include "tests/fakes/scratch_folder.h"
#include "tests/fakes/utf8_text.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

class PolicyFileTest : public ::testing::Test {
  protected:
    fakes::ScratchFolder scratch;
    fakes::FakeFiles files;
    platform::ScopedFacility<platform::Files> filesInForce{files};

    // The policy file's path in the scratch folder, in UTF-8.
    OwnedString pathOf(const std::wstring& relative) const {
        return fakes::utf8(scratch.path() + L"\\" + relative).c_str();
    }
    void write(const std::string& bytes) const { scratch.writeFile(L"nws.cfg", bytesOf(bytes)); }
    std::string read() const {
        Bytes bytes;
        if (!scratch.readFile(L"nws.cfg", bytes)) return "<missing>";
        return std::string(bytes.begin(), bytes.end());
    }
    void TearDown() override { EXPECT_EQ(files.openHandles, 0) << "a file was left open"; }
};

TEST_F(PolicyFileTest, WithoutAFileEveryKeyIsEmptyAndSaveCreatesIt) {
    PolicyFile policy(pathOf(L"nws.cfg"));
    EXPECT_TRUE(policy.getValue("SilentAutoUpdateEnable").empty());
    EXPECT_FALSE(isTrueValue(policy.getValue("SilentAutoUpdateEnable")));
    policy.setValue("SilentAutoUpdateEnable", "1");
    policy.setValue("AutoUpdateDisable", "0");
    ASSERT_TRUE(policy.save());
    // Bucket 0 before bucket 2.
    EXPECT_EQ(read(), "AutoUpdateDisable=0\r\nSilentAutoUpdateEnable=1\r\n");
}

TEST_F(PolicyFileTest, SaveWritesTheTableInBucketOrder) {
    // "Ab" and "Ba" share bucket 3; "A" (bucket 1) is added afterwards.
    write("Ab=1\r\nBa=2\r\n");
    PolicyFile policy(pathOf(L"nws.cfg"));
    EXPECT_EQ(policy.getValue("Ab"), OwnedString("1"));
    policy.setValue("A", "x");
    ASSERT_TRUE(policy.save());
    EXPECT_EQ(read(), "A=x\r\nBa=2\r\nAb=1\r\n");
}

TEST_F(PolicyFileTest, SaveKeepsEntriesAndDropsWhatWasNotRead) {
    write(
        "\xEF\xBB\xBF  AutoUpdateDisable = 0 \r\nnot an entry\r\n"
        "SilentAutoUpdateServerDomain=updates.test.example\nSilentAutoUpdateEnable=0\n");
    PolicyFile policy(pathOf(L"nws.cfg"));
    policy.setValue("AutoUpdateDisable", "1");
    ASSERT_TRUE(policy.save());
    EXPECT_EQ(read(),
              "AutoUpdateDisable=1\r\nSilentAutoUpdateEnable=0\r\n"
              "SilentAutoUpdateServerDomain=updates.test.example\r\n");
}

TEST_F(PolicyFileTest, UnicodeTextAndLoneCrSurviveASave) {
    write("Name=caf\xC3\xA9\rKey=1");
    PolicyFile policy(pathOf(L"nws.cfg"));
    EXPECT_EQ(policy.getValue("Name"), OwnedString("caf\xC3\xA9"));
    EXPECT_EQ(policy.getValue("Key"), OwnedString("1"));
    ASSERT_TRUE(policy.save());
    EXPECT_NE(read().find("Name=caf\xC3\xA9\r\n"), std::string::npos);
    EXPECT_NE(read().find("Key=1\r\n"), std::string::npos);
}

TEST_F(PolicyFileTest, AUtf16FileIsNeitherReadNorReplaced) {
    const std::string utf16 = std::string(
        "\xFF\xFE"
        "A\0=\0"
        "1\0\r\0\n\0",
        12);
    write(utf16);
    PolicyFile policy(pathOf(L"nws.cfg"));
    EXPECT_TRUE(policy.getValue("A").empty());
    policy.setValue("SilentAutoUpdateEnable", "1");
    policy.setValue("AutoUpdateDisable", "0");
    EXPECT_FALSE(policy.save());
    EXPECT_EQ(read(), utf16);
}

TEST_F(PolicyFileTest, SaveNeverCreatesTheFolder) {
    PolicyFile policy(pathOf(L"Pellmark\\Vireo\\nws.cfg"));
    policy.setValue("AutoUpdateDisable", "1");
    EXPECT_FALSE(policy.save());
    EXPECT_FALSE(scratch.exists(L"Pellmark"));
}

TEST_F(PolicyFileTest, AnEmptyPathReadsNothingAndSavesNothing) {
    PolicyFile policy("");
    policy.setValue("AutoUpdateDisable", "1");
    EXPECT_FALSE(policy.save());
    EXPECT_EQ(files.script.count("CreateFileW"), 0);
}

TEST_F(PolicyFileTest, APathOutsideAsciiIsUsed) {
    scratch.createFolders(L"P\u00f6licy \u4e2d");
    const OwnedString path = pathOf(L"P\u00f6licy \u4e2d\\nws.cfg");
    {
        PolicyFile policy(path);
        policy.setValue("AutoUpdateDisable", "1");
        ASSERT_TRUE(policy.save());
    }
    PolicyFile again(path);
    EXPECT_EQ(again.getValue("AutoUpdateDisable"), OwnedString("1"));
}

// A file that is there but was not read whole keeps what the administrator
// wrote: save() refuses instead of writing the few entries it knows.
struct UnreadCase {
    const char* name;
    const char* call;
    DWORD lastError;
    int occurrence;
};

// Failures name the case rather than dump its bytes.
void PrintTo(const UnreadCase& c, std::ostream* os) { *os << c.name; }

class PolicyFileUnreadTest : public PolicyFileTest,
                             public ::testing::WithParamInterface<UnreadCase> {};

TEST_P(PolicyFileUnreadTest, SaveLeavesTheFileAsItWas) {
    const UnreadCase& c = GetParam();
    const std::string original = "Ab=1\r\n" + std::string(5000, '#') + "\r\nCd=2\r\n";
    write(original);
    files.script.failCall(c.call, c.lastError, c.occurrence);
    PolicyFile policy(pathOf(L"nws.cfg"));
    EXPECT_TRUE(policy.getValue("Cd").empty());
    policy.setValue("AutoUpdateDisable", "1");
    EXPECT_FALSE(policy.save());
    EXPECT_EQ(read(), original);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PolicyFileUnreadTest,
    ::testing::Values(UnreadCase{"OpenRefused", "CreateFileW", ERROR_SHARING_VIOLATION, 1},
                      UnreadCase{"AccessDenied", "CreateFileW", ERROR_ACCESS_DENIED, 1},
                      UnreadCase{"FirstReadFails", "ReadFile", ERROR_READ_FAULT, 1},
                      UnreadCase{"ReadBreaksOff", "ReadFile", ERROR_READ_FAULT, 2}),
    [](const ::testing::TestParamInfo<UnreadCase>& info) { return info.param.name; });

TEST_F(PolicyFileTest, EntriesBeforeABrokenOffReadAreStillSeen) {
    write("Ab=1\r\n" + std::string(5000, '#') + "\r\nCd=2\r\n");
    files.script.failCall("ReadFile", ERROR_READ_FAULT, 2);
    PolicyFile policy(pathOf(L"nws.cfg"));
    EXPECT_EQ(policy.getValue("Ab"), OwnedString("1"));
    EXPECT_TRUE(policy.getValue("Cd").empty());
}

TEST_F(PolicyFileTest, AFailedWriteIsReported) {
    write("Ab=1\r\n");
    PolicyFile policy(pathOf(L"nws.cfg"));
    files.script.failCall("WriteFile", ERROR_DISK_FULL);
    EXPECT_FALSE(policy.save());
}

TEST_F(PolicyFileTest, AFileThatCannotBeOpenedForWritingIsReported) {
    write("Ab=1\r\n");
    PolicyFile policy(pathOf(L"nws.cfg"));
    files.script.failCall("CreateFileW", ERROR_SHARING_VIOLATION, 2);
    EXPECT_FALSE(policy.save());
    EXPECT_EQ(read(), "Ab=1\r\n");
}

TEST_F(PolicyFileTest, APathThatCannotBeConvertedReadsNothingAndSavesNothing) {
    write("Ab=1\r\n");
    fakes::FakeTextCodec codec;
    platform::ScopedFacility<platform::TextCodec> codecInForce{codec};
    const OwnedString path = pathOf(L"nws.cfg");
    codec.script.failAlways(std::string("MultiByteToWideChar ") + path.c_str(),
                            ERROR_NO_UNICODE_TRANSLATION);
    PolicyFile policy(path);
    EXPECT_TRUE(policy.getValue("Ab").empty());
    EXPECT_FALSE(policy.save());
    EXPECT_EQ(read(), "Ab=1\r\n");
    EXPECT_EQ(files.script.count("CreateFileW"), 0);
}

}  // namespace
