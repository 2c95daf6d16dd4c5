// The first steps that creating and deleting the task through Task Scheduler
// 2.0 share: the multithreaded apartment, the process-wide COM security, the
// task service connected to the local machine, and its root folder.
#pragma once

#include <windows.h>

#include <taskschd.h>

#include <optional>

#include "log/message_codes.h"
#include "platform/com.h"
#include "platform/com_ptr.h"

class TaskServiceSession {
    // Declared first so that it goes last, after every interface.
    std::optional<platform::ComInitialization> apartment_;

  public:
    // The codes each procedure logs for the five steps.
    struct Codes {
        MessageCode comInitFailed;
        MessageCode comSecurityFailed;
        MessageCode serviceNotCreated;
        MessageCode connectFailed;
        MessageCode rootFolderFailed;
    };

    // CoInitializeEx (multithreaded), CoInitializeSecurity (packet privacy,
    // impersonation), the task service (CLSID_TaskScheduler, in-process),
    // Connect with four empty variants (this machine, the current user), and
    // the root folder "\". On the first failure logs its code with the
    // last-error value and answers false. Whatever the session obtained is
    // released, and the apartment left, when the session goes.
    bool open(const Codes& codes);

    platform::ComPtr<ITaskService> service;
    platform::ComPtr<ITaskFolder> rootFolder;
};
