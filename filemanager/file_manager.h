// The file system as the product sees it: where its per-machine and per-user
// folders are, and how to list, measure, create and delete them. Names cross
// the interface as UTF-8; lists come back in a StringVector the caller owns.
#pragma once

#include <cstdint>
#include <memory>

#include "common/owned_string.h"
#include "filemanager/string_vector.h"

namespace SASM {

class FileManager {
  public:
    virtual ~FileManager() = default;

    // Deletes the file or the whole folder tree at `path`, permanently. True
    // when it is gone or was never there.
    virtual bool deleteTree(const OwnedString& path) = 0;
    // Deletes the files below `path` whose last change lies strictly between
    // `minAgeSeconds` and `maxAgeSeconds` ago, and the folders that end up
    // empty; the folder itself too when everything in it went. False when a
    // folder cannot be listed or the emptied folder cannot be removed; true
    // otherwise, also when files were kept.
    virtual bool deleteFilesByAge(const OwnedString& path, std::uint64_t minAgeSeconds,
                                  std::uint64_t maxAgeSeconds) = 0;
    // The size of the file, or the sum of the files below the folder, in
    // bytes; 0 for a path that does not exist.
    virtual std::uint64_t getSize(const OwnedString& path) = 0;
    // Creates the missing folders of `parentPath`, then `parentPath`\`name`.
    // True when that folder now exists.
    virtual bool createFolder(const OwnedString& parentPath, const OwnedString& name) = 0;
    // "\".
    virtual const OwnedString& pathSeparator() = 0;
    // The product's per-user folders in the application-data folder of the
    // account the process runs under; cached for the life of the process.
    // Empty when the path could not be made (then the next call tries again).
    virtual const OwnedString& assetCacheFolder() = 0;
    virtual const OwnedString& playerFolder() = 0;
    virtual const OwnedString& privateDataFolder() = 0;
    // The names in the folder (not "." and ".."), in name order (see
    // compareNames). Empty when the folder cannot be listed; null when `path`
    // cannot be converted.
    virtual std::unique_ptr<StringVector> listFolder(const OwnedString& path) = 0;
};

}  // namespace SASM
