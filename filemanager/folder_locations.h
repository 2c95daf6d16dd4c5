// The process-wide strings of the file manager: the path separator and the
// four well-known paths. They start empty and are filled on first use; a path
// once stored stays for the life of the process.
#pragma once

#include "common/owned_string.h"

namespace SASM {

struct FolderLocations {
    OwnedString pathSeparator;
    OwnedString policyFilePath;
    OwnedString assetCacheFolder;
    OwnedString playerFolder;
    OwnedString privateDataFolder;
};

// The one set of the process. The product never empties it; tests do, to
// start from a fresh process's state.
FolderLocations& folderLocations();

// Gives `cached`, filling it first when it is empty: the current path of the
// shell folder `csidl` followed by `suffix`, in UTF-8. The folder query's
// result is not examined: a failed query leaves the bare suffix. A failed
// conversion, or a path longer than 259 units, leaves `cached` empty, so the
// next call tries again.
const OwnedString& cachedFolderLocation(OwnedString& cached, int csidl, const wchar_t* suffix);

}  // namespace SASM
