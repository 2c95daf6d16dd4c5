// Creating or updating the task through Task Scheduler 1.0 (ITaskScheduler,
// ITask, ITaskTrigger, IPersistFile), on systems before Windows NT 6.0.
#include <windows.h>

#include <mstask.h>

#include "log/install_log.h"
#include "platform/com_ptr.h"
#include "scheduled_task/call_outcome.h"
#include "scheduled_task/start_time.h"
#include "scheduled_task/task_description.h"
#include "scheduled_task/task_identity.h"
#include "scheduled_task/task_registrar.h"
#include "scheduled_task/task_scheduler1_session.h"

namespace {

static_assert(sizeof(TASK_TRIGGER) == 48, "the trigger record as the 1.0 scheduler defines it");

constexpr DWORD kMinutesInterval = 60;
constexpr DWORD kMinutesDuration = 24 * 60;
constexpr WORD kBeginYear = 2000;
// What Activate answers for a task that does not exist.
const HRESULT kTaskNotFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

// Writes `code` at its level and answers false; the caller's holders then
// release what was obtained and leave the apartment.
bool stop(MessageCode code, const CallOutcome& outcome) {
    logFailure(code, outcome);
    return false;
}

// A new task's trigger: daily, every day, from 1 January 2000 at 00:mm local
// time, every 60 minutes for a whole day, no end date.
TASK_TRIGGER newTaskTrigger() {
    TASK_TRIGGER trigger = {};
    trigger.cbTriggerSize = sizeof(TASK_TRIGGER);
    trigger.wBeginYear = kBeginYear;
    trigger.wBeginMonth = 1;
    trigger.wBeginDay = 1;
    trigger.wStartHour = 0;
    trigger.wStartMinute = drawStartMinute();
    trigger.MinutesDuration = kMinutesDuration;
    trigger.MinutesInterval = kMinutesInterval;
    trigger.rgFlags = 0;
    trigger.TriggerType = TASK_TIME_TRIGGER_DAILY;
    trigger.Type.Daily.DaysInterval = 1;
    trigger.wRandomMinutesInterval = 0;
    return trigger;
}

// Sets the first trigger of the existing `task` to hourly and saves the task.
bool updateExistingTask(TaskScheduler1Session& session, platform::ComPtr<ITask>& task) {
    session.scheduler.reset();

    WORD count = 0;
    const CallOutcome counted = outcomeOf(task->GetTriggerCount(&count));
    if (counted.failed()) return stop(msg::kTs1TriggerCountFailed, counted);
    if (count < 1) return stop(msg::kTs1NoTrigger, currentLastError());

    platform::ComPtr<ITaskTrigger> trigger;
    const CallOutcome fetched = outcomeOf(task->GetTrigger(0, trigger.put()));
    if (fetched.failed()) return stop(msg::kTs1TriggerFetchFailed, fetched);

    TASK_TRIGGER record = {};
    record.cbTriggerSize = sizeof(TASK_TRIGGER);
    const CallOutcome read = outcomeOf(trigger->GetTrigger(&record));
    if (read.failed()) return stop(msg::kTs1TriggerReadFailed, read);

    record.MinutesInterval = kMinutesInterval;
    const CallOutcome written = outcomeOf(trigger->SetTrigger(&record));
    trigger.reset();
    if (written.failed()) return stop(msg::kTs1TriggerWriteFailed, written);

    platform::ComPtr<IPersistFile> file;
    const CallOutcome queried = outcomeOf(task->QueryInterface(IID_IPersistFile, file.putVoid()));
    task.reset();
    if (queried.failed()) return stop(msg::kTs1ExistingPersistFailed, queried);

    // No file name: the scheduler stores the task in its own folder under
    // the name it was opened with.
    const CallOutcome saved = outcomeOf(file->Save(nullptr, TRUE));
    file.reset();
    if (saved.failed()) return stop(msg::kTs1ExistingSaveFailed, saved);
    logMessage(msg::kTs1ExistingUpdated);
    return true;
}

// Builds the task anew and saves it.
bool createNewTask(TaskScheduler1Session& session, const TaskRegistrar& registrar) {
    platform::ComPtr<ITask> task;
    const CallOutcome made = outcomeOf(
        session.scheduler->NewWorkItem(kTaskName, CLSID_CTask, IID_ITask, task.putUnknown()));
    session.scheduler.reset();
    if (made.failed()) return stop(msg::kTs1WorkItemNotCreated, made);

    // An empty account name without a password is the local system account.
    const CallOutcome account = outcomeOf(task->SetAccountInformation(L"", nullptr));
    if (account.failed()) return stop(msg::kTs1AccountNotSet, account);

    WORD triggerIndex = 0;
    platform::ComPtr<ITaskTrigger> trigger;
    const CallOutcome triggerMade = outcomeOf(task->CreateTrigger(&triggerIndex, trigger.put()));
    if (triggerMade.failed()) return stop(msg::kTs1TriggerNotCreated, triggerMade);

    // These four only describe the task; it is stored without them.
    const CallOutcome creator = outcomeOf(task->SetCreator(kTaskAuthor));
    if (creator.failed()) logFailure(msg::kTs1CreatorNotSet, creator);
    const std::wstring description = loadTaskDescription();
    const CallOutcome comment = outcomeOf(task->SetComment(description.c_str()));
    if (comment.failed()) logFailure(msg::kTs1CommentNotSet, comment);
    const CallOutcome program = outcomeOf(task->SetApplicationName(registrar.programPath.c_str()));
    if (program.failed()) logFailure(msg::kTs1ProgramNotSet, program);
    const CallOutcome flags = outcomeOf(task->SetFlags(TASK_FLAG_RUN_IF_CONNECTED_TO_INTERNET));
    if (flags.failed()) logFailure(msg::kTs1FlagsNotSet, flags);

    TASK_TRIGGER record = newTaskTrigger();
    const CallOutcome written = outcomeOf(trigger->SetTrigger(&record));
    trigger.reset();
    if (written.failed()) return stop(msg::kTs1TriggerNotSet, written);

    platform::ComPtr<IPersistFile> file;
    const CallOutcome queried = outcomeOf(task->QueryInterface(IID_IPersistFile, file.putVoid()));
    task.reset();
    if (queried.failed()) return stop(msg::kTs1NewPersistFailed, queried);

    const CallOutcome saved = outcomeOf(file->Save(nullptr, TRUE));
    file.reset();
    if (saved.failed()) return stop(msg::kTs1NewSaveFailed, saved);
    logMessage(msg::kTs1Created);
    return true;
}

}  // namespace

bool createTaskWithTaskScheduler1(const TaskRegistrar& registrar) {
    TaskScheduler1Session session;
    if (!session.open({msg::kTs1ComInitFailed, msg::kTs1SchedulerNotCreated})) return false;

    platform::ComPtr<ITask> task;
    const CallOutcome opened =
        outcomeOf(session.scheduler->Activate(kTaskName, IID_ITask, task.putUnknown()));
    if (!opened.failed()) return updateExistingTask(session, task);
    if (opened.result == kTaskNotFound) return createNewTask(session, registrar);
    return stop(msg::kTs1LookupFailed, opened);
}
