// Creating the hourly task "Tessaly Vireo Player Updater", or setting an
// existing one back to hourly, through the generation of the Task Scheduler
// interfaces the system has. Each step that fails is logged under its own
// code with the last-error value; each call enters COM, releases every
// interface it obtained and leaves COM again before it returns.
#pragma once

#include <string>

#include "scheduled_task/scheduler_api.h"

// What one call of createDefaultTask works with.
struct TaskRegistrar {
    // The program the task starts, without arguments.
    std::wstring programPath;
    SchedulerApi api;
};

// Makes sure the scheduler holds the task that starts `programPath` once an
// hour under the local system account. A new task gets a daily trigger from
// a random minute past midnight on 1 January 2000, repeated every hour for a
// day; of an existing task only the first trigger's repetition interval is
// set to one hour. True when the task was stored, false when a step stopped.
bool createDefaultTask(std::wstring programPath);

// The two procedures createDefaultTask chooses between.
bool createTaskWithTaskScheduler1(const TaskRegistrar& registrar);
bool createTaskWithTaskScheduler2(const TaskRegistrar& registrar);
