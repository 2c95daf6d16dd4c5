#include "scheduled_task/task_removal.h"

#include <windows.h>

#include <mstask.h>
#include <taskschd.h>

#include "scheduled_task/call_outcome.h"
#include "scheduled_task/scheduler_api.h"
#include "scheduled_task/task_identity.h"
#include "scheduled_task/task_scheduler1_session.h"
#include "scheduled_task/task_service_session.h"

namespace {

bool deleteWithTaskScheduler1() {
    TaskScheduler1Session session;
    if (!session.open({msg::kTs1DeleteComInitFailed, msg::kTs1DeleteSchedulerNotCreated})) {
        return false;
    }
    return session.scheduler->Delete(kTaskName) == S_OK;
}

bool deleteWithTaskScheduler2() {
    TaskServiceSession session;
    if (!session.open({msg::kTs2DeleteComInitFailed, msg::kTs2DeleteComSecurityFailed,
                       msg::kTs2DeleteServiceNotCreated, msg::kTs2DeleteConnectFailed,
                       msg::kTs2DeleteRootFolderFailed})) {
        return false;
    }
    const CallOutcome deleted =
        callWithText(kTaskName, [&](BSTR name) { return session.rootFolder->DeleteTask(name, 0); });
    return deleted.result == S_OK;
}

}  // namespace

bool deleteDefaultTask() {
    if (selectSchedulerApi() == SchedulerApi::taskScheduler1) return deleteWithTaskScheduler1();
    return deleteWithTaskScheduler2();
}
