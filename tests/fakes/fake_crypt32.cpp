#include "tests/fakes/fake_crypt32.h"

#include <shlobj.h>

#include <cstring>
#include <type_traits>

#include "common/allocation_failure.h"

namespace fakes {
namespace {

BOOL WINAPI verifyMessageSignature(PCRYPT_VERIFY_MESSAGE_PARA parameters, DWORD signerIndex,
                                   const BYTE* blob, DWORD blobLength, BYTE* decoded,
                                   DWORD* decodedLength, PCCERT_CONTEXT* signerCertificate) {
    return FakeCrypt32::current->verifyMessageSignature(parameters, signerIndex, blob, blobLength,
                                                        decoded, decodedLength, signerCertificate);
}
HCERTSTORE WINAPI getMessageCertificates(DWORD encoding, HCRYPTPROV_LEGACY provider, DWORD flags,
                                         const BYTE* blob, DWORD blobLength) {
    return FakeCrypt32::current->getMessageCertificates(encoding, provider, flags, blob,
                                                        blobLength);
}
PCCERT_CONTEXT WINAPI createCertificateContext(DWORD encoding, const BYTE* der, DWORD length) {
    return FakeCrypt32::current->createCertificateContext(encoding, der, length);
}
PCCERT_CONTEXT WINAPI findCertificateInStore(HCERTSTORE store, DWORD encoding, DWORD findFlags,
                                             DWORD findType, const void* findParameter,
                                             PCCERT_CONTEXT previous) {
    return FakeCrypt32::current->findCertificateInStore(store, encoding, findFlags, findType,
                                                        findParameter, previous);
}
BOOL WINAPI verifySubjectCertificateContext(PCCERT_CONTEXT subject, PCCERT_CONTEXT issuer,
                                            DWORD* flags) {
    return FakeCrypt32::current->verifySubjectCertificateContext(subject, issuer, flags);
}
BOOL WINAPI freeCertificateContext(PCCERT_CONTEXT context) {
    return FakeCrypt32::current->freeCertificateContext(context);
}
BOOL WINAPI closeStore(HCERTSTORE store, DWORD flags) {
    return FakeCrypt32::current->closeStore(store, flags);
}

static_assert(
    std::is_same_v<decltype(&verifyMessageSignature), decltype(&::CryptVerifyMessageSignature)>);
static_assert(
    std::is_same_v<decltype(&getMessageCertificates), decltype(&::CryptGetMessageCertificates)>);
static_assert(
    std::is_same_v<decltype(&createCertificateContext), decltype(&::CertCreateCertificateContext)>);
static_assert(
    std::is_same_v<decltype(&findCertificateInStore), decltype(&::CertFindCertificateInStore)>);
static_assert(std::is_same_v<decltype(&verifySubjectCertificateContext),
                             decltype(&::CertVerifySubjectCertificateContext)>);
static_assert(
    std::is_same_v<decltype(&freeCertificateContext), decltype(&::CertFreeCertificateContext)>);
static_assert(std::is_same_v<decltype(&closeStore), decltype(&::CertCloseStore)>);

template <class Function>
FARPROC asFarProc(Function function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

const DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

}  // namespace

FakeCrypt32* FakeCrypt32::current = nullptr;

FakeCrypt32::FakeCrypt32() {
    certificates["trusted"] = {"trusted", "trusted", false};
    certificates["intermediate"] = {"trusted", "trusted", false};
    certificates["signer"] = {"intermediate", "intermediate", false};
    messageCertificates = {"signer", "intermediate"};
    current = this;
}

FakeCrypt32::~FakeCrypt32() { current = nullptr; }

HMODULE FakeCrypt32::loadLibrary(const wchar_t* path) {
    if (script.shouldFail("LoadLibraryW")) return nullptr;
    loadedPaths.push_back(path);
    ++loadedModules;
    return reinterpret_cast<HMODULE>(&moduleToken_);
}

FARPROC FakeCrypt32::getProcAddress(HMODULE module, const char* name) {
    lookedUp.push_back(name);
    if (module != reinterpret_cast<HMODULE>(&moduleToken_) || missingEntryPoints.count(name)) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    const std::string entry = name;
    if (entry == "CryptVerifyMessageSignature") return asFarProc(&fakes::verifyMessageSignature);
    if (entry == "CryptGetMessageCertificates") return asFarProc(&fakes::getMessageCertificates);
    if (entry == "CertCreateCertificateContext") {
        return asFarProc(&fakes::createCertificateContext);
    }
    if (entry == "CertFindCertificateInStore") return asFarProc(&fakes::findCertificateInStore);
    if (entry == "CertVerifySubjectCertificateContext") {
        return asFarProc(&fakes::verifySubjectCertificateContext);
    }
    if (entry == "CertFreeCertificateContext") return asFarProc(&fakes::freeCertificateContext);
    if (entry == "CertCloseStore") return asFarProc(&fakes::closeStore);
    ::SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL FakeCrypt32::freeLibrary(HMODULE module) {
    if (module != reinterpret_cast<HMODULE>(&moduleToken_)) ++badReleases;
    --loadedModules;
    return TRUE;
}

BOOL FakeCrypt32::verifyMessageSignature(PCRYPT_VERIFY_MESSAGE_PARA parameters, DWORD signerIndex,
                                         const BYTE* blob, DWORD blobLength, BYTE* decoded,
                                         DWORD* decodedLength, PCCERT_CONTEXT* signerCertificate) {
    verifySize = parameters->cbSize;
    verifyEncoding = parameters->dwMsgAndCertEncodingType;
    verifyProviderOrCallbackGiven = parameters->hCryptProv != 0 ||
                                    parameters->pfnGetSignerCertificate != nullptr ||
                                    parameters->pvGetArg != nullptr;
    verifySignerIndex = signerIndex;
    lastPackage.assign(reinterpret_cast<const char*>(blob), blobLength);
    if (verifyRunsOutOfMemory != 0) {
        ::SetLastError(verifyRunsOutOfMemory);
        verifyRunsOutOfMemory = 0;
        recordAllocationFailure();
    }
    if (signerCertificate != nullptr) *signerCertificate = nullptr;
    if (script.shouldFail("CryptVerifyMessageSignature")) return FALSE;
    if (decoded == nullptr) {
        *decodedLength = static_cast<DWORD>(content.size());
        return TRUE;
    }
    if (*decodedLength < content.size()) {
        ::SetLastError(ERROR_MORE_DATA);
        return FALSE;
    }
    std::memcpy(decoded, content.data(), content.size());
    *decodedLength = static_cast<DWORD>(content.size());
    if (signerCertificate != nullptr) *signerCertificate = makeContext(signer);
    return TRUE;
}

HCERTSTORE FakeCrypt32::getMessageCertificates(DWORD encoding, HCRYPTPROV_LEGACY provider,
                                               DWORD flags, const BYTE*, DWORD) {
    if (script.shouldFail("CryptGetMessageCertificates")) return nullptr;
    if (encoding != kEncoding || provider != 0 || flags != 0) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    ++openStores;
    stores_.insert(&storeToken_);
    return &storeToken_;
}

PCCERT_CONTEXT FakeCrypt32::createCertificateContext(DWORD encoding, const BYTE* der,
                                                     DWORD length) {
    trustedBytesSeen.emplace_back(reinterpret_cast<const char*>(der), length);
    if (script.shouldFail("CertCreateCertificateContext")) return nullptr;
    if (encoding != kEncoding) return nullptr;
    return makeContext("trusted");
}

PCCERT_CONTEXT FakeCrypt32::findCertificateInStore(HCERTSTORE store, DWORD encoding,
                                                   DWORD findFlags, DWORD findType,
                                                   const void* findParameter,
                                                   PCCERT_CONTEXT previous) {
    if (script.shouldFail("CertFindCertificateInStore")) return nullptr;
    if (!stores_.count(store) || encoding != kEncoding || findFlags != 0 ||
        findType != CERT_FIND_ISSUER_OF || previous != nullptr) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::string subject = nameOf(static_cast<PCCERT_CONTEXT>(findParameter));
    const std::string issuer = certificates[subject].issuer;
    for (const std::string& name : messageCertificates) {
        if (name == issuer) return makeContext(name);
    }
    ::SetLastError(static_cast<DWORD>(CRYPT_E_NOT_FOUND));
    return nullptr;
}

BOOL FakeCrypt32::verifySubjectCertificateContext(PCCERT_CONTEXT subject, PCCERT_CONTEXT issuer,
                                                  DWORD* flags) {
    const std::string subjectName = nameOf(subject);
    const std::string issuerName = nameOf(issuer);
    linksChecked.push_back(subjectName + "<-" + issuerName);
    if (script.shouldFail("CertVerifySubjectCertificateContext")) return FALSE;
    const FakeCertificate& certificate = certificates[subjectName];
    if ((*flags & CERT_STORE_SIGNATURE_FLAG) && certificate.signedBy == issuerName) {
        *flags &= ~static_cast<DWORD>(CERT_STORE_SIGNATURE_FLAG);
    }
    if ((*flags & CERT_STORE_TIME_VALIDITY_FLAG) && !certificate.expired) {
        *flags &= ~static_cast<DWORD>(CERT_STORE_TIME_VALIDITY_FLAG);
    }
    return TRUE;
}

BOOL FakeCrypt32::freeCertificateContext(PCCERT_CONTEXT context) {
    if (context == nullptr) return TRUE;
    if (contexts_.erase(context) == 0) ++badReleases;
    return TRUE;
}

BOOL FakeCrypt32::closeStore(HCERTSTORE store, DWORD) {
    if (stores_.erase(store) == 0) ++badReleases;
    --openStores;
    return TRUE;
}

PCCERT_CONTEXT FakeCrypt32::makeContext(const std::string& name) {
    std::unique_ptr<Context> context(new Context);
    context->der = name;
    context->context.dwCertEncodingType = X509_ASN_ENCODING;
    context->context.pbCertEncoded =
        reinterpret_cast<BYTE*>(const_cast<char*>(context->der.data()));
    context->context.cbCertEncoded = static_cast<DWORD>(context->der.size());
    PCCERT_CONTEXT handle = &context->context;
    contexts_[handle] = std::move(context);
    return handle;
}

std::string FakeCrypt32::nameOf(PCCERT_CONTEXT context) const {
    auto found = contexts_.find(context);
    return found == contexts_.end() ? "(released)" : found->second->der;
}

HRESULT FakeSystemFolderShell::getFolderPath(int folder, DWORD flags, wchar_t* path) {
    foldersAsked.push_back(folder);
    if (script.shouldFail("SHGetFolderPathW")) return E_FAIL;
    if (folder != CSIDL_SYSTEM || flags != SHGFP_TYPE_CURRENT) {
        return E_INVALIDARG;
    }
    wcscpy_s(path, MAX_PATH, systemFolder.c_str());
    return S_OK;
}

}  // namespace fakes
