// The entry points of the platform's cryptography library, crypt32.dll,
// loaded at run time by its full path in the system folder: the bare library
// name is never handed to the platform's library search, which would look in
// the program's own folder and the current directory first.
#pragma once

#include <windows.h>
// After windows.h, whose types it uses.
#include <wincrypt.h>

#include "platform/libraries.h"

struct CryptoFunctions {
    // The loaded crypt32.dll; freed with the record.
    platform::UniqueLibrary module;
    decltype(&::CryptVerifyMessageSignature) cryptVerifyMessageSignature = nullptr;
    decltype(&::CryptGetMessageCertificates) cryptGetMessageCertificates = nullptr;
    decltype(&::CertCreateCertificateContext) certCreateCertificateContext = nullptr;
    decltype(&::CertFindCertificateInStore) certFindCertificateInStore = nullptr;
    decltype(&::CertVerifySubjectCertificateContext) certVerifySubjectCertificateContext = nullptr;
    decltype(&::CertFreeCertificateContext) certFreeCertificateContext = nullptr;
    // Closes the store of the message's certificates.
    decltype(&::CertCloseStore) certCloseStore = nullptr;
};

// Loads the library `name` into `functions.module`, first freeing a module
// the record already holds. A name without a backslash is taken from the
// system folder (CSIDL_SYSTEM); a name with one is used as it stands. Returns
// whether the library was loaded; false without loading anything when the
// system folder is unknown.
bool loadSystemLibrary(const wchar_t* name, CryptoFunctions& functions);

// Loads crypt32.dll from the system folder and resolves the entry points in
// the order of the record. Returns false when the library does not load or
// at the first entry point that is missing (the later ones are not looked up);
// the module then stays in the record for its owner to release.
bool loadCryptoFunctions(CryptoFunctions& functions);
