// Empties the file manager's process-wide paths for the life of the object
// and again afterwards, so each test starts as a fresh process does and
// leaves no path made from its fakes behind.
#pragma once

#include "filemanager/folder_locations.h"

namespace fakes {

class FreshFolderLocations {
  public:
    FreshFolderLocations() { SASM::folderLocations() = SASM::FolderLocations(); }
    ~FreshFolderLocations() { SASM::folderLocations() = SASM::FolderLocations(); }
    FreshFolderLocations(const FreshFolderLocations&) = delete;
    FreshFolderLocations& operator=(const FreshFolderLocations&) = delete;
};

}  // namespace fakes
