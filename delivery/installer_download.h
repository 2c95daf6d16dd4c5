// Downloading a flavour's installer package: one HTTP GET from the package
// host, streamed into a file in a private folder under the temporary path,
// read back, deleted, verified against the built-in root, and its signed
// content written as "VireoPlayerInstaller.exe" into the current directory.
// Holds no state between calls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// The package paths on the package host, by flavour.
extern const wchar_t kActiveXPackagePath[];
extern const wchar_t kPluginPackagePath[];
// The installer program, written into the current directory.
extern const wchar_t kInstallerFileName[];
// A body larger than this ends the download as a failed read.
constexpr std::uint64_t kMaximumPackageLength = 256ull * 1024 * 1024;

class InstallerDownload {
  public:
    // Downloads the package of `flavourCode` (1 ActiveX, 2 Plugin) from
    // `packageHost` on port 80, whatever the response's status, and writes its
    // verified content as the installer file. Returns true only when that file
    // has been written completely; false after any failure, each logged under
    // its code (1200 to 1217), with the download file and its folder removed.
    // Memory running out before verification arrives as std::bad_alloc (the
    // download file and folder are removed on the way out); during
    // verification and writing it makes the answer false without a message.
    bool downloadPackage(std::uint32_t flavourCode);

    // Reads the whole file `path` into `bytes`, which is replaced only on
    // success. False when the file cannot be opened, is empty or cannot be
    // read completely, with the thread's last error telling why (38 for an
    // empty or shortened file).
    static bool readWholeFile(const wchar_t* path, std::vector<BYTE>& bytes);
};
