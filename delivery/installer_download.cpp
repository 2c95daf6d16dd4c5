#include "delivery/installer_download.h"

#include <memory>
#include <new>
#include <string>

#include "delivery/package_verifier.h"
#include "delivery/trusted_root_certificate.h"
#include "log/install_log.h"
#include "platform/files.h"
#include "platform/guids.h"
#include "platform/winhttp.h"
#include "policy/policy_settings.h"
#include "update/component_version.h"

const wchar_t kActiveXPackagePath[] =
    L"/pub/vireoplayer/update/current/sau/11/install/install_all_win_ax_sgn.z";
const wchar_t kPluginPackagePath[] =
    L"/pub/vireoplayer/update/current/sau/11/install/install_all_win_pl_sgn.z";
const wchar_t kInstallerFileName[] = L"VireoPlayerInstaller.exe";

namespace {

const wchar_t kUserAgent[] = L"Download Vireo Player Installer/1.0";
const INTERNET_PORT kHttpPort = 80;
const wchar_t kDownloadFileName[] = L"vpi.tmp";
const wchar_t kFallbackPrefix[] = L"VPI";
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" and its terminator.
const int kGuidTextLength = 39;

// The package folder and the download file in it while the download runs.
// Unless dismissed, going out of scope closes and deletes the file and
// removes the folder, keeping the thread's last error: this is the cleanup of
// every failure, running out of memory included.
class PackageFolder {
  public:
    explicit PackageFolder(std::wstring folder)
        : folder_(std::move(folder)), file_(folder_ + kDownloadFileName) {}
    ~PackageFolder() {
        if (!folderMade_) return;
        const DWORD lastError = ::GetLastError();
        platform::Files& files = platform::use<platform::Files>();
        download.reset();
        if (fileMade_) files.deleteFile(file_.c_str());
        files.removeDirectory(folder_.c_str());
        ::SetLastError(lastError);
    }
    PackageFolder(const PackageFolder&) = delete;
    PackageFolder& operator=(const PackageFolder&) = delete;

    const std::wstring& folder() const { return folder_; }
    const std::wstring& file() const { return file_; }
    void folderMade() { folderMade_ = true; }
    void fileMade() { fileMade_ = true; }
    // The caller has deleted and removed them itself.
    void dismiss() { folderMade_ = false; }

    platform::UniqueFile download;

  private:
    std::wstring folder_;
    std::wstring file_;
    bool folderMade_ = false;
    bool fileMade_ = false;
};

// The name of the package folder, without the final backslash: a new GUID in
// the temporary folder, or else the name of a new temporary file there, whose
// placeholder file is deleted at once. False after logging 1203 or 1205.
bool namePackageFolder(const std::wstring& tempPath, std::wstring& name) {
    platform::Guids& guids = platform::use<platform::Guids>();
    GUID guid = {};
    if (SUCCEEDED(guids.coCreateGuid(&guid))) {
        wchar_t guidText[kGuidTextLength] = {};
        if (guids.stringFromGuid2(guid, guidText, kGuidTextLength) > 0) {
            name = tempPath + guidText;
            return true;
        }
        logMessage(msg::kGuidNotText);
    }
    logMessage(msg::kNoGuidFolder);

    platform::Files& files = platform::use<platform::Files>();
    wchar_t placeholder[MAX_PATH] = {};
    if (files.getTempFileName(tempPath.c_str(), kFallbackPrefix, 0, placeholder) == 0) {
        logLastError(msg::kDownloadNoTempFileName);
        return false;
    }
    if (!files.deleteFile(placeholder)) {
        logLastError(msg::kDownloadPlaceholderNotDeleted);
        return false;
    }
    name = placeholder;
    return true;
}

// Streams the response body into the open download file. False after
// logging 1209, 1211 or 1212.
bool receiveIntoFile(platform::WinHttp& http, HINTERNET request, HANDLE file) {
    platform::Files& files = platform::use<platform::Files>();
    std::uint64_t total = 0;
    DWORD announced = 0;
    do {
        announced = 0;
        if (!http.queryDataAvailable(request, &announced)) {
            logLastError(msg::kDownloadQueryDataFailed);
            return false;
        }
        if (announced == 0) break;
        // No package is that large; without a bound, anyone on the way could
        // fill the disk.
        if (total + announced > kMaximumPackageLength) {
            logLastError(msg::kDownloadReadFailed, ERROR_FILE_TOO_LARGE);
            return false;
        }
        std::unique_ptr<BYTE[]> buffer(new BYTE[announced]);
        DWORD read = 0;
        if (!http.readData(request, buffer.get(), announced, &read)) {
            logLastError(msg::kDownloadReadFailed);
            return false;
        }
        if (read > 0) {
            DWORD written = 0;
            if (!files.writeFile(file, buffer.get(), read, &written)) {
                logLastError(msg::kDownloadWriteFailed);
                return false;
            }
            if (written != read) {
                logLastError(msg::kDownloadWriteFailed, ERROR_WRITE_FAULT);
                return false;
            }
        }
        total += read;
    } while (announced > 0);
    return true;
}

// Verifies the package and writes its content as the installer file.
// False after logging 1217, 1215 or 1216, or when memory runs out.
bool writeVerifiedInstaller(const std::vector<BYTE>& package) {
    try {
        PackageVerifier verifier(kTrustedRootCertificate, kTrustedRootCertificateLength);
        std::vector<BYTE> content;
        if (!verifier.verifyPackage(package.data(), static_cast<DWORD>(package.size()), content)) {
            logLastError(msg::kPackageNotVerified);
            return false;
        }

        platform::Files& files = platform::use<platform::Files>();
        platform::UniqueFile installer(files.createFile(kInstallerFileName, GENERIC_WRITE, 0,
                                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL));
        if (!installer) {
            logLastError(msg::kInstallerFileNotCreated);
            return false;
        }
        static const BYTE kNothing = 0;
        DWORD written = 0;
        if (!files.writeFile(installer.get(), content.empty() ? &kNothing : content.data(),
                             static_cast<DWORD>(content.size()), &written)) {
            logLastError(msg::kInstallerFileWriteFailed);
            return false;
        }
        if (written != content.size()) {
            logLastError(msg::kInstallerFileWriteFailed, ERROR_WRITE_FAULT);
            return false;
        }
        if (!files.closeHandle(installer.release())) {
            logLastError(msg::kInstallerFileCloseFailed);
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

bool InstallerDownload::downloadPackage(std::uint32_t flavourCode) {
    const wchar_t* objectPath = nullptr;
    if (flavourCode == kFlavourActiveX) {
        logMessage(msg::kActiveXDownloadBegins);
        objectPath = kActiveXPackagePath;
    } else if (flavourCode == kFlavourPlugin) {
        logMessage(msg::kPluginDownloadBegins);
        objectPath = kPluginPackagePath;
    } else {
        logMessage(msg::kDownloadUnknownFlavour);
        return false;
    }

    platform::WinHttp& http = platform::use<platform::WinHttp>();
    platform::Files& files = platform::use<platform::Files>();

    // Declared before the package folder, so that on failure the download
    // file and folder go first, then request, connection and session.
    platform::UniqueInternetHandle session(http.open(kUserAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                                     WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS,
                                                     0));
    platform::UniqueInternetHandle connection;
    platform::UniqueInternetHandle request;
    bool connected = session.valid();
    if (connected) {
        connection.reset(http.connect(session.get(), packageHost.c_str(), kHttpPort));
        connected = connection.valid();
    }
    if (connected) {
        request.reset(http.openRequest(connection.get(), L"GET", objectPath, nullptr,
                                       WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
        connected = request.valid();
    }
    if (connected) {
        connected = http.sendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                                     WINHTTP_NO_REQUEST_DATA, 0, 0) != FALSE;
    }
    if (connected) connected = http.receiveResponse(request.get()) != FALSE;
    if (!connected) {
        logLastError(msg::kDownloadRequestFailed);
        return false;
    }

    wchar_t tempPath[MAX_PATH] = {};
    const DWORD tempPathLength = files.getTempPath(MAX_PATH, tempPath);
    if (tempPathLength == 0 || tempPathLength >= MAX_PATH) {
        if (tempPathLength != 0) ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        logLastError(msg::kDownloadTempFolderUnknown);
        return false;
    }
    std::wstring folderName;
    if (!namePackageFolder(tempPath, folderName)) return false;

    PackageFolder folder(folderName + L"\\");
    if (folder.file().size() >= MAX_PATH) {
        // The download file's path would not fit: the folder is not made.
        logLastError(msg::kDownloadFolderNotCreated, ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    if (!files.createDirectory(folder.folder().c_str())) {
        logLastError(msg::kDownloadFolderNotCreated);
        return false;
    }
    folder.folderMade();
    folder.download.reset(files.createFile(folder.file().c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL));
    if (!folder.download) {
        logLastError(msg::kDownloadFileNotCreated);
        return false;
    }
    folder.fileMade();

    if (!receiveIntoFile(http, request.get(), folder.download.get())) return false;

    if (!files.closeHandle(folder.download.release())) logLastError(msg::kDownloadCloseFailed);
    request.reset();
    connection.reset();
    session.reset();

    std::vector<BYTE> package;
    const bool readBack = readWholeFile(folder.file().c_str(), package);
    const DWORD readError = readBack ? ERROR_SUCCESS : ::GetLastError();

    if (!files.deleteFile(folder.file().c_str())) logLastError(msg::kDownloadDeleteFailed);
    if (!files.removeDirectory(folder.folder().c_str())) {
        logLastError(msg::kDownloadFolderNotRemoved);
    }
    folder.dismiss();

    if (!readBack) {
        logLastError(msg::kPackageNotVerified, readError);
        return false;
    }
    return writeVerifiedInstaller(package);
}

bool InstallerDownload::readWholeFile(const wchar_t* path, std::vector<BYTE>& bytes) {
    platform::Files& files = platform::use<platform::Files>();
    platform::UniqueFile file(files.createFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL));
    if (!file) return false;
    // The size of the open file: nobody can write to it while it is open.
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    if (!files.getFileAttributes(path, &attributes)) return false;
    const DWORD size = attributes.nFileSizeLow;
    if (size == 0) {
        ::SetLastError(ERROR_HANDLE_EOF);
        return false;
    }
    std::vector<BYTE> buffer(size);
    DWORD total = 0;
    while (total < size) {
        DWORD read = 0;
        if (!files.readFile(file.get(), buffer.data() + total, size - total, &read)) break;
        if (read == 0) {
            // The file is shorter than its size said.
            ::SetLastError(ERROR_HANDLE_EOF);
            break;
        }
        total += read;
    }
    if (total != size) return false;
    bytes = std::move(buffer);
    return true;
}
