#include "delivery/crypto_functions.h"

#include <shlobj.h>

#include <string>

#include "platform/shell.h"

namespace {

template <class Function>
bool resolve(const CryptoFunctions& functions, const char* name, Function& entryPoint) {
    FARPROC address =
        platform::use<platform::Libraries>().getProcAddress(functions.module.get(), name);
    entryPoint = platform::entryPointAs<Function>(address);
    return address != nullptr;
}

}  // namespace

bool loadSystemLibrary(const wchar_t* name, CryptoFunctions& functions) {
    functions.module.reset();

    std::wstring path = name;
    if (path.find(L'\\') == std::wstring::npos) {
        wchar_t systemFolder[MAX_PATH] = {};
        if (FAILED(platform::use<platform::Shell>().getFolderPath(CSIDL_SYSTEM, SHGFP_TYPE_CURRENT,
                                                                  systemFolder))) {
            return false;
        }
        path = std::wstring(systemFolder) + L"\\" + name;
        if (path.size() >= MAX_PATH) {
            ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
    }
    functions.module.reset(platform::use<platform::Libraries>().loadLibrary(path.c_str()));
    return functions.module.valid();
}

bool loadCryptoFunctions(CryptoFunctions& functions) {
    if (!loadSystemLibrary(L"crypt32.dll", functions)) return false;
    return resolve(functions, "CryptVerifyMessageSignature",
                   functions.cryptVerifyMessageSignature) &&
           resolve(functions, "CryptGetMessageCertificates",
                   functions.cryptGetMessageCertificates) &&
           resolve(functions, "CertCreateCertificateContext",
                   functions.certCreateCertificateContext) &&
           resolve(functions, "CertFindCertificateInStore", functions.certFindCertificateInStore) &&
           resolve(functions, "CertVerifySubjectCertificateContext",
                   functions.certVerifySubjectCertificateContext) &&
           resolve(functions, "CertFreeCertificateContext", functions.certFreeCertificateContext) &&
           resolve(functions, "CertCloseStore", functions.certCloseStore);
}
