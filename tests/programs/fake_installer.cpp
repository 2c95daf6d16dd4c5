// A stand-in for the installer program: it writes the command line it was
// started with, as UTF-8, to "installer_command_line.txt" in its current
// directory, and its own full path to "installer_program_path.txt".
#include <windows.h>

#include <cstdio>

namespace {

void writeUtf8(const wchar_t* fileName, const wchar_t* text) {
    char utf8[4096] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
    FILE* file = _wfopen(fileName, L"wb");
    if (file == nullptr) return;
    std::fputs(utf8, file);
    std::fclose(file);
}

}  // namespace

int wmain() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    writeUtf8(L"installer_program_path.txt", path);
    // Written last: the test waits for this file.
    writeUtf8(L"installer_command_line.txt", ::GetCommandLineW());
    return 0;
}
