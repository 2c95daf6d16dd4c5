// Creating or updating the task through Task Scheduler 2.0 (ITaskService and
// its object model), on Windows NT 6.0 and later.
#include <windows.h>

#include <taskschd.h>

#include "log/install_log.h"
#include "platform/com_ptr.h"
#include "platform/ole_automation.h"
#include "scheduled_task/call_outcome.h"
#include "scheduled_task/start_time.h"
#include "scheduled_task/task_description.h"
#include "scheduled_task/task_identity.h"
#include "scheduled_task/task_registrar.h"
#include "scheduled_task/task_service_session.h"

namespace {

const wchar_t kTriggerId[] = L"UpdateTrigger";
const wchar_t kRepetitionInterval[] = L"PT1H";
const wchar_t kRepetitionDuration[] = L"P1D";
const wchar_t kRegistrationUser[] = L"SYSTEM";
const wchar_t kRegistrationSecurityDescriptor[] = L"";
// Trigger collections count from 1.
constexpr LONG kFirstTriggerIndex = 1;

// Writes `code` at its level and answers false; the caller's holders then
// release what was obtained and leave the apartment.
bool stop(MessageCode code, const CallOutcome& outcome) {
    logFailure(code, outcome);
    return false;
}

// Registers `definition` as the task, creating it or replacing a task of that
// name, for the account "SYSTEM".
CallOutcome registerDefinition(ITaskFolder* folder, ITaskDefinition* definition,
                               platform::ComPtr<IRegisteredTask>& registered) {
    platform::ScopedVariant user, password, securityDescriptor;
    if (!user.holdText(kRegistrationUser) ||
        !securityDescriptor.holdText(kRegistrationSecurityDescriptor)) {
        return outOfMemoryOutcome();
    }
    return callWithText(kTaskName, [&](BSTR name) {
        return folder->RegisterTaskDefinition(name, definition, TASK_CREATE_OR_UPDATE, user.get(),
                                              password.get(), TASK_LOGON_INTERACTIVE_TOKEN,
                                              securityDescriptor.get(), registered.put());
    });
}

// Sets the first trigger of the registered task `existing` to hourly and
// registers its definition again.
bool updateExistingTask(TaskServiceSession& session, platform::ComPtr<IRegisteredTask>& existing) {
    platform::ComPtr<ITaskDefinition> definition;
    const CallOutcome defined = outcomeOf(existing->get_Definition(definition.put()));
    existing.reset();
    if (defined.failed()) return stop(msg::kTs2DefinitionReadFailed, defined);

    platform::ComPtr<ITriggerCollection> triggers;
    const CallOutcome listed = outcomeOf(definition->get_Triggers(triggers.put()));
    if (listed.failed()) return stop(msg::kTs2TriggersReadFailed, listed);

    LONG count = 0;
    const CallOutcome counted = outcomeOf(triggers->get_Count(&count));
    if (counted.failed()) return stop(msg::kTs2TriggerCountFailed, counted);
    if (count < 1) return stop(msg::kTs2NoTrigger, currentLastError());

    platform::ComPtr<ITrigger> trigger;
    const CallOutcome fetched = outcomeOf(triggers->get_Item(kFirstTriggerIndex, trigger.put()));
    triggers.reset();
    if (fetched.failed()) return stop(msg::kTs2TriggerFetchFailed, fetched);

    platform::ComPtr<IRepetitionPattern> repetition;
    const CallOutcome repeated = outcomeOf(trigger->get_Repetition(repetition.put()));
    trigger.reset();
    if (repeated.failed()) return stop(msg::kTs2RepetitionReadFailed, repeated);

    const CallOutcome interval = callWithText(
        kRepetitionInterval, [&](BSTR text) { return repetition->put_Interval(text); });
    repetition.reset();
    if (interval.failed()) return stop(msg::kTs2IntervalSetFailed, interval);

    platform::ComPtr<IRegisteredTask> registered;
    const CallOutcome stored =
        registerDefinition(session.rootFolder.get(), definition.get(), registered);
    definition.reset();
    if (stored.failed()) return stop(msg::kTs2ExistingRegisterFailed, stored);
    logMessage(msg::kTs2ExistingUpdated);
    return true;
}

// The new definition's settings: compatible with 1.0, may start on
// batteries, runs only with a network. A setting that fails is logged and
// the task made without it.
bool applySettings(ITaskDefinition* definition) {
    platform::ComPtr<ITaskSettings> settings;
    const CallOutcome read = outcomeOf(definition->get_Settings(settings.put()));
    if (read.failed()) return stop(msg::kTs2SettingsReadFailed, read);
    const CallOutcome compatibility = outcomeOf(settings->put_Compatibility(TASK_COMPATIBILITY_V1));
    if (compatibility.failed()) logFailure(msg::kTs2CompatibilityNotSet, compatibility);
    const CallOutcome batteries =
        outcomeOf(settings->put_DisallowStartIfOnBatteries(VARIANT_FALSE));
    if (batteries.failed()) logFailure(msg::kTs2BatteriesNotSet, batteries);
    const CallOutcome network = outcomeOf(settings->put_RunOnlyIfNetworkAvailable(VARIANT_TRUE));
    if (network.failed()) logFailure(msg::kTs2NetworkNotSet, network);
    return true;
}

// The new definition's author and description.
bool applyRegistrationInfo(ITaskDefinition* definition) {
    platform::ComPtr<IRegistrationInfo> info;
    const CallOutcome read = outcomeOf(definition->get_RegistrationInfo(info.put()));
    if (read.failed()) return stop(msg::kTs2RegistrationInfoFailed, read);
    const CallOutcome author =
        callWithText(kTaskAuthor, [&](BSTR text) { return info->put_Author(text); });
    if (author.failed()) return stop(msg::kTs2AuthorNotSet, author);
    const std::wstring descriptionText = loadTaskDescription();
    const CallOutcome description = callWithText(
        descriptionText.c_str(), [&](BSTR text) { return info->put_Description(text); });
    if (description.failed()) return stop(msg::kTs2DescriptionNotSet, description);
    return true;
}

// The new definition's daily trigger: every day from a random minute past
// midnight on 1 January 2000 (UTC), repeated every hour for a day.
bool addDailyTrigger(ITaskDefinition* definition) {
    platform::ComPtr<ITriggerCollection> triggers;
    const CallOutcome listed = outcomeOf(definition->get_Triggers(triggers.put()));
    if (listed.failed()) return stop(msg::kTs2TriggerCollectionFailed, listed);

    platform::ComPtr<ITrigger> trigger;
    const CallOutcome created = outcomeOf(triggers->Create(TASK_TRIGGER_DAILY, trigger.put()));
    triggers.reset();
    if (created.failed()) return stop(msg::kTs2DailyTriggerNotCreated, created);

    platform::ComPtr<IDailyTrigger> daily;
    const CallOutcome queried =
        outcomeOf(trigger->QueryInterface(IID_IDailyTrigger, daily.putVoid()));
    trigger.reset();
    if (queried.failed()) return stop(msg::kTs2DailyTriggerInterfaceFailed, queried);

    const CallOutcome id = callWithText(kTriggerId, [&](BSTR text) { return daily->put_Id(text); });
    if (id.failed()) logFailure(msg::kTs2TriggerIdNotSet, id);
    const std::wstring startBoundary = makeStartBoundary();
    const CallOutcome start = callWithText(
        startBoundary.c_str(), [&](BSTR text) { return daily->put_StartBoundary(text); });
    if (start.failed()) logFailure(msg::kTs2StartBoundaryNotSet, start);
    const CallOutcome days = outcomeOf(daily->put_DaysInterval(1));
    if (days.failed()) return stop(msg::kTs2DayIntervalNotSet, days);

    platform::ComPtr<IRepetitionPattern> repetition;
    const CallOutcome repeated = outcomeOf(daily->get_Repetition(repetition.put()));
    daily.reset();
    if (repeated.failed()) return stop(msg::kTs2NewRepetitionReadFailed, repeated);
    const CallOutcome duration = callWithText(
        kRepetitionDuration, [&](BSTR text) { return repetition->put_Duration(text); });
    if (duration.failed()) return stop(msg::kTs2DurationNotSet, duration);
    const CallOutcome interval = callWithText(
        kRepetitionInterval, [&](BSTR text) { return repetition->put_Interval(text); });
    if (interval.failed()) return stop(msg::kTs2NewIntervalNotSet, interval);
    return true;
}

// The new definition's one action: the program, without arguments or
// working directory.
bool addProgramAction(ITaskDefinition* definition, const std::wstring& programPath) {
    platform::ComPtr<IActionCollection> actions;
    const CallOutcome listed = outcomeOf(definition->get_Actions(actions.put()));
    if (listed.failed()) return stop(msg::kTs2ActionCollectionFailed, listed);

    platform::ComPtr<IAction> action;
    const CallOutcome created = outcomeOf(actions->Create(TASK_ACTION_EXEC, action.put()));
    actions.reset();
    if (created.failed()) return stop(msg::kTs2ActionNotCreated, created);

    platform::ComPtr<IExecAction> exec;
    const CallOutcome queried = outcomeOf(action->QueryInterface(IID_IExecAction, exec.putVoid()));
    action.reset();
    if (queried.failed()) return stop(msg::kTs2ActionInterfaceFailed, queried);

    const CallOutcome path =
        callWithText(programPath.c_str(), [&](BSTR text) { return exec->put_Path(text); });
    if (path.failed()) return stop(msg::kTs2ProgramPathNotSet, path);
    return true;
}

// Builds a new definition and registers it, replacing any task of that name.
bool createNewTask(TaskServiceSession& session, const TaskRegistrar& registrar) {
    platform::ComPtr<ITaskDefinition> definition;
    const CallOutcome made = outcomeOf(session.service->NewTask(0, definition.put()));
    session.service.reset();
    if (made.failed()) return stop(msg::kTs2DefinitionNotCreated, made);

    if (!applySettings(definition.get()) || !applyRegistrationInfo(definition.get()) ||
        !addDailyTrigger(definition.get()) ||
        !addProgramAction(definition.get(), registrar.programPath)) {
        return false;
    }

    platform::ComPtr<IRegisteredTask> registered;
    const CallOutcome stored =
        registerDefinition(session.rootFolder.get(), definition.get(), registered);
    if (stored.failed()) return stop(msg::kTs2NewRegisterFailed, stored);
    logMessage(msg::kTs2Created);
    return true;
}

}  // namespace

bool createTaskWithTaskScheduler2(const TaskRegistrar& registrar) {
    TaskServiceSession session;
    if (!session.open({msg::kTs2ComInitFailed, msg::kTs2ComSecurityFailed,
                       msg::kTs2ServiceNotCreated, msg::kTs2ConnectFailed,
                       msg::kTs2RootFolderFailed})) {
        return false;
    }
    // Whatever GetTask answers: without a registered task the task is made
    // anew, and registering it replaces one of that name.
    platform::ComPtr<IRegisteredTask> existing;
    callWithText(kTaskName,
                 [&](BSTR name) { return session.rootFolder->GetTask(name, existing.put()); });
    if (existing) return updateExistingTask(session, existing);
    return createNewTask(session, registrar);
}
