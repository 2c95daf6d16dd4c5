#include "delivery/version_manifest_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/failing_allocation.h"
#include "tests/fakes/log_capture.h"

namespace {

using Entries = std::vector<std::wstring>;

struct Parsed {
    bool ok = false;
    std::unique_ptr<ComponentVersion> activeX;
    std::unique_ptr<ComponentVersion> plugin;
    std::unique_ptr<std::uint32_t> checkFrequency;
};

Parsed parse(std::string text) {
    Parsed parsed;
    parsed.ok =
        parseVersionManifest(&text[0], parsed.activeX, parsed.plugin, parsed.checkFrequency);
    return parsed;
}

const char kManifest[] =
    "<version>"
    "<ActiveX major=\"11\" minor=\"2\" buildMajor=\"202\" buildMinor=\"14\"/>"
    "<Plugin major=\"10\" minor=\"3\" buildMajor=\"183\" buildMinor=\"7\"/>"
    "<SAUConfig checkFrequency=\"2\"/>"
    "</version>";

void expectVersion(const ComponentVersion& version, std::uint32_t major, std::uint32_t minor,
                   std::uint32_t buildMajor, std::uint32_t buildMinor, std::uint32_t flavour) {
    EXPECT_EQ(version.major, major);
    EXPECT_EQ(version.minor, minor);
    EXPECT_EQ(version.buildMajor, buildMajor);
    EXPECT_EQ(version.buildMinor, buildMinor);
    EXPECT_EQ(version.flavourCode, flavour);
}

TEST(VersionManifestParserTest, ReadsBothFlavoursAndTheCheckFrequency) {
    fakes::LogCapture log;
    Parsed parsed = parse(kManifest);
    ASSERT_TRUE(parsed.ok);
    expectVersion(*parsed.activeX, 11, 2, 202, 14, kFlavourActiveX);
    expectVersion(*parsed.plugin, 10, 3, 183, 7, kFlavourPlugin);
    EXPECT_EQ(*parsed.checkFrequency, 2u);
    EXPECT_EQ(log.entries(), Entries{});
}

TEST(VersionManifestParserTest, AcceptsWhatTheLayoutAllows) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"byte-order mark, declaration and comment before the root",
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- current -->\n" +
             std::string(kManifest)},
        {"children in another order, with text, extra attributes and deeper nesting",
         "<version>text<SAUConfig checkFrequency=\"2\" extra=\"x\"/>"
         "<Plugin major=\"10\" minor=\"3\" buildMajor=\"183\" buildMinor=\"7\"><deep/></Plugin>"
         "<Other/><ActiveX buildMinor=\"14\" buildMajor=\"202\" minor=\"2\" major=\"11\"/>"
         "</version>"},
        {"a second ActiveX element is ignored",
         "<version><ActiveX major=\"11\" minor=\"2\" buildMajor=\"202\" buildMinor=\"14\"/>"
         "<ActiveX major=\"99\" minor=\"99\" buildMajor=\"99\" buildMinor=\"99\"/>"
         "<Plugin major=\"10\" minor=\"3\" buildMajor=\"183\" buildMinor=\"7\"/>"
         "<SAUConfig checkFrequency=\"2\"/></version>"},
        {"entity references in values are translated",
         "<version><ActiveX major=\"&#49;1\" minor=\"2\" buildMajor=\"202\" buildMinor=\"14\"/>"
         "<Plugin major=\"10\" minor=\"3\" buildMajor=\"183\" buildMinor=\"7\"/>"
         "<SAUConfig checkFrequency=\"2\"/></version>"},
        {"closing tags are not compared with their opening tags",
         "<version><ActiveX major=\"11\" minor=\"2\" buildMajor=\"202\" buildMinor=\"14\">"
         "</Wrong><Plugin major=\"10\" minor=\"3\" buildMajor=\"183\" buildMinor=\"7\"/>"
         "<SAUConfig checkFrequency=\"2\"/></versio>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::LogCapture log;
        Parsed parsed = parse(c.text);
        ASSERT_TRUE(parsed.ok);
        expectVersion(*parsed.activeX, 11, 2, 202, 14, kFlavourActiveX);
        expectVersion(*parsed.plugin, 10, 3, 183, 7, kFlavourPlugin);
        EXPECT_EQ(*parsed.checkFrequency, 2u);
    }
}

TEST(VersionManifestParserTest, RejectsAManifestThatLacksAPieceWithoutAMessage) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"empty text", ""},
        {"only a declaration", "<?xml version=\"1.0\"?>"},
        {"version below the top level", "<root>" + std::string(kManifest) + "</root>"},
        {"ActiveX in lower case",
         "<version><activex major=\"11\" minor=\"2\" buildMajor=\"202\" buildMinor=\"14\"/>"
         "<Plugin major=\"10\" minor=\"3\" buildMajor=\"183\" buildMinor=\"7\"/>"
         "<SAUConfig checkFrequency=\"2\"/></version>"},
        {"Plugin without buildMinor",
         "<version><ActiveX major=\"11\" minor=\"2\" buildMajor=\"202\" buildMinor=\"14\"/>"
         "<Plugin major=\"10\" minor=\"3\" buildMajor=\"183\"/>"
         "<SAUConfig checkFrequency=\"2\"/></version>"},
        {"an attribute in other letter case",
         "<version><ActiveX Major=\"11\" minor=\"2\" buildMajor=\"202\" buildMinor=\"14\"/>"
         "<Plugin major=\"10\" minor=\"3\" buildMajor=\"183\" buildMinor=\"7\"/>"
         "<SAUConfig checkFrequency=\"2\"/></version>"},
        {"only checkFrequency missing",
         "<version><ActiveX major=\"11\" minor=\"2\" buildMajor=\"202\" buildMinor=\"14\"/>"
         "<Plugin major=\"10\" minor=\"3\" buildMajor=\"183\" buildMinor=\"7\"/>"
         "<SAUConfig/></version>"},
        {"no SAUConfig",
         "<version><ActiveX major=\"11\" minor=\"2\" buildMajor=\"202\" buildMinor=\"14\"/>"
         "<Plugin major=\"10\" minor=\"3\" buildMajor=\"183\" buildMinor=\"7\"/></version>"},
        {"well-formed HTML page", "<html><body><h1>404 Not Found</h1></body></html>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::LogCapture log;
        Parsed parsed = parse(c.text);
        EXPECT_FALSE(parsed.ok);
        // No version is reported when any piece is missing.
        EXPECT_EQ(parsed.activeX, nullptr);
        EXPECT_EQ(parsed.plugin, nullptr);
        EXPECT_EQ(parsed.checkFrequency, nullptr);
        EXPECT_EQ(log.entries(), Entries{});
    }
}

TEST(VersionManifestParserTest, ReportsTextThatIsNotWellFormed) {
    const char* const cases[] = {
        "<version><ActiveX major=\"11\"",
        "<html><body><p>Service unavailable<br></body></html",
        "plain text",
        "<version major=11/>",
        "<version><![CDATA[ unterminated",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        fakes::LogCapture log;
        Parsed parsed = parse(text);
        EXPECT_FALSE(parsed.ok);
        EXPECT_EQ(parsed.activeX, nullptr);
        EXPECT_EQ(log.entries(), Entries{L"warning 1410"});
    }
}

TEST(VersionManifestParserTest, ReadsNumbersAsStrtoulWithBase10) {
    const struct {
        const char* value;
        std::uint32_t expected;
    } cases[] = {
        {"12", 12},
        {"12abc", 12},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"  \t\n7", 7},
        {"+7", 7},
        {"-1", 4294967295u},
        {"-4294967295", 1},
        {"4294967295", 4294967295u},
        {"4294967296", 4294967295u},
        {"-4294967296", 4294967295u},
        {"99999999999999999999", 4294967295u},
        {"0x1F", 0},
        {"007", 7},
        {"1 2", 1},
        {"--1", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(manifestNumber(c.value), c.expected);
        // And the same through the whole parse, in the last attribute.
        fakes::LogCapture log;
        std::string text =
            "<version><ActiveX major=\"1\" minor=\"2\" buildMajor=\"3\" buildMinor=\"" +
            std::string(c.value) +
            "\"/><Plugin major=\"1\" minor=\"2\" buildMajor=\"3\" buildMinor=\"4\"/>"
            "<SAUConfig checkFrequency=\"" +
            std::string(c.value) + "\"/></version>";
        Parsed parsed = parse(text);
        ASSERT_TRUE(parsed.ok);
        EXPECT_EQ(parsed.activeX->buildMinor, c.expected);
        EXPECT_EQ(*parsed.checkFrequency, c.expected);
    }
}

}  // namespace

namespace {

TEST(VersionManifestParserOutOfMemoryTest, AnyAllocationThatFailsIsReported) {
    // Every allocation of the parse in turn, until one parse needs no more.
    bool completed = false;
    for (int nth = 1; nth < 200 && !completed; ++nth) {
        SCOPED_TRACE(nth);
        fakes::LogCapture log;
        std::string text = kManifest;
        std::unique_ptr<ComponentVersion> activeX, plugin;
        std::unique_ptr<std::uint32_t> checkFrequency;
        bool parsed;
        {
            fakes::FailingAllocation failing(nth);
            parsed = parseVersionManifest(&text[0], activeX, plugin, checkFrequency);
            completed = !failing.failed();
        }
        if (completed) {
            EXPECT_TRUE(parsed);
            EXPECT_EQ(log.entries(), Entries{});
        } else {
            EXPECT_FALSE(parsed);
            EXPECT_EQ(log.entries(), Entries{L"warning 1411"});
            // Results made before memory ran out stay with the caller, and
            // none is made after it.
            EXPECT_FALSE(checkFrequency);
        }
    }
    EXPECT_TRUE(completed);
}

}  // namespace
