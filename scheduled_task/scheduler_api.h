// Which generation of the Task Scheduler interfaces the task is created and
// deleted with, decided by the operating system's version.
#pragma once

#include <cstdint>

enum class SchedulerApi : std::int32_t {
    // ITaskScheduler and ITask: systems before Windows NT 6.0.
    taskScheduler1 = 1,
    // ITaskService and its object model: Windows NT 6.0 and later.
    taskScheduler2 = 2,
};

// Task Scheduler 2.0 on an NT platform of major version 6 or more; 1.0 on any
// earlier version and on any other platform, also when the version cannot be
// read.
SchedulerApi selectSchedulerApi();
