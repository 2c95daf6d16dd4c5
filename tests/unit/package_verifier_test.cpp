#include "delivery/package_verifier.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "delivery/trusted_root_certificate.h"
#include "tests/fakes/fake_crypt32.h"

namespace {

using Strings = std::vector<std::string>;

const char kTrustedDer[] = "TRUSTED ROOT DER";
const BYTE kPackage[] = {0x30, 0x80, 0x06, 0x09};

class PackageVerifierTest : public ::testing::Test {
  protected:
    bool verify(PackageVerifier& verifier) {
        return verifier.verifyPackage(kPackage, sizeof kPackage, content);
    }
    bool verify() {
        PackageVerifier verifier(reinterpret_cast<const unsigned char*>(kTrustedDer),
                                 sizeof kTrustedDer - 1);
        return verify(verifier);
    }
    std::string contentText() const { return std::string(content.begin(), content.end()); }

    void expectNothingHeld() {
        EXPECT_EQ(crypt.contextsHeld(), 0);
        EXPECT_EQ(crypt.openStores, 0);
        EXPECT_EQ(crypt.badReleases, 0);
    }

    fakes::FakeCrypt32 crypt;
    fakes::FakeSystemFolderShell shell;
    platform::ScopedFacility<platform::Libraries> cryptInForce_{crypt};
    platform::ScopedFacility<platform::Shell> shellInForce_{shell};
    std::vector<BYTE> content;
};

TEST_F(PackageVerifierTest, AcceptsAPackageThatChainsToTheTrustedRoot) {
    {
        PackageVerifier verifier(reinterpret_cast<const unsigned char*>(kTrustedDer),
                                 sizeof kTrustedDer - 1);
        ASSERT_TRUE(verify(verifier));
        EXPECT_EQ(contentText(), "installer program");

        // crypt32.dll by its full path in the system folder, entry points by name.
        EXPECT_EQ(shell.foldersAsked, std::vector<int>{CSIDL_SYSTEM});
        EXPECT_EQ(crypt.loadedPaths,
                  std::vector<std::wstring>{L"C:\\windows\\system32\\crypt32.dll"});
        EXPECT_EQ(crypt.lookedUp,
                  (Strings{"CryptVerifyMessageSignature", "CryptGetMessageCertificates",
                           "CertCreateCertificateContext", "CertFindCertificateInStore",
                           "CertVerifySubjectCertificateContext", "CertFreeCertificateContext",
                           "CertCloseStore"}));
        EXPECT_EQ(crypt.verifySize, sizeof(CRYPT_VERIFY_MESSAGE_PARA));
        if (sizeof(void*) == 4) {
            EXPECT_EQ(crypt.verifySize, 20u);
        }
        EXPECT_EQ(crypt.verifyEncoding,
                  static_cast<DWORD>(X509_ASN_ENCODING | PKCS_7_ASN_ENCODING));
        EXPECT_EQ(crypt.verifySignerIndex, 0u);
        EXPECT_FALSE(crypt.verifyProviderOrCallbackGiven);
        EXPECT_EQ(crypt.trustedBytesSeen, Strings{"TRUSTED ROOT DER"});
        EXPECT_EQ(crypt.linksChecked, (Strings{"signer<-intermediate", "intermediate<-trusted"}));
        expectNothingHeld();

        // The library stays loaded for the verifier's life: a second package
        // loads nothing more.
        ASSERT_TRUE(verify(verifier));
        EXPECT_EQ(crypt.loadedPaths.size(), 1u);
        EXPECT_EQ(crypt.loadedModules, 1);
    }
    EXPECT_EQ(crypt.loadedModules, 0);
    EXPECT_EQ(crypt.badReleases, 0);
}

TEST_F(PackageVerifierTest, ALibraryThatCannotBeLoadedEndsBeforeThePackageIsLookedAt) {
    const struct {
        const char* name;
        const char* failingCall;
        const char* missingEntryPoint;
        size_t entryPointsLookedUp;
    } cases[] = {
        {"no system folder", "SHGetFolderPathW", "", 0},
        {"no crypt32.dll", "LoadLibraryW", "", 0},
        {"no CryptVerifyMessageSignature", "", "CryptVerifyMessageSignature", 1},
        {"no CertFindCertificateInStore", "", "CertFindCertificateInStore", 4},
        {"no CertFreeCertificateContext", "", "CertFreeCertificateContext", 6},
        {"no CertCloseStore", "", "CertCloseStore", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::FakeCrypt32 caseCrypt;
        fakes::FakeSystemFolderShell caseShell;
        platform::ScopedFacility<platform::Libraries> cryptInForce(caseCrypt);
        platform::ScopedFacility<platform::Shell> shellInForce(caseShell);
        if (*c.failingCall) {
            caseCrypt.script.failCall(c.failingCall, ERROR_MOD_NOT_FOUND);
            caseShell.script.failCall(c.failingCall, ERROR_PATH_NOT_FOUND);
        }
        if (*c.missingEntryPoint) caseCrypt.missingEntryPoints.insert(c.missingEntryPoint);

        PackageVerifier verifier(reinterpret_cast<const unsigned char*>(kTrustedDer),
                                 sizeof kTrustedDer - 1);
        std::vector<BYTE> untouched = {'o', 'l', 'd'};
        EXPECT_FALSE(verifier.verifyPackage(kPackage, sizeof kPackage, untouched));
        EXPECT_EQ(untouched, (std::vector<BYTE>{'o', 'l', 'd'}));
        EXPECT_EQ(caseCrypt.lookedUp.size(), c.entryPointsLookedUp);
        // A failed load leaves nothing loaded, at once.
        EXPECT_EQ(caseCrypt.loadedModules, 0);
        EXPECT_EQ(caseCrypt.script.count("CryptVerifyMessageSignature"), 0);

        // The next package starts the load again.
        caseCrypt.missingEntryPoints.clear();
        EXPECT_TRUE(verifier.verifyPackage(kPackage, sizeof kPackage, untouched));
    }
}

TEST_F(PackageVerifierTest, ANameWithABackslashIsLoadedAsItStands) {
    CryptoFunctions functions;
    ASSERT_TRUE(loadSystemLibrary(L"D:\\own\\crypt32.dll", functions));
    EXPECT_TRUE(shell.foldersAsked.empty());
    EXPECT_EQ(crypt.loadedPaths, std::vector<std::wstring>{L"D:\\own\\crypt32.dll"});
    // Loading again first frees what the record holds.
    ASSERT_TRUE(loadSystemLibrary(L"crypt32.dll", functions));
    EXPECT_EQ(crypt.loadedModules, 1);
}

TEST_F(PackageVerifierTest, CertificatePaths) {
    using Certificates = std::map<std::string, fakes::FakeCertificate>;
    const Certificates standard = {
        {"trusted", {"trusted", "trusted", false}},
        {"intermediate", {"trusted", "trusted", false}},
        {"signer", {"intermediate", "intermediate", false}},
    };
    const struct {
        const char* name;
        Certificates changes;
        Strings message;
        bool accepted;
        Strings links;
    } cases[] = {
        {"signer issued by the trusted root, root not carried",
         {{"signer", {"trusted", "trusted", false}}},
         {"signer"},
         true,
         {"signer<-trusted"}},
        {"a copy of the root carried: the walk ends at it, and it is checked too",
         {},
         {"signer", "intermediate", "trusted"},
         true,
         {"signer<-intermediate", "intermediate<-trusted", "trusted<-trusted"}},
        {"an expired copy of the root carried",
         {{"trusted", {"trusted", "trusted", true}}},
         {"signer", "intermediate", "trusted"},
         false,
         {"signer<-intermediate", "intermediate<-trusted", "trusted<-trusted"}},
        {"the path ends in another self-signed root",
         {{"intermediate", {"other", "other", false}}, {"other", {"other", "other", false}}},
         {"signer", "intermediate", "other"},
         false,
         {"signer<-intermediate", "intermediate<-other", "other<-trusted"}},
        {"the top is signed by another key under the trusted root's name",
         {{"intermediate", {"trusted", "impostor", false}}},
         {"signer", "intermediate"},
         false,
         {"signer<-intermediate", "intermediate<-trusted"}},
        {"expired signer",
         {{"signer", {"intermediate", "intermediate", true}}},
         {"signer", "intermediate"},
         false,
         {"signer<-intermediate"}},
        {"expired intermediate",
         {{"intermediate", {"trusted", "trusted", true}}},
         {"signer", "intermediate"},
         false,
         {"signer<-intermediate", "intermediate<-trusted"}},
        {"signer not signed by its issuer's key",
         {{"signer", {"intermediate", "someone", false}}},
         {"signer", "intermediate"},
         false,
         {"signer<-intermediate"}},
        {"intermediate missing from the message", {}, {"signer"}, false, {"signer<-trusted"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::FakeCrypt32 caseCrypt;
        platform::ScopedFacility<platform::Libraries> inForce(caseCrypt);
        caseCrypt.certificates = standard;
        for (const auto& change : c.changes) caseCrypt.certificates[change.first] = change.second;
        caseCrypt.messageCertificates = c.message;
        std::vector<BYTE> caseContent;
        {
            PackageVerifier verifier(reinterpret_cast<const unsigned char*>(kTrustedDer),
                                     sizeof kTrustedDer - 1);
            EXPECT_EQ(verifier.verifyPackage(kPackage, sizeof kPackage, caseContent), c.accepted);
        }
        EXPECT_EQ(caseCrypt.linksChecked, c.links);
        EXPECT_EQ(caseCrypt.contextsHeld(), 0);
        EXPECT_EQ(caseCrypt.openStores, 0);
        EXPECT_EQ(caseCrypt.badReleases, 0);
        EXPECT_EQ(caseCrypt.loadedModules, 0);
    }
}

TEST_F(PackageVerifierTest, AFailingCallRejectsThePackageAndReleasesEverything) {
    const struct {
        const char* call;
        int occurrence;
        Strings links;
    } cases[] = {
        {"CryptVerifyMessageSignature", 1, {}},
        {"CryptVerifyMessageSignature", 2, {}},
        {"CryptGetMessageCertificates", 1, {}},
        {"CertCreateCertificateContext", 1, {}},
        {"CertVerifySubjectCertificateContext", 1, {"signer<-intermediate"}},
        {"CertVerifySubjectCertificateContext",
         2,
         {"signer<-intermediate", "intermediate<-trusted"}},
        // No issuer found: the signer is taken as the top, and the trusted
        // root did not sign it.
        {"CertFindCertificateInStore", 1, {"signer<-trusted"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.call) + " #" + std::to_string(c.occurrence));
        fakes::FakeCrypt32 caseCrypt;
        platform::ScopedFacility<platform::Libraries> inForce(caseCrypt);
        caseCrypt.script.failCall(c.call, static_cast<DWORD>(CRYPT_E_NO_SIGNER), c.occurrence);
        std::vector<BYTE> caseContent = {'o', 'l', 'd'};
        PackageVerifier verifier(reinterpret_cast<const unsigned char*>(kTrustedDer),
                                 sizeof kTrustedDer - 1);
        EXPECT_FALSE(verifier.verifyPackage(kPackage, sizeof kPackage, caseContent));
        if (c.occurrence == 1 && std::string(c.call) == "CryptVerifyMessageSignature") {
            EXPECT_TRUE(caseContent.empty());
        }
        EXPECT_EQ(caseCrypt.linksChecked, c.links);
        EXPECT_EQ(caseCrypt.contextsHeld(), 0);
        EXPECT_EQ(caseCrypt.openStores, 0);
        EXPECT_EQ(caseCrypt.badReleases, 0);
    }
}

TEST_F(PackageVerifierTest, TheWalkEndsAfter32Searches) {
    // signer <- i1 <- i2 <- ... <- iN <- trusted, all but the root carried.
    for (int intermediates : {31, 32}) {
        SCOPED_TRACE(intermediates);
        fakes::FakeCrypt32 caseCrypt;
        platform::ScopedFacility<platform::Libraries> inForce(caseCrypt);
        caseCrypt.certificates.clear();
        caseCrypt.messageCertificates = {"signer"};
        std::string below = "signer";
        for (int i = 1; i <= intermediates; ++i) {
            const std::string name = "i" + std::to_string(i);
            caseCrypt.certificates[below] = {name, name, false};
            caseCrypt.messageCertificates.push_back(name);
            below = name;
        }
        caseCrypt.certificates[below] = {"trusted", "trusted", false};
        std::vector<BYTE> caseContent;
        PackageVerifier verifier(reinterpret_cast<const unsigned char*>(kTrustedDer),
                                 sizeof kTrustedDer - 1);
        EXPECT_EQ(verifier.verifyPackage(kPackage, sizeof kPackage, caseContent),
                  intermediates == 31);
        EXPECT_EQ(caseCrypt.script.count("CertFindCertificateInStore"), 32);
        EXPECT_EQ(caseCrypt.contextsHeld(), 0);
    }
}

TEST_F(PackageVerifierTest, CertificatesThatIssueEachOtherDoNotLoopForever) {
    crypt.certificates["signer"] = {"a", "a", false};
    crypt.certificates["a"] = {"b", "b", false};
    crypt.certificates["b"] = {"a", "a", false};
    crypt.messageCertificates = {"signer", "a", "b"};
    EXPECT_FALSE(verify());
    EXPECT_EQ(crypt.script.count("CertFindCertificateInStore"), 32);
    expectNothingHeld();
}

// The platform's own crypt32.dll from the system folder.
TEST(PackageVerifierWithCrypt32Test, LoadsEveryEntryPoint) {
    CryptoFunctions functions;
    ASSERT_TRUE(loadCryptoFunctions(functions));
    EXPECT_NE(functions.cryptVerifyMessageSignature, nullptr);
    EXPECT_NE(functions.certCloseStore, nullptr);
}

TEST(PackageVerifierWithCrypt32Test, RejectsWhatIsNoSignedMessage) {
    const std::string cases[] = {"", "<html><body>404 Not Found</body></html>",
                                 std::string("\x30\x03\x02\x01\x00", 5)};
    for (const std::string& bytes : cases) {
        PackageVerifier verifier(kTrustedRootCertificate, kTrustedRootCertificateLength);
        std::vector<BYTE> content;
        EXPECT_FALSE(verifier.verifyPackage(reinterpret_cast<const BYTE*>(bytes.data()),
                                            static_cast<DWORD>(bytes.size()), content));
    }
}

TEST(PackageVerifierWithCrypt32Test, TheBuiltInCertificateIsARoot) {
    EXPECT_EQ(kTrustedRootCertificate[0], 0x30);
    CryptoFunctions functions;
    ASSERT_TRUE(loadCryptoFunctions(functions));
    PCCERT_CONTEXT root = functions.certCreateCertificateContext(
        X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, kTrustedRootCertificate,
        kTrustedRootCertificateLength);
    ASSERT_NE(root, nullptr);
    // Self-signed: its signature verifies with its own key.
    DWORD flags = CERT_STORE_SIGNATURE_FLAG;
    EXPECT_TRUE(functions.certVerifySubjectCertificateContext(root, root, &flags));
    EXPECT_EQ(flags, 0u);
    functions.certFreeCertificateContext(root);
}

}  // namespace
