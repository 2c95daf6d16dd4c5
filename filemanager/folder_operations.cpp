// The folder operations of the Windows file manager: deleting trees and files
// by age, measuring, creating and listing folders.
//
// Folder walks do not descend into folders that are links (junctions,
// symbolic links): their content belongs elsewhere, and a link to a folder
// above would make the walk endless.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include "common/wide_text.h"
#include "filemanager/folder_name_order.h"
#include "filemanager/windows_file_manager.h"
#include "platform/clock.h"
#include "platform/facility.h"
#include "platform/file_size.h"
#include "platform/files.h"
#include "platform/shell.h"

namespace SASM {
namespace {

constexpr std::uint64_t kFileTimeUnitsPerSecond = 10000000;

// Shell results that mean the source is not there or not a valid name: the
// tree is as good as deleted.
constexpr int kShellSourceMissing = 2;         // ERROR_FILE_NOT_FOUND
constexpr int kShellSourcePathMissing = 0x7C;  // DE_INVALIDFILES
constexpr int kShellSourceInvalid = 0x402;     // an unknown source

bool isDotEntry(const wchar_t* name) {
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

bool isFolder(const WIN32_FIND_DATAW& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isLink(const WIN32_FIND_DATAW& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::uint64_t toNumber(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Seconds in file-time units, held at the largest value instead of wrapping.
std::uint64_t secondsToFileTimeUnits(std::uint64_t seconds) {
    if (seconds > UINT64_MAX / kFileTimeUnitsPerSecond) return UINT64_MAX;
    return seconds * kFileTimeUnitsPerSecond;
}

struct FolderStep {
    bool succeeded;
    bool everythingRemoved;
};

FolderStep deleteByAgeIn(const std::wstring& folder, std::uint64_t minAge, std::uint64_t maxAge) {
    platform::Files& files = platform::use<platform::Files>();
    FILETIME nowTime = {};
    platform::use<platform::Clock>().getSystemTimeAsFileTime(&nowTime);
    const std::uint64_t now = toNumber(nowTime);

    WIN32_FIND_DATAW found = {};
    platform::UniqueFind search(files.findFirstFile((folder + L"\\*").c_str(), &found));
    if (!search) return {false, false};

    bool everythingRemoved = true;
    do {
        if (isDotEntry(found.cFileName)) continue;
        const std::wstring child = folder + L"\\" + found.cFileName;
        if (isFolder(found)) {
            if (isLink(found)) {
                everythingRemoved = false;
                continue;
            }
            const FolderStep inner = deleteByAgeIn(child, minAge, maxAge);
            if (!inner.succeeded || !inner.everythingRemoved ||
                !files.removeDirectory(child.c_str())) {
                everythingRemoved = false;
            }
        } else {
            // A file changed in the future has a huge age, as the subtraction
            // wraps.
            const std::uint64_t age = now - toNumber(found.ftLastWriteTime);
            const bool inWindow = age > minAge && age < maxAge;
            if (!inWindow || !files.deleteFile(child.c_str())) everythingRemoved = false;
        }
    } while (files.findNextFile(search.get(), &found));
    return {true, everythingRemoved};
}

std::uint64_t fileSize(const std::wstring& path) {
    platform::UniqueFile file(platform::use<platform::Files>().createFile(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
    if (!file) return 0;
    LARGE_INTEGER size = {};
    if (!platform::use<platform::FileSize>().getFileSize(file.get(), &size)) return 0;
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::uint64_t folderSize(const std::wstring& folder) {
    platform::Files& files = platform::use<platform::Files>();
    WIN32_FIND_DATAW found = {};
    platform::UniqueFind search(files.findFirstFile((folder + L"\\*").c_str(), &found));
    if (!search) return 0;
    std::uint64_t total = 0;
    do {
        if (isDotEntry(found.cFileName)) continue;
        const std::wstring child = folder + L"\\" + found.cFileName;
        if (isFolder(found)) {
            if (!isLink(found)) total += folderSize(child);
        } else {
            total += fileSize(child);
        }
    } while (files.findNextFile(search.get(), &found));
    return total;
}

bool isExistingFolder(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    return platform::use<platform::Files>().getFileAttributes(path.c_str(), &data) &&
           (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Creates `path`, or finds it there already as a folder.
bool makeFolder(const std::wstring& path) {
    if (platform::use<platform::Files>().createDirectory(path.c_str())) return true;
    const DWORD lastError = ::GetLastError();
    return lastError == ERROR_ALREADY_EXISTS && isExistingFolder(path);
}

}  // namespace

bool WindowsFileManager::deleteTree(const OwnedString& path) {
    std::wstring from;
    if (!utf8ToWide(path.c_str(), from)) return false;
    // The shell takes a list of names, each NUL-terminated, ended by a
    // second NUL.
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    // Permanent (no recycle bin), and nothing shown to anyone.
    operation.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    const int result = platform::use<platform::Shell>().fileOperation(&operation);
    return result == 0 || result == kShellSourceMissing || result == kShellSourcePathMissing ||
           result == kShellSourceInvalid;
}

bool WindowsFileManager::deleteFilesByAge(const OwnedString& path, std::uint64_t minAgeSeconds,
                                          std::uint64_t maxAgeSeconds) {
    std::wstring folder;
    if (!utf8ToWide(path.c_str(), folder)) return false;
    const FolderStep step = deleteByAgeIn(folder, secondsToFileTimeUnits(minAgeSeconds),
                                          secondsToFileTimeUnits(maxAgeSeconds));
    if (!step.succeeded) return false;
    if (!step.everythingRemoved) return true;
    return platform::use<platform::Files>().removeDirectory(folder.c_str()) != FALSE;
}

std::uint64_t WindowsFileManager::getSize(const OwnedString& path) {
    std::wstring widePath;
    if (!utf8ToWide(path.c_str(), widePath)) return 0;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!platform::use<platform::Files>().getFileAttributes(widePath.c_str(), &data)) return 0;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return folderSize(widePath);
    return fileSize(widePath);
}

bool WindowsFileManager::createFolder(const OwnedString& parentPath, const OwnedString& name) {
    std::wstring parent;
    std::wstring wideName;
    if (!utf8ToWide(parentPath.c_str(), parent) || !utf8ToWide(name.c_str(), wideName)) {
        return false;
    }
    // Outermost first. A part that cannot be made (a drive, a share, a part
    // refused) is passed over; the folder itself then fails to appear, and
    // that is the answer.
    for (std::size_t end = 1; end <= parent.size(); ++end) {
        if (end == parent.size() || parent[end] == L'\\') {
            if (parent[end - 1] != L'\\') makeFolder(parent.substr(0, end));
        }
    }
    return makeFolder(parent + L"\\" + wideName);
}

std::unique_ptr<StringVector> WindowsFileManager::listFolder(const OwnedString& path) {
    std::wstring folder;
    if (!utf8ToWide(path.c_str(), folder)) return nullptr;
    auto list = std::make_unique<StringVector>();

    std::vector<OwnedString> names;
    platform::Files& files = platform::use<platform::Files>();
    WIN32_FIND_DATAW found = {};
    platform::UniqueFind search(files.findFirstFile((folder + L"\\*").c_str(), &found));
    if (!search) return list;
    do {
        if (isDotEntry(found.cFileName)) continue;
        OwnedString name;
        if (wideToUtf8(found.cFileName, name)) names.push_back(name);
    } while (files.findNextFile(search.get(), &found));
    search.reset();

    std::sort(names.begin(), names.end(),
              [](const OwnedString& a, const OwnedString& b) { return compareNames(a, b) < 0; });
    for (const OwnedString& name : names) list->add(name);
    return list;
}

}  // namespace SASM
