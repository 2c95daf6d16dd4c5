#include "tests/fakes/scratch_folder.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

namespace fakes {
namespace {

void deleteTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                deleteTree(child);
            } else {
                ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(child.c_str());
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
    wchar_t buffer[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, buffer);
    previousDirectory_ = buffer;
    ::GetTempPathW(MAX_PATH, buffer);
    static unsigned counter = 0;
    path_ = std::wstring(buffer) + L"vireo-test-" + std::to_wstring(::GetCurrentProcessId()) +
            L"-" + std::to_wstring(++counter);
    deleteTree(path_);
    if (!::CreateDirectoryW(path_.c_str(), nullptr) || !::SetCurrentDirectoryW(path_.c_str())) {
        throw std::runtime_error("cannot make a scratch folder");
    }
}

ScratchFolder::~ScratchFolder() {
    ::SetCurrentDirectoryW(previousDirectory_.c_str());
    deleteTree(path_);
}

void ScratchFolder::createFolders(const std::wstring& relative) const {
    std::wstring partial = path_;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find(L'\\', start);
        if (end == std::wstring::npos) end = relative.size();
        partial += L"\\" + relative.substr(start, end - start);
        ::CreateDirectoryW(partial.c_str(), nullptr);
        start = end + 1;
    }
}

void ScratchFolder::writeFile(const std::wstring& relative,
                              const std::vector<unsigned char>& bytes) const {
    FILE* file = _wfopen((path_ + L"\\" + relative).c_str(), L"wb");
    if (file == nullptr) throw std::runtime_error("cannot write a scratch file");
    if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

bool ScratchFolder::readFile(const std::wstring& relative,
                             std::vector<unsigned char>& bytes) const {
    FILE* file = _wfopen((path_ + L"\\" + relative).c_str(), L"rb");
    if (file == nullptr) return false;
    bytes.clear();
    unsigned char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    fclose(file);
    return true;
}

bool ScratchFolder::exists(const std::wstring& relative) const {
    return ::GetFileAttributesW((path_ + L"\\" + relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace fakes
