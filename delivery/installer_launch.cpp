#include "delivery/installer_launch.h"

#include <windows.h>

#include <new>
#include <vector>

#include "common/allocation_failure.h"
#include "delivery/installer_download.h"
#include "log/install_log.h"
#include "platform/process_paths.h"
#include "platform/processes.h"

const wchar_t kInstallerCommandLine[] = L"VireoPlayerInstaller.exe -install -iv 9";

namespace {}  // namespace

bool installFlavour(const ComponentVersion& version) {
    try {
        if (!InstallerDownload().downloadPackage(version.flavourCode)) return false;
    } catch (const std::bad_alloc&) {
        logLastError(msg::kDownloadOutOfMemory, lastErrorOfAllocationFailure());
        return false;
    }
    try {
        // Writable, as process creation may write into it.
        std::vector<wchar_t> commandLine(
            kInstallerCommandLine,
            kInstallerCommandLine + sizeof kInstallerCommandLine / sizeof(wchar_t));
        return launchInstaller(commandLine.data());
    } catch (const std::bad_alloc&) {
        logLastError(msg::kLaunchOutOfMemory, lastErrorOfAllocationFailure());
        return false;
    }
}

bool launchInstaller(wchar_t* commandLine) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION information = {};

    // The file the download just wrote: the current directory and its name.
    wchar_t programPath[MAX_PATH] = {};
    const DWORD pathLength = platform::use<platform::ProcessPaths>().getFullPathName(
        kInstallerFileName, MAX_PATH, programPath);
    BOOL created = FALSE;
    if (pathLength == 0 || pathLength >= MAX_PATH) {
        if (pathLength != 0) ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    } else {
        created = platform::use<platform::Processes>().createProcess(
            programPath, commandLine, FALSE, DETACHED_PROCESS | CREATE_DEFAULT_ERROR_MODE, &startup,
            &information);
    }
    const DWORD lastError = ::GetLastError();
    platform::UniqueProcessHandle process(information.hProcess);
    platform::UniqueProcessHandle thread(information.hThread);

    if (created) {
        logMessage(msg::kInstallerStarted);
    } else {
        logLastError(msg::kInstallerStartFailed, lastError);
    }
    process.reset();
    thread.reset();
    return created != FALSE;
}
