#include "filemanager/windows_file_manager.h"

#include "filemanager/folder_locations.h"
#include "platform/shell.h"

namespace SASM {

const OwnedString& WindowsFileManager::pathSeparator() {
    FolderLocations& locations = folderLocations();
    locations.pathSeparator = "\\";
    return locations.pathSeparator;
}

const OwnedString& WindowsFileManager::assetCacheFolder() {
    return cachedFolderLocation(folderLocations().assetCacheFolder, CSIDL_APPDATA,
                                L"\\Tessaly\\Vireo Player\\AssetCache");
}

const OwnedString& WindowsFileManager::playerFolder() {
    return cachedFolderLocation(folderLocations().playerFolder, CSIDL_APPDATA,
                                L"\\Norwend\\Vireo Player");
}

const OwnedString& WindowsFileManager::privateDataFolder() {
    return cachedFolderLocation(folderLocations().privateDataFolder, CSIDL_APPDATA,
                                L"\\Tessaly\\Vireo Player\\TPSPrivateData2");
}

const OwnedString& WindowsFileManager::policyFilePath() {
    return cachedFolderLocation(folderLocations().policyFilePath, CSIDL_SYSTEM,
                                L"\\Pellmark\\Vireo\\nws.cfg");
}

}  // namespace SASM
