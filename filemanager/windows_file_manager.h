// The Windows file manager, and the location of the machine's policy file.
// The file manager carries no state: the well-known paths are process-wide
// strings (folder_locations.h), made on first use and kept.
#pragma once

#include "filemanager/file_manager.h"

namespace SASM {

class WindowsFileManager : public FileManager {
  public:
    ~WindowsFileManager() override = default;

    bool deleteTree(const OwnedString& path) override;
    bool deleteFilesByAge(const OwnedString& path, std::uint64_t minAgeSeconds,
                          std::uint64_t maxAgeSeconds) override;
    std::uint64_t getSize(const OwnedString& path) override;
    bool createFolder(const OwnedString& parentPath, const OwnedString& name) override;
    const OwnedString& pathSeparator() override;
    const OwnedString& assetCacheFolder() override;
    const OwnedString& playerFolder() override;
    const OwnedString& privateDataFolder() override;
    std::unique_ptr<StringVector> listFolder(const OwnedString& path) override;

    // The policy file, "Pellmark\Vireo\nws.cfg" in the system folder as this
    // process sees it (a 32-bit process on 64-bit Windows sees the redirected
    // one). Cached like the per-user folders; empty when it could not be made.
    static const OwnedString& policyFilePath();
};

}  // namespace SASM
