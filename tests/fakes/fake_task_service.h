// A fake Task Scheduler 2.0: the task service that CoCreateInstance hands out
// and its object model (root folder, registered tasks, definitions with their
// settings, registration info, triggers, repetition patterns and actions),
// over a store of registered tasks by name. A definition handed out is a
// copy; only RegisterTaskDefinition puts one into the store. Any method can
// be made to fail through the shared FakeComObjects script, under names like
// "IDailyTrigger::put_Id"; every BSTR a method receives must be one the fake
// OLE automation allocated and has not freed.
#pragma once

#include <windows.h>

#include <taskschd.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/fakes/fake_com_objects.h"

namespace fakes {

struct StoredTrigger {
    TASK_TRIGGER_TYPE2 type = TASK_TRIGGER_DAILY;
    std::optional<std::wstring> id;
    std::optional<std::wstring> startBoundary;
    std::optional<short> daysInterval;
    std::optional<std::wstring> interval;
    std::optional<std::wstring> duration;
};

struct StoredAction {
    TASK_ACTION_TYPE type = TASK_ACTION_EXEC;
    std::optional<std::wstring> path;
    std::optional<std::wstring> arguments;
    std::optional<std::wstring> workingDirectory;
};

struct StoredDefinition {
    std::optional<TASK_COMPATIBILITY> compatibility;
    std::optional<VARIANT_BOOL> disallowStartIfOnBatteries;
    std::optional<VARIANT_BOOL> runOnlyIfNetworkAvailable;
    std::optional<std::wstring> author;
    std::optional<std::wstring> description;
    std::vector<StoredTrigger> triggers;
    std::vector<StoredAction> actions;
};

// A variant argument as it arrived: its type and, for VT_BSTR, its text.
struct VariantArgument {
    VARTYPE type = VT_EMPTY;
    std::wstring text;

    bool operator==(const VariantArgument& other) const {
        return type == other.type && text == other.text;
    }
};

struct StoredRegistration {
    StoredDefinition definition;
    LONG flags = 0;
    VariantArgument user;
    VariantArgument password;
    TASK_LOGON_TYPE logonType = TASK_LOGON_NONE;
    VariantArgument securityDescriptor;
};

class FakeTaskService {
  public:
    explicit FakeTaskService(FakeComObjects& objects) : objects_(objects) {}

    // The tasks of the root folder by name.
    std::map<std::wstring, StoredRegistration> tasks;

    // The four arguments of each Connect call.
    std::vector<std::vector<VariantArgument>> connections;
    // The paths GetFolder was asked for.
    std::vector<std::wstring> foldersOpened;

    // Tells whether a BSTR is one the code allocated and still owns; set by
    // the test set-up from the fake OLE automation.
    std::function<bool(BSTR)> isLiveBstr;

    // A new task service with one reference, as CoCreateInstance of
    // CLSID_TaskScheduler hands it out.
    ITaskService* newService();

    // The text of a BSTR argument; a fault when it is not a live BSTR.
    std::wstring textOf(BSTR text, const char* call);
    VariantArgument argumentOf(const VARIANT& value, const char* call);

  private:
    FakeComObjects& objects_;
};

}  // namespace fakes
