#include "log/install_log.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/fakes/fake_files.h"
#include "tests/fakes/log_capture.h"
#include "tests/fakes/scratch_folder.h"

namespace {

const wchar_t kLogFolder[] = L"Pellmark\\Vireo";
const wchar_t kLogFile[] = L"Pellmark\\Vireo\\VireoInstall.log";

std::vector<unsigned char> utf16leBytes(const std::wstring& text) {
    std::vector<unsigned char> bytes;
    for (wchar_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>((static_cast<unsigned>(unit) >> 8) & 0xFF));
    }
    return bytes;
}

class InstallLogTest : public ::testing::Test {
  protected:
    fakes::ScratchFolder scratch;
    fakes::LogCapture log{false};

    std::vector<unsigned char> logFileBytes() const {
        std::vector<unsigned char> bytes;
        EXPECT_TRUE(scratch.readFile(kLogFile, bytes)) << "no log file";
        return bytes;
    }
};

TEST_F(InstallLogTest, TimeStampHasNoLeadingZeros) {
    log.clock.now = fakes::FakeClock::at(2000, 1, 5, 7, 4, 9, 7);
    writeLog(LogLevel::error, L"1239 5");
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0], L"2000-1-5+7-4-9.7 [error] 1239 5\r\n");
}

TEST_F(InstallLogTest, FileHoldsTheLineAsUtf16LittleEndianEndingInCrLf) {
    scratch.createFolders(kLogFolder);
    log.clock.now = fakes::FakeClock::at(2000, 6, 19, 8, 30, 5, 123);
    // U+00E9 and U+4E2D show that code units are stored unchanged, low byte first.
    writeLog(LogLevel::error, L"1608 \u00e9\u4e2d");

    const std::vector<unsigned char> expected = {
        '2', 0, '0', 0, '0', 0, '0', 0, '-',  0,    '6',  0,    '-',  0, '1',  0, '9', 0, '+', 0,
        '8', 0, '-', 0, '3', 0, '0', 0, '-',  0,    '5',  0,    '.',  0, '1',  0, '2', 0, '3', 0,
        ' ', 0, '[', 0, 'e', 0, 'r', 0, 'r',  0,    'o',  0,    'r',  0, ']',  0, ' ', 0, '1', 0,
        '6', 0, '0', 0, '8', 0, ' ', 0, 0xE9, 0x00, 0x2D, 0x4E, '\r', 0, '\n', 0};
    EXPECT_EQ(logFileBytes(), expected);
}

struct GatingCase {
    const char* name;
    LogLevel level;
    bool verbose;
    bool written;
    const wchar_t* word;
};

class InstallLogGatingTest : public InstallLogTest,
                             public ::testing::WithParamInterface<GatingCase> {};

TEST_P(InstallLogGatingTest, OnlyErrorsPassWhileVerboseLoggingIsOff) {
    const GatingCase& c = GetParam();
    scratch.createFolders(kLogFolder);
    verboseLogging = c.verbose;
    writeLog(c.level, L"1617");

    if (c.written) {
        const std::wstring line = std::wstring(L"2000-6-19+8-30-5.123 [") + c.word + L"] 1617\r\n";
        ASSERT_EQ(log.lines(), std::vector<std::wstring>{line});
        EXPECT_EQ(logFileBytes(), utf16leBytes(line));
    } else {
        EXPECT_TRUE(log.lines().empty());
        EXPECT_FALSE(scratch.exists(kLogFile));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Levels, InstallLogGatingTest,
    ::testing::Values(GatingCase{"InfoQuiet", LogLevel::info, false, false, L"info"},
                      GatingCase{"WarningQuiet", LogLevel::warning, false, false, L"warning"},
                      GatingCase{"ErrorQuiet", LogLevel::error, false, true, L"error"},
                      GatingCase{"InfoVerbose", LogLevel::info, true, true, L"info"},
                      GatingCase{"WarningVerbose", LogLevel::warning, true, true, L"warning"},
                      GatingCase{"ErrorVerbose", LogLevel::error, true, true, L"error"},
                      // A level outside the three prints no word.
                      GatingCase{"UnknownLevelVerbose", static_cast<LogLevel>(7), true, true, L""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstallLogTest, AppendsAfterWhatTheFileAlreadyHolds) {
    scratch.createFolders(kLogFolder);
    const std::vector<unsigned char> earlier = {'o', 0, 'l', 0, 'd', 0, '\r', 0, '\n', 0, 0xFF};
    scratch.writeFile(kLogFile, earlier);

    writeLog(LogLevel::error, L"1221 5");
    writeLog(LogLevel::error, L"1222 6");

    std::vector<unsigned char> expected = earlier;
    for (const std::wstring& line : log.lines()) {
        const std::vector<unsigned char> bytes = utf16leBytes(line);
        expected.insert(expected.end(), bytes.begin(), bytes.end());
    }
    EXPECT_EQ(log.lines().size(), 2u);
    EXPECT_EQ(logFileBytes(), expected);
}

TEST_F(InstallLogTest, MissingFolderIsNeverCreated) {
    writeLog(LogLevel::error, L"1239 8");
    EXPECT_EQ(log.lines().size(), 1u);
    EXPECT_FALSE(scratch.exists(L"Pellmark"));
}

TEST_F(InstallLogTest, FileThatCannotBeOpenedLeavesTheConsoleCopy) {
    scratch.createFolders(kLogFolder);
    fakes::FakeFiles files;
    files.script.failCall("CreateFileW", ERROR_SHARING_VIOLATION);
    platform::ScopedFacility<platform::Files> inForce(files);

    writeLog(LogLevel::error, L"1239 8");
    writeLog(LogLevel::error, L"1239 9");

    EXPECT_EQ(log.entries(), (std::vector<std::wstring>{L"error 1239 8", L"error 1239 9"}));
    std::vector<unsigned char> bytes = logFileBytes();
    EXPECT_EQ(bytes, utf16leBytes(log.lines()[1]));
    EXPECT_EQ(files.openHandles, 0);
}

TEST_F(InstallLogTest, FailedWriteIsIgnoredAndTheFileIsClosed) {
    scratch.createFolders(kLogFolder);
    fakes::FakeFiles files;
    files.script.failCall("WriteFile", ERROR_DISK_FULL);
    platform::ScopedFacility<platform::Files> inForce(files);

    writeLog(LogLevel::error, L"1239 8");

    EXPECT_EQ(log.entries(), std::vector<std::wstring>{L"error 1239 8"});
    EXPECT_EQ(files.script.count("CloseHandle"), 1);
    EXPECT_EQ(files.openHandles, 0);
}

TEST(DecimalTextTest, PlainDecimalWithSignWhenNegative) {
    EXPECT_EQ(toDecimalText(0), L"0");
    EXPECT_EQ(toDecimalText(1617), L"1617");
    EXPECT_EQ(toDecimalText(-5), L"-5");
    EXPECT_EQ(toDecimalText(INT_MAX), L"2147483647");
    EXPECT_EQ(toDecimalText(INT_MIN), L"-2147483648");
}

TEST_F(InstallLogTest, MessageShapes) {
    verboseLogging = true;
    logMessage(msg::kCycleBegins);
    logMessage(msg::kControlReceived, 4);
    // A last-error value above 2^31 arrives as a negative 32-bit number.
    logMessage(msg::kTs2ConnectFailed, static_cast<std::int32_t>(0x80070005u));
    logMessage(msg::kPackageHostFromPolicy, L"localhost");
    EXPECT_EQ(log.entries(),
              (std::vector<std::wstring>{L"info 1608", L"info 1622 4", L"error 1261 -2147024891",
                                         L"info 1628 localhost"}));
}

TEST_F(InstallLogTest, LinesFromTwoThreadsStayWhole) {
    scratch.createFolders(kLogFolder);
    verboseLogging = true;
    constexpr int kLinesPerThread = 150;
    auto writer = [](int thread) {
        for (int i = 0; i < kLinesPerThread; ++i) {
            writeLog(LogLevel::info, L"16" + std::to_wstring(thread) + L" " + std::to_wstring(i) +
                                         L" padding-to-make-the-write-longer-than-one-chunk");
        }
    };
    std::thread first(writer, 1);
    std::thread second(writer, 2);
    first.join();
    second.join();

    const std::vector<unsigned char> bytes = logFileBytes();
    ASSERT_EQ(bytes.size() % 2, 0u);
    std::wstring text;
    for (size_t i = 0; i < bytes.size(); i += 2) {
        text.push_back(static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    std::set<std::wstring> seen;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find(L"\r\n", start);
        ASSERT_NE(end, std::wstring::npos);
        const std::wstring line = text.substr(start, end - start);
        EXPECT_EQ(line.rfind(L"2000-6-19+8-30-5.123 [info] 16", 0), 0u)
            << "torn line: " << line.size();
        EXPECT_NE(line.find(L" padding-to-make-the-write-longer-than-one-chunk"),
                  std::wstring::npos);
        seen.insert(line);
        start = end + 2;
    }
    EXPECT_EQ(seen.size(), 2u * kLinesPerThread);
}

}  // namespace
