#include "filemanager/folder_locations.h"

#include <windows.h>

#include <cwchar>

#include "common/wide_text.h"
#include "platform/facility.h"
#include "platform/shell.h"

namespace SASM {

FolderLocations& folderLocations() {
    static FolderLocations locations;
    return locations;
}

const OwnedString& cachedFolderLocation(OwnedString& cached, int csidl, const wchar_t* suffix) {
    if (!cached.empty()) return cached;

    wchar_t path[MAX_PATH] = {};
    platform::use<platform::Shell>().getFolderPath(csidl, SHGFP_TYPE_CURRENT, path);
    // A failing shell may leave anything in the buffer; only a terminated
    // path within it is used.
    path[MAX_PATH - 1] = L'\0';
    const std::size_t folderLength = std::wcslen(path);
    const std::size_t suffixLength = std::wcslen(suffix);
    // A cut-off path would name some other file; none is better.
    if (folderLength + suffixLength >= MAX_PATH) return cached;
    std::wmemcpy(path + folderLength, suffix, suffixLength + 1);

    OwnedString converted;
    if (wideToUtf8(path, converted) && cached.empty()) cached = converted;
    return cached;
}

}  // namespace SASM
