#include "policy/policy_file_reader.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

#include "policy/policy_file_writer.h"

namespace {

using Entries = std::map<std::string, std::string>;

Entries entriesOf(const StringMap& table) {
    Entries entries;
    for (const StringMapEntry* entry = table.first(); entry != table.end(); entry = entry->next) {
        entries[std::string(entry->key.c_str(), entry->key.length())] =
            std::string(entry->value.c_str(), entry->value.length());
    }
    return entries;
}

Entries readWhole(const std::string& bytes) {
    StringMap table;
    readPolicyFileImage(bytes.data(), bytes.size(), table);
    return entriesOf(table);
}

// The same bytes handed over in pieces of `piece` bytes.
Entries readInPieces(const std::string& bytes, size_t piece) {
    StringMap table;
    PolicyFileReader reader(table);
    for (size_t offset = 0; offset < bytes.size(); offset += piece) {
        reader.feed(bytes.data() + offset, std::min(piece, bytes.size() - offset));
    }
    reader.finish();
    return entriesOf(table);
}

struct ReadCase {
    const char* name;
    std::string bytes;
    Entries entries;
};

// Failures name the case rather than dump its bytes.
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class PolicyFileReaderTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(PolicyFileReaderTest, ReadsTheEntries) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(readWhole(c.bytes), c.entries);
    // However the disk hands the bytes over.
    for (size_t piece : {1, 2, 3, 5}) {
        EXPECT_EQ(readInPieces(c.bytes, piece), c.entries) << "in pieces of " << piece;
    }
}

const std::string kLongValue(5000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, PolicyFileReaderTest,
    ::testing::Values(
        ReadCase{"Empty", "", {}}, ReadCase{"ThreeBytesAreNotRead", "A=1", {}},
        ReadCase{"FourBytesAreRead", "A=12", {{"A", "12"}}},
        ReadCase{"Utf8MarkIsSkipped",
                 "\xEF\xBB\xBF"
                 "AutoUpdateDisable=1",
                 {{"AutoUpdateDisable", "1"}}},
        ReadCase{"Utf8MarkBeforeAShortEntry",
                 "\xEF\xBB\xBF"
                 "A=1",
                 {{"A", "1"}}},
        ReadCase{"Utf16LittleEndianMarkReadsNothing",
                 "\xFF\xFE"
                 "A=1\r\nB=2\r\n",
                 {}},
        ReadCase{"Utf16BigEndianMarkReadsNothing",
                 "\xFE\xFF"
                 "A=1\r\nB=2\r\n",
                 {}},
        ReadCase{"BlanksAroundKeyAndValue",
                 "  SilentAutoUpdateEnable =  yes  ",
                 {{"SilentAutoUpdateEnable", "yes"}}},
        ReadCase{"ControlBytesAreBlanks", "\t\x01Key\x0B=\x1Fv a\x7F\x05", {{"Key", "v a\x7F"}}},
        ReadCase{"FirstEqualsSignSplits", "Domain=a=b==", {{"Domain", "a=b=="}}},
        ReadCase{"KeysAreCaseSensitive",
                 "silentautoupdateenable=1\r\nSilentAutoUpdateEnable=0",
                 {{"silentautoupdateenable", "1"}, {"SilentAutoUpdateEnable", "0"}}},
        ReadCase{"LastLineWins",
                 "AutoUpdateDisable=0\r\nAutoUpdateDisable=1\r\n",
                 {{"AutoUpdateDisable", "1"}}},
        ReadCase{"LinesThatDoNotParseAreSkipped",
                 "no equals sign\r\n=1\r\nkey=\r\n  =  \r\nkey=  \t\r\n\r\n#comment\r\nGood=1",
                 {{"Good", "1"}}},
        ReadCase{"NumberSignStartsAnOrdinaryKey", "#Key=1", {{"#Key", "1"}}},
        ReadCase{"EveryLineEnd",
                 "Ab=1\r\nCd=2\nEf=3\rGh=4",
                 {{"Ab", "1"}, {"Cd", "2"}, {"Ef", "3"}, {"Gh", "4"}}},
        // A lone CR ends its line; the byte after it starts the next one.
        ReadCase{
            "LoneCrKeepsTheNextByte", "Ab=1\rKey=2\rX=3", {{"Ab", "1"}, {"Key", "2"}, {"X", "3"}}},
        ReadCase{"CrAtTheEnd", "Ab=1\r", {{"Ab", "1"}}},
        ReadCase{"TwoCrs", "Ab=1\r\rCd=2", {{"Ab", "1"}, {"Cd", "2"}}},
        ReadCase{"LfThenCr", "Ab=1\n\rCd=2", {{"Ab", "1"}, {"Cd", "2"}}},
        ReadCase{"CrLfCrLf", "Ab=1\r\n\r\nCd=2\r\n", {{"Ab", "1"}, {"Cd", "2"}}},
        // Bytes 80 to FF are UTF-8 text, not blanks.
        ReadCase{"Utf8TextIsKept",
                 "Name=ab\xC3\xA9\r\n\xC3\xA9t\xC3\xA9=\xE2\x80\x94",
                 {{"Name", "ab\xC3\xA9"}, {"\xC3\xA9t\xC3\xA9", "\xE2\x80\x94"}}},
        ReadCase{"NulEndsWhatIsParsedOfALine",
                 std::string("Key=val\0ue\nK\0ey=1\nK2=\0x\nNext=1", 30),
                 {{"Key", "val"}, {"Next", "1"}}},
        ReadCase{
            "LongLine", "Key=" + kLongValue + "\r\nNext=1", {{"Key", kLongValue}, {"Next", "1"}}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(PolicyFileReaderStartTest, TellsWhenAUtf16FileWasSkipped) {
    struct Case {
        std::string bytes;
        bool skipped;
    };
    const Case cases[] = {
        {"\xFF\xFE"
         "A=1\r\n",
         true},
        {"\xFE\xFF", true},  // an empty UTF-16 file
        {"\xFF\xFE"
         "A",
         true},  // too short to read, still UTF-16
        {"\xEF\xBB\xBF"
         "A=1",
         false},
        {"A=1\r\n", false},
        {"", false},
        {"\xFF", false},
    };
    for (const Case& c : cases) {
        StringMap table;
        EXPECT_EQ(readPolicyFileImage(c.bytes.data(), c.bytes.size(), table), !c.skipped)
            << testing::PrintToString(c.bytes);
    }
}

TEST(PolicyFileReaderTest, AnUnfinishedFileDropsItsLastLine) {
    StringMap table;
    PolicyFileReader reader(table);
    const std::string bytes = "Ab=1\r\nSilentAutoUpdateServerDomain=upd";
    reader.feed(bytes.data(), bytes.size());
    EXPECT_EQ(entriesOf(table), (Entries{{"Ab", "1"}}));
}

TEST(PolicyFileWriterTest, WritesOneCrLfLinePerEntryInListOrder) {
    StringMap table;
    EXPECT_EQ(policyFileText(table), "");
    table.insertOrAssign("SilentAutoUpdateEnable", "1");
    table.insertOrAssign("AutoUpdateDisable", "0");
    table.insertOrAssign("Name", "a=b \xC3\xA9");  // bucket 1
    EXPECT_EQ(policyFileText(table),
              "AutoUpdateDisable=0\r\nName=a=b \xC3\xA9\r\nSilentAutoUpdateEnable=1\r\n");
}

TEST(PolicyFileWriterTest, WhatIsWrittenReadsBackTheSame) {
    StringMap table;
    const std::string bytes = "\xEF\xBB\xBF a = 1 \r\nb\xC3\xA9=x=y\rc=\xE2\x80\x94\n";
    readPolicyFileImage(bytes.data(), bytes.size(), table);
    const std::string text = policyFileText(table);
    StringMap again;
    readPolicyFileImage(text.data(), text.size(), again);
    EXPECT_EQ(entriesOf(again), entriesOf(table));
    EXPECT_EQ(entriesOf(table).size(), 3u);
}

}  // namespace
