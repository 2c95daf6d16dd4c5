#include "scheduled_task/task_scheduler1_session.h"

#include "platform/facility.h"
#include "scheduled_task/call_outcome.h"

bool TaskScheduler1Session::open(const Codes& codes) {
    platform::Com& com = platform::use<platform::Com>();
    const CallOutcome initialised = outcomeOf(com.coInitialize(nullptr));
    apartment_.emplace(initialised.result);
    if (initialised.failed()) {
        logFailure(codes.comInitFailed, initialised);
        return false;
    }
    const CallOutcome created =
        outcomeOf(com.coCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_ITaskScheduler, scheduler.putVoid()));
    if (created.failed()) {
        logFailure(codes.schedulerNotCreated, created);
        return false;
    }
    return true;
}
