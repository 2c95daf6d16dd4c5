// Drives the delivery code for the integration tests, with verbose logging
// (the install log's lines go to the standard output):
//
//   delivery_probe manifest HOST         fetch and parse the version manifest
//   delivery_probe download HOST FLAVOUR download, verify and write the installer
//   delivery_probe install HOST FLAVOUR  the same, then start the installer
//   delivery_probe verify FILE           verify a package file; the content
//                                        goes to FILE.content
//
// HOST becomes the manifest and the package host. The exit code is 0 when the
// operation answered true, 1 when it answered false, 2 for a usage error.
// After a download or install, whatever the operation left in the temporary
// folder is listed as "left in temp: NAME".
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "common/allocation_failure.h"
#include "delivery/installer_download.h"
#include "delivery/installer_launch.h"
#include "delivery/package_verifier.h"
#include "delivery/trusted_root_certificate.h"
#include "delivery/version_manifest.h"
#include "log/install_log.h"
#include "policy/policy_settings.h"

namespace {

std::set<std::wstring> tempFolderNames() {
    std::set<std::wstring> names;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((std::wstring(temp) + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.insert(found.cFileName);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

void printVersion(const char* name, const ComponentVersion& version) {
    std::printf("%s %lu.%lu.%lu.%lu flavour %lu\n", name, static_cast<unsigned long>(version.major),
                static_cast<unsigned long>(version.minor),
                static_cast<unsigned long>(version.buildMajor),
                static_cast<unsigned long>(version.buildMinor),
                static_cast<unsigned long>(version.flavourCode));
}

int manifest() {
    VersionManifest results;
    const bool fetched = fetchVersionManifest(results);
    std::fflush(stdout);
    if (results.activeX) printVersion("activex", *results.activeX);
    if (results.plugin) printVersion("plugin", *results.plugin);
    if (results.checkFrequency) {
        std::printf("frequency %lu\n", static_cast<unsigned long>(*results.checkFrequency));
    }
    return fetched ? 0 : 1;
}

int verify(const wchar_t* path) {
    std::vector<BYTE> package;
    if (!InstallerDownload::readWholeFile(path, package)) {
        std::printf("unreadable %lu\n", ::GetLastError());
        return 2;
    }
    PackageVerifier verifier(kTrustedRootCertificate, kTrustedRootCertificateLength);
    std::vector<BYTE> content;
    if (!verifier.verifyPackage(package.data(), static_cast<DWORD>(package.size()), content)) {
        std::printf("rejected %lu\n", ::GetLastError());
        return 1;
    }
    FILE* out = _wfopen((std::wstring(path) + L".content").c_str(), L"wb");
    if (out == nullptr) return 2;
    if (!content.empty()) std::fwrite(content.data(), 1, content.size(), out);
    std::fclose(out);
    std::printf("accepted %lu bytes\n", static_cast<unsigned long>(content.size()));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    installAllocationFailureRecorder();
    verboseLogging = true;
    if (argc < 3) return 2;
    const std::wstring command = argv[1];
    if (command == L"verify") return verify(argv[2]);

    manifestHost = argv[2];
    packageHost = argv[2];
    if (command == L"manifest") return manifest();
    if (argc < 4) return 2;

    const std::uint32_t flavourCode =
        static_cast<std::uint32_t>(std::wcstoul(argv[3], nullptr, 10));
    const std::set<std::wstring> before = tempFolderNames();
    bool result = false;
    if (command == L"download") {
        result = InstallerDownload().downloadPackage(flavourCode);
    } else if (command == L"install") {
        ComponentVersion version;
        version.flavourCode = flavourCode;
        result = installFlavour(version);
    } else {
        return 2;
    }
    std::fflush(stdout);
    for (const std::wstring& name : tempFolderNames()) {
        if (!before.count(name)) std::printf("left in temp: %ls\n", name.c_str());
    }
    return result ? 0 : 1;
}
