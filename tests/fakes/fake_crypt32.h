// A crypt32.dll that lives in the test: the library facility "loads" it and
// hands out entry points that act on a small world of named certificates.
// A certificate's DER is its name; it records its issuer's name, the name of
// the certificate whose key signed it, and whether it has expired. Any single
// call can fail on request, entry points can be missing, and every context,
// store and module still held is counted.
#pragma once

#include <windows.h>
// After windows.h, whose types it uses.
#include <wincrypt.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/libraries.h"
#include "platform/shell.h"
#include "tests/fakes/call_script.h"

namespace fakes {

struct FakeCertificate {
    std::string issuer;    // the issuer's name, as the certificate says
    std::string signedBy;  // whose key made the signature
    bool expired = false;  // outside its validity period now
};

class FakeCrypt32 : public platform::Libraries {
  public:
    FakeCrypt32();
    ~FakeCrypt32() override;

    CallScript script;

    // The world: every certificate by name. "trusted" is the built-in root;
    // by default "signer" is issued by "intermediate", which is issued by
    // "trusted", and the message carries signer and intermediate.
    std::map<std::string, FakeCertificate> certificates;
    std::vector<std::string> messageCertificates;
    std::string signer = "signer";
    std::string content = "installer program";
    // When set, the first verification runs out of memory as an allocation
    // does, with this last error.
    DWORD verifyRunsOutOfMemory = 0;
    // Entry points that GetProcAddress does not find.
    std::set<std::string> missingEntryPoints;

    // What was asked for.
    std::vector<std::wstring> loadedPaths;
    std::vector<std::string> lookedUp;
    std::vector<std::string> trustedBytesSeen;
    std::string lastPackage;
    DWORD verifySize = 0, verifyEncoding = 0, verifySignerIndex = 99;
    bool verifyProviderOrCallbackGiven = true;
    std::vector<std::string> linksChecked;  // "subject<-issuer"

    // Still held.
    int loadedModules = 0;
    int openStores = 0;
    int badReleases = 0;
    int contextsHeld() const { return static_cast<int>(contexts_.size()); }

    // platform::Libraries
    HMODULE loadLibrary(const wchar_t* path) override;
    FARPROC getProcAddress(HMODULE module, const char* name) override;
    BOOL freeLibrary(HMODULE module) override;

    // The entry points, reached through the static functions handed out.
    BOOL verifyMessageSignature(PCRYPT_VERIFY_MESSAGE_PARA parameters, DWORD signerIndex,
                                const BYTE* blob, DWORD blobLength, BYTE* decoded,
                                DWORD* decodedLength, PCCERT_CONTEXT* signerCertificate);
    HCERTSTORE getMessageCertificates(DWORD encoding, HCRYPTPROV_LEGACY provider, DWORD flags,
                                      const BYTE* blob, DWORD blobLength);
    PCCERT_CONTEXT createCertificateContext(DWORD encoding, const BYTE* der, DWORD length);
    PCCERT_CONTEXT findCertificateInStore(HCERTSTORE store, DWORD encoding, DWORD findFlags,
                                          DWORD findType, const void* findParameter,
                                          PCCERT_CONTEXT previous);
    BOOL verifySubjectCertificateContext(PCCERT_CONTEXT subject, PCCERT_CONTEXT issuer,
                                         DWORD* flags);
    BOOL freeCertificateContext(PCCERT_CONTEXT context);
    BOOL closeStore(HCERTSTORE store, DWORD flags);

    static FakeCrypt32* current;

  private:
    struct Context {
        CERT_CONTEXT context = {};
        std::string der;
    };
    PCCERT_CONTEXT makeContext(const std::string& name);
    std::string nameOf(PCCERT_CONTEXT context) const;

    std::map<PCCERT_CONTEXT, std::unique_ptr<Context>> contexts_;
    std::set<HCERTSTORE> stores_;
    char moduleToken_ = 0;
    char storeToken_ = 0;
};

// A shell that knows one folder, the system folder, and does no file
// operations.
class FakeSystemFolderShell : public platform::Shell {
  public:
    CallScript script;
    std::wstring systemFolder = L"C:\\windows\\system32";
    std::vector<int> foldersAsked;

    HRESULT getFolderPath(int folder, DWORD flags, wchar_t* path) override;
    int fileOperation(SHFILEOPSTRUCTW*) override { return ERROR_ACCESS_DENIED; }
};

}  // namespace fakes
