// Deciding whether a downloaded installer package may be installed. A package
// is a DER PKCS #7 SignedData message with the installer as its content. It is
// accepted when the first signer's signature holds, each certificate from the
// signer upwards is signed by the next one found among the message's own
// certificates and lies within its validity period, and the top one is signed
// by the trusted root. Neither key usage nor revocation nor names are looked
// at, nor the system's certificate stores. Writes nothing to the log; the
// caller reports the outcome.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "delivery/crypto_functions.h"

// Paths longer than this many certificates above the signer are rejected.
constexpr int kMaximumIssuerSearches = 32;

class PackageVerifier {
  public:
    // `trustedCertificate` (DER, `length` bytes) is not copied: it must
    // outlive the verifier.
    PackageVerifier(const unsigned char* trustedCertificate, std::uint32_t length);
    // Unloads the cryptography library, if it was loaded.
    ~PackageVerifier();
    PackageVerifier(const PackageVerifier&) = delete;
    PackageVerifier& operator=(const PackageVerifier&) = delete;

    // Verifies `package` and hands its signed content out through `content`.
    // Returns true only when the signature, the certificate path and the final
    // link to the trusted certificate all hold. `content` is emptied once the
    // library is loaded and may hold data even when the answer is false; use
    // it only after true. The first call loads crypt32.dll and keeps it for
    // the verifier's life; when that fails, the answer is false, `content` is
    // untouched, and the next call tries again. Memory running out arrives as
    // std::bad_alloc.
    bool verifyPackage(const BYTE* package, DWORD length, std::vector<BYTE>& content);

  private:
    std::unique_ptr<CryptoFunctions> functions_;
    const unsigned char* trustedCertificate_;
    std::uint32_t trustedCertificateLength_;
};
