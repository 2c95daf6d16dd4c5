// A shell that reports the folders a test chose and records the file
// operations asked of it. Folders not chosen, and file operations, go to the
// real shell unless planned to fail: a failing "SHGetFolderPathW" answers
// E_FAIL and leaves the buffer alone; a failing "SHFileOperationW" answers the
// planned last-error value as its result code.
#pragma once

#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "tests/fakes/call_script.h"

namespace fakes {

class FakeShell : public platform::Shell {
  public:
    CallScript script;
    std::map<int, std::wstring> folders;

    struct FolderQuery {
        int csidl;
        DWORD flags;
    };
    std::vector<FolderQuery> folderQueries;

    struct FileOperation {
        UINT function;
        FILEOP_FLAGS flags;
        std::vector<std::wstring> from;  // the names of the double-NUL list
        bool toIsNull;
    };
    std::vector<FileOperation> fileOperations;

    HRESULT getFolderPath(int csidl, DWORD flags, wchar_t* path) override {
        folderQueries.push_back({csidl, flags});
        if (script.shouldFail("SHGetFolderPathW")) return E_FAIL;
        auto chosen = folders.find(csidl);
        if (chosen == folders.end()) return real().getFolderPath(csidl, flags, path);
        const std::wstring& folder = chosen->second;
        const size_t length = folder.size() < MAX_PATH - 1 ? folder.size() : MAX_PATH - 1;
        folder.copy(path, length);
        path[length] = L'\0';
        return S_OK;
    }

    int fileOperation(SHFILEOPSTRUCTW* operation) override {
        FileOperation seen{operation->wFunc, operation->fFlags, {}, operation->pTo == nullptr};
        for (const wchar_t* name = operation->pFrom; *name != L'\0';
             name += std::wcslen(name) + 1) {
            seen.from.push_back(name);
        }
        fileOperations.push_back(seen);
        if (script.shouldFail("SHFileOperationW")) return static_cast<int>(::GetLastError());
        return real().fileOperation(operation);
    }

  private:
    static platform::Shell& real() { return platform::Shell::win32(); }
};

}  // namespace fakes
