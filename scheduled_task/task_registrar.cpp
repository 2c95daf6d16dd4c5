#include "scheduled_task/task_registrar.h"

#include <utility>

bool createDefaultTask(std::wstring programPath) {
    const TaskRegistrar registrar{std::move(programPath), selectSchedulerApi()};
    if (registrar.api == SchedulerApi::taskScheduler1) {
        return createTaskWithTaskScheduler1(registrar);
    }
    return createTaskWithTaskScheduler2(registrar);
}
