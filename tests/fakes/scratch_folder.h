// A fresh, empty folder under the temporary path that becomes the current
// directory for the life of the object; the previous current directory comes
// back and the folder is deleted with everything in it afterwards.
#pragma once

#include <string>
#include <vector>

namespace fakes {

class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& path() const { return path_; }
    // Creates `relative` (backslash-separated) and every folder above it.
    void createFolders(const std::wstring& relative) const;
    // Writes `bytes` as the whole file `relative`.
    void writeFile(const std::wstring& relative, const std::vector<unsigned char>& bytes) const;
    // The whole file `relative`, or nothing when it does not exist.
    bool readFile(const std::wstring& relative, std::vector<unsigned char>& bytes) const;
    bool exists(const std::wstring& relative) const;

  private:
    std::wstring path_;
    std::wstring previousDirectory_;
};

}  // namespace fakes
