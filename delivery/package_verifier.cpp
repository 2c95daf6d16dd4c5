#include "delivery/package_verifier.h"

#include <cstring>

namespace {

const DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
const DWORD kLinkChecks = CERT_STORE_SIGNATURE_FLAG | CERT_STORE_TIME_VALIDITY_FLAG;

// A certificate context, released through the loaded library when it goes.
// Releasing keeps the thread's last error, which the caller logs.
class CertificateContext {
  public:
    CertificateContext(const CryptoFunctions& functions, PCCERT_CONTEXT context)
        : functions_(&functions), context_(context) {}
    ~CertificateContext() { reset(); }
    CertificateContext(const CertificateContext&) = delete;
    CertificateContext& operator=(const CertificateContext&) = delete;
    CertificateContext(CertificateContext&& other) noexcept
        : functions_(other.functions_), context_(other.context_) {
        other.context_ = nullptr;
    }
    CertificateContext& operator=(CertificateContext&& other) noexcept {
        if (this != &other) {
            reset();
            context_ = other.context_;
            other.context_ = nullptr;
        }
        return *this;
    }

    PCCERT_CONTEXT get() const { return context_; }
    explicit operator bool() const { return context_ != nullptr; }

  private:
    void reset() {
        if (context_ == nullptr) return;
        const DWORD lastError = ::GetLastError();
        functions_->certFreeCertificateContext(context_);
        ::SetLastError(lastError);
        context_ = nullptr;
    }

    const CryptoFunctions* functions_;
    PCCERT_CONTEXT context_;
};

// A certificate store, closed through the loaded library when it goes.
class CertificateStore {
  public:
    CertificateStore(const CryptoFunctions& functions, HCERTSTORE store)
        : functions_(functions), store_(store) {}
    ~CertificateStore() {
        if (store_ == nullptr) return;
        const DWORD lastError = ::GetLastError();
        functions_.certCloseStore(store_, 0);
        ::SetLastError(lastError);
    }
    CertificateStore(const CertificateStore&) = delete;
    CertificateStore& operator=(const CertificateStore&) = delete;

    HCERTSTORE get() const { return store_; }
    explicit operator bool() const { return store_ != nullptr; }

  private:
    const CryptoFunctions& functions_;
    HCERTSTORE store_;
};

bool sameCertificate(PCCERT_CONTEXT a, PCCERT_CONTEXT b) {
    return a->cbCertEncoded == b->cbCertEncoded &&
           std::memcmp(a->pbCertEncoded, b->pbCertEncoded, a->cbCertEncoded) == 0;
}

// Whether `subject` is signed with the key of `issuer` and the current time
// lies within its validity period.
bool linkHolds(const CryptoFunctions& functions, PCCERT_CONTEXT subject, PCCERT_CONTEXT issuer) {
    DWORD flags = kLinkChecks;
    return functions.certVerifySubjectCertificateContext(subject, issuer, &flags) && flags == 0;
}

}  // namespace

PackageVerifier::PackageVerifier(const unsigned char* trustedCertificate, std::uint32_t length)
    : trustedCertificate_(trustedCertificate), trustedCertificateLength_(length) {}

PackageVerifier::~PackageVerifier() = default;

bool PackageVerifier::verifyPackage(const BYTE* package, DWORD length, std::vector<BYTE>& content) {
    if (!functions_) {
        std::unique_ptr<CryptoFunctions> loaded(new CryptoFunctions);
        // A failed load leaves the verifier as it started: the record goes,
        // and with it the library, if it was loaded.
        if (!loadCryptoFunctions(*loaded)) return false;
        functions_ = std::move(loaded);
    }
    const CryptoFunctions& functions = *functions_;
    content.clear();

    CRYPT_VERIFY_MESSAGE_PARA parameters = {};
    parameters.cbSize = sizeof parameters;
    parameters.dwMsgAndCertEncodingType = kEncoding;

    // The content's size first, then the content and the signer's certificate.
    DWORD contentLength = 0;
    if (!functions.cryptVerifyMessageSignature(&parameters, 0, package, length, nullptr,
                                               &contentLength, nullptr)) {
        return false;
    }
    content.resize(contentLength);
    PCCERT_CONTEXT signerContext = nullptr;
    const BOOL verified = functions.cryptVerifyMessageSignature(
        &parameters, 0, package, length, content.data(), &contentLength, &signerContext);
    CertificateContext signer(functions, signerContext);
    if (!verified) return false;
    content.resize(contentLength);
    if (!signer) return false;

    CertificateStore messageCertificates(
        functions, functions.cryptGetMessageCertificates(kEncoding, 0, 0, package, length));
    if (!messageCertificates) return false;

    CertificateContext trusted(
        functions, functions.certCreateCertificateContext(kEncoding, trustedCertificate_,
                                                          trustedCertificateLength_));
    if (!trusted) return false;

    // Up from the signer through the message's certificates, each link
    // checked, until no issuer is found or a certificate issued itself.
    CertificateContext current = std::move(signer);
    bool topReached = false;
    for (int search = 0; search < kMaximumIssuerSearches; ++search) {
        CertificateContext issuer(functions, functions.certFindCertificateInStore(
                                                 messageCertificates.get(), kEncoding, 0,
                                                 CERT_FIND_ISSUER_OF, current.get(), nullptr));
        if (!issuer || sameCertificate(issuer.get(), current.get())) {
            topReached = true;
            break;
        }
        if (!linkHolds(functions, current.get(), issuer.get())) return false;
        current = std::move(issuer);
    }
    if (!topReached) return false;

    return linkHolds(functions, current.get(), trusted.get());
}
