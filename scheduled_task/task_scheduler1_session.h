// The first steps that creating and deleting the task through Task Scheduler
// 1.0 share: entering a single-threaded apartment and creating the scheduler.
#pragma once

#include <windows.h>

#include <mstask.h>

#include <optional>

#include "log/message_codes.h"
#include "platform/com.h"
#include "platform/com_ptr.h"

class TaskScheduler1Session {
    // Declared first so that it goes last, after every interface.
    std::optional<platform::ComInitialization> apartment_;

  public:
    // The codes each procedure logs for the two steps.
    struct Codes {
        MessageCode comInitFailed;
        MessageCode schedulerNotCreated;
    };

    // CoInitialize, then the scheduler (CLSID_CTaskScheduler, in-process). On
    // the first failure logs its code with the last-error value and answers
    // false. Whatever the session obtained is released, and the apartment
    // left, when the session goes.
    bool open(const Codes& codes);

    platform::ComPtr<ITaskScheduler> scheduler;
};
