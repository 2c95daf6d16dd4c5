#include "delivery/version_manifest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "policy/policy_settings.h"
#include "tests/fakes/failing_allocation.h"
#include "tests/fakes/fake_winhttp.h"
#include "tests/fakes/log_capture.h"

namespace {

using Entries = std::vector<std::wstring>;
using Names = std::vector<std::string>;

const char kManifest[] =
    "<version>"
    "<ActiveX major=\"11\" minor=\"2\" buildMajor=\"202\" buildMinor=\"14\"/>"
    "<Plugin major=\"10\" minor=\"3\" buildMajor=\"183\" buildMinor=\"7\"/>"
    "<SAUConfig checkFrequency=\"3\"/>"
    "</version>";

class VersionManifestTest : public ::testing::Test {
  protected:
    VersionManifestTest() : savedHost_(manifestHost) { manifestHost = L"manifest.test"; }
    ~VersionManifestTest() override { manifestHost = savedHost_; }

    bool fetch() {
        return fetchVersionManifest(manifest.activeX, manifest.plugin, manifest.checkFrequency);
    }

    fakes::LogCapture log;
    fakes::FakeWinHttp http;
    platform::ScopedFacility<platform::WinHttp> httpInForce_{http};
    VersionManifest manifest;

  private:
    std::wstring savedHost_;
};

TEST_F(VersionManifestTest, FetchesOverHttpsAndParsesTheBody) {
    http.chunks = {std::string(kManifest, 40), std::string(kManifest + 40)};
    ASSERT_TRUE(fetch());

    EXPECT_EQ(manifest.activeX->major, 11u);
    EXPECT_EQ(manifest.activeX->buildMinor, 14u);
    EXPECT_EQ(manifest.activeX->flavourCode, kFlavourActiveX);
    EXPECT_EQ(manifest.plugin->buildMajor, 183u);
    EXPECT_EQ(manifest.plugin->flavourCode, kFlavourPlugin);
    EXPECT_EQ(*manifest.checkFrequency, 3u);

    EXPECT_EQ(http.userAgent, L"Get Vireo Player version xml/1.0");
    EXPECT_EQ(http.accessType, static_cast<DWORD>(WINHTTP_ACCESS_TYPE_DEFAULT_PROXY));
    EXPECT_FALSE(http.proxyGiven);
    EXPECT_EQ(http.sessionFlags, 0u);
    EXPECT_EQ(http.host, L"manifest.test");
    EXPECT_EQ(http.port, 443);
    EXPECT_EQ(http.verb, L"GET");
    EXPECT_EQ(http.objectName, L"/pub/vireoplayer/update/current/sau/11/xml/version.xml");
    EXPECT_FALSE(http.versionOrReferrerGiven);
    EXPECT_FALSE(http.acceptTypesGiven);
    EXPECT_EQ(http.requestFlags, static_cast<DWORD>(WINHTTP_FLAG_SECURE));
    EXPECT_FALSE(http.headersOrBodyGiven);
    EXPECT_EQ(http.closed, (Names{"request", "connection", "session"}));
    EXPECT_EQ(http.openHandles(), 0);
    EXPECT_EQ(log.entries(), Entries{});
}

TEST_F(VersionManifestTest, AFailedStepIsLoggedByEveryStepThatNeededIt) {
    const struct {
        const char* call;
        Entries entries;
        Names closed;
    } cases[] = {
        {"WinHttpOpen",
         {L"warning 1400 12029", L"warning 1401 12029", L"warning 1402 12029",
          L"warning 1403 12029", L"warning 1407 12029", L"warning 1408"},
         {}},
        {"WinHttpConnect",
         {L"warning 1401 12029", L"warning 1402 12029", L"warning 1403 12029",
          L"warning 1407 12029", L"warning 1408"},
         {"session"}},
        {"WinHttpOpenRequest",
         {L"warning 1402 12029", L"warning 1403 12029", L"warning 1407 12029", L"warning 1408"},
         {"connection", "session"}},
        {"WinHttpSendRequest",
         {L"warning 1403 12029", L"warning 1407 12029", L"warning 1408"},
         {"request", "connection", "session"}},
        {"WinHttpReceiveResponse",
         {L"warning 1407 12029", L"warning 1408"},
         {"request", "connection", "session"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        fakes::LogCapture caseLog;
        fakes::FakeWinHttp caseHttp;
        platform::ScopedFacility<platform::WinHttp> inForce(caseHttp);
        caseHttp.chunks = {kManifest};
        caseHttp.script.failCall(c.call, ERROR_WINHTTP_CANNOT_CONNECT);
        VersionManifest results;
        EXPECT_FALSE(fetchVersionManifest(results));
        EXPECT_EQ(caseLog.entries(), c.entries);
        EXPECT_EQ(caseHttp.closed, c.closed);
        EXPECT_EQ(caseHttp.openHandles(), 0);
        EXPECT_EQ(caseHttp.script.count("WinHttpQueryDataAvailable"), 0);
        EXPECT_EQ(results.activeX, nullptr);
        EXPECT_EQ(results.plugin, nullptr);
        EXPECT_EQ(results.checkFrequency, nullptr);
    }
}

TEST_F(VersionManifestTest, AFailedQueryEndsTheBodyAndWhatCameIsParsed) {
    http.chunks = {kManifest, "<trailing garbage"};
    http.script.failCall("WinHttpQueryDataAvailable", ERROR_WINHTTP_CONNECTION_ERROR, 2);
    ASSERT_TRUE(fetch());
    EXPECT_EQ(*manifest.checkFrequency, 3u);
    EXPECT_EQ(log.entries(), Entries{L"warning 1404 12030"});
    EXPECT_EQ(http.script.count("WinHttpReadData"), 1);
}

TEST_F(VersionManifestTest, AFailedReadDropsItsChunkAndTheLoopGoesOn) {
    http.chunks = {"<version>", "<lost chunk", std::string(kManifest + 9)};
    http.script.failCall("WinHttpReadData", ERROR_WINHTTP_TIMEOUT, 2);
    ASSERT_TRUE(fetch());
    EXPECT_EQ(manifest.plugin->major, 10u);
    EXPECT_EQ(log.entries(), Entries{L"warning 1406 12002"});
}

TEST_F(VersionManifestTest, AZeroByteCutsOffTheRestOfItsChunkOnly) {
    const std::string manifestText(kManifest);
    http.chunks = {manifestText.substr(0, 20) + std::string("\0<<<not parsed", 14),
                   manifestText.substr(20)};
    ASSERT_TRUE(fetch());
    EXPECT_EQ(manifest.activeX->minor, 2u);
}

TEST_F(VersionManifestTest, BodiesThatAreNoManifest) {
    const struct {
        const char* name;
        std::vector<std::string> chunks;
        Entries entries;
    } cases[] = {
        {"empty body", {}, {L"warning 1409"}},
        {"well-formed error page", {"<html><body>404 Not Found</body></html>"}, {L"warning 1409"}},
        {"broken error page",
         {"<html><body><p>Bad gateway<br></body>"},
         {L"warning 1410", L"warning 1409"}},
        {"body cut off inside the manifest",
         {std::string(kManifest, 70)},
         {L"warning 1410", L"warning 1409"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::LogCapture caseLog;
        fakes::FakeWinHttp caseHttp;
        platform::ScopedFacility<platform::WinHttp> inForce(caseHttp);
        caseHttp.chunks.assign(c.chunks.begin(), c.chunks.end());
        VersionManifest results;
        EXPECT_FALSE(fetchVersionManifest(results));
        EXPECT_EQ(caseLog.entries(), c.entries);
        EXPECT_EQ(caseHttp.openHandles(), 0);
        EXPECT_EQ(results.activeX, nullptr);
    }
}

TEST_F(VersionManifestTest, TheTextStopsGrowingAtOneMebibyte) {
    // A manifest followed by white space without end: what fits is parsed.
    const std::string padding(600 * 1024, ' ');
    http.chunks = {kManifest, padding, padding, padding, padding};
    ASSERT_TRUE(fetch());
    EXPECT_EQ(log.entries(), Entries{L"warning 1405"});
    // Receiving stopped in the chunk that crossed the bound.
    EXPECT_EQ(http.readSizes.size(), 3u);
    EXPECT_EQ(http.chunks.size(), 2u);
    EXPECT_EQ(http.openHandles(), 0);
}

TEST_F(VersionManifestTest, AnAnnouncedAmountBeyondTheBoundIsReadInPieces) {
    // One chunk larger than the bound: no buffer beyond the bound is asked for.
    http.chunks = {std::string(kManifest) + std::string(2 * 1024 * 1024, ' ')};
    ASSERT_TRUE(fetch());
    ASSERT_FALSE(http.readSizes.empty());
    EXPECT_EQ(http.readSizes[0], kVersionManifestMaximumLength);
    EXPECT_EQ(log.entries(), Entries{L"warning 1405"});
}

TEST_F(VersionManifestTest, TheHostIsReadAtTheMomentOfTheRequest) {
    http.chunks = {kManifest};
    manifestHost = L"localhost";
    ASSERT_TRUE(fetch());
    EXPECT_EQ(http.host, L"localhost");
}

}  // namespace

namespace {

TEST_F(VersionManifestTest, AReceiveBufferThatIsNotObtainedEndsTheBody) {
    http.chunks = {kManifest, std::string(600 * 1024, ' ')};
    fakes::FailingAllocation failing(fakes::FailingAllocation::AtLeast{500 * 1024});
    ASSERT_TRUE(fetch());
    EXPECT_TRUE(failing.failed());
    EXPECT_EQ(log.entries(), Entries{L"warning 1405"});
    EXPECT_EQ(http.readSizes.size(), 1u);
    EXPECT_EQ(http.openHandles(), 0);
}

TEST_F(VersionManifestTest, TextThatCannotGrowEndsTheBodyAndKeepsWhatCame) {
    // The second chunk's buffer is obtained; the text cannot take it.
    http.chunks = {std::string(kManifest) + std::string(400 * 1024, ' '),
                   std::string(300 * 1024, ' '), "<never read"};
    fakes::FailingAllocation failing(fakes::FailingAllocation::AtLeast{600 * 1024});
    ASSERT_TRUE(fetch());
    EXPECT_TRUE(failing.failed());
    EXPECT_EQ(*manifest.checkFrequency, 3u);
    EXPECT_EQ(log.entries(), Entries{L"warning 1405"});
    EXPECT_EQ(http.readSizes.size(), 2u);
    EXPECT_EQ(http.openHandles(), 0);
}

}  // namespace
