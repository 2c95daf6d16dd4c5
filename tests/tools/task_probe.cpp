// vireo_task_probe.exe: a helper of the integration tests, run under Wine
// next to the updater. It reads and changes Task Scheduler 1.0 tasks through
// the scheduler's own interfaces, reports the version the system claims, and
// calls the updater's task operations directly so that their results can be
// seen (the program's exit code does not carry them). Each command writes
// one JSON object, UTF-8, to the file named last on its command line:
//
//   version OUT                        platform, version, chosen generation
//   show NAME OUT                      the 1.0 task NAME, or {"exists": false}
//   set-interval NAME INDEX MINUTES OUT   changes one trigger's interval, saves
//   add-trigger NAME MINUTES OUT       adds a copy of the first trigger with
//                                      another interval, saves
//   clear-triggers NAME OUT            deletes every trigger, saves
//   register2 NAME PROGRAM OUT         registers a task NAME that starts
//                                      PROGRAM in the 2.0 root folder
//   create PROGRAM OUT                 createDefaultTask(PROGRAM)
//   delete OUT                         deleteDefaultTask()
//
// This program has no string table of its own, so a task it creates carries
// the description of a missing string.
#include <windows.h>

#include <mstask.h>
#include <taskschd.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "scheduled_task/scheduler_api.h"
#include "scheduled_task/task_registrar.h"
#include "scheduled_task/task_removal.h"

namespace {

std::string utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &result[0], size,
                          nullptr, nullptr);
    return result;
}

std::string quoted(const std::wstring& text) {
    std::string result = "\"";
    for (char c : utf8(text)) {
        if (c == '"' || c == '\\') {
            result += '\\';
            result += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\u%04x", c);
            result += escape;
        } else {
            result += c;
        }
    }
    return result + "\"";
}

std::string number(unsigned long value) { return std::to_string(value); }

bool writeOutput(const wchar_t* path, const std::string& json) {
    FILE* file = _wfopen(path, L"wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(json.data(), 1, json.size(), file) == json.size();
    return std::fclose(file) == 0 && written;
}

std::string failure(const char* step, HRESULT result) {
    char text[32];
    std::snprintf(text, sizeof(text), "0x%08lx", static_cast<unsigned long>(result));
    return std::string("{\"error\": \"") + step + "\", \"hresult\": \"" + text + "\"}";
}

// Text a 1.0 getter hands out; the scheduler allocated it with CoTaskMemAlloc.
std::string takeText(HRESULT result, LPWSTR text) {
    if (FAILED(result) || text == nullptr) return "null";
    const std::string value = quoted(text);
    ::CoTaskMemFree(text);
    return value;
}

std::string triggerJson(const TASK_TRIGGER& t) {
    return "{\"size\": " + number(t.cbTriggerSize) + ", \"begin\": [" + number(t.wBeginYear) +
           ", " + number(t.wBeginMonth) + ", " + number(t.wBeginDay) + "], \"end\": [" +
           number(t.wEndYear) + ", " + number(t.wEndMonth) + ", " + number(t.wEndDay) +
           "], \"start\": [" + number(t.wStartHour) + ", " + number(t.wStartMinute) +
           "], \"duration\": " + number(t.MinutesDuration) +
           ", \"interval\": " + number(t.MinutesInterval) + ", \"flags\": " + number(t.rgFlags) +
           ", \"type\": " + number(static_cast<unsigned long>(t.TriggerType)) +
           ", \"days_interval\": " + number(t.Type.Daily.DaysInterval) +
           ", \"random_minutes\": " + number(t.wRandomMinutesInterval) + "}";
}

// The 1.0 scheduler for one command, in its own apartment.
class Scheduler {
  public:
    Scheduler() {
        initialised_ = SUCCEEDED(::CoInitialize(nullptr));
        if (initialised_) {
            created_ =
                ::CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_ITaskScheduler, reinterpret_cast<void**>(&scheduler_));
        }
    }
    ~Scheduler() {
        if (scheduler_ != nullptr) scheduler_->Release();
        if (initialised_) ::CoUninitialize();
    }
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    ITaskScheduler* get() const { return scheduler_; }
    HRESULT created() const { return initialised_ ? created_ : E_FAIL; }

  private:
    bool initialised_ = false;
    HRESULT created_ = E_FAIL;
    ITaskScheduler* scheduler_ = nullptr;
};

// One text of the task through `getter`, or null when it cannot be read.
template <class Getter>
std::string textOf(ITask* task, Getter getter) {
    LPWSTR text = nullptr;
    const HRESULT result = (task->*getter)(&text);
    return takeText(result, text);
}

std::string show(ITask* task) {
    std::string json = "{\"exists\": true";
    json += ", \"application\": " + textOf(task, &ITask::GetApplicationName);
    json += ", \"parameters\": " + textOf(task, &ITask::GetParameters);
    json += ", \"creator\": " + textOf(task, &ITask::GetCreator);
    json += ", \"comment\": " + textOf(task, &ITask::GetComment);
    json += ", \"account\": " + textOf(task, &ITask::GetAccountInformation);
    DWORD flags = 0;
    json += ", \"flags\": " + (SUCCEEDED(task->GetFlags(&flags)) ? number(flags) : "null");
    WORD count = 0;
    json += ", \"triggers\": [";
    if (SUCCEEDED(task->GetTriggerCount(&count))) {
        for (WORD i = 0; i < count; ++i) {
            ITaskTrigger* trigger = nullptr;
            TASK_TRIGGER record = {};
            record.cbTriggerSize = sizeof(record);
            if (SUCCEEDED(task->GetTrigger(i, &trigger))) {
                trigger->GetTrigger(&record);
                trigger->Release();
            }
            json += (i == 0 ? "" : ", ") + triggerJson(record);
        }
    }
    return json + "]}";
}

// Changes the task NAME with `change` and saves it; the JSON of the outcome.
template <class Change>
std::string changeTask(const wchar_t* name, Change change) {
    Scheduler scheduler;
    if (FAILED(scheduler.created())) return failure("scheduler", scheduler.created());
    ITask* task = nullptr;
    HRESULT result =
        scheduler.get()->Activate(name, IID_ITask, reinterpret_cast<IUnknown**>(&task));
    if (FAILED(result)) return failure("activate", result);
    result = change(task);
    if (SUCCEEDED(result)) {
        IPersistFile* file = nullptr;
        result = task->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        if (SUCCEEDED(result)) {
            result = file->Save(nullptr, TRUE);
            file->Release();
        }
    }
    task->Release();
    return FAILED(result) ? failure("change", result) : std::string("{\"changed\": true}");
}

HRESULT setInterval(ITask* task, WORD index, DWORD minutes) {
    ITaskTrigger* trigger = nullptr;
    HRESULT result = task->GetTrigger(index, &trigger);
    if (FAILED(result)) return result;
    TASK_TRIGGER record = {};
    record.cbTriggerSize = sizeof(record);
    result = trigger->GetTrigger(&record);
    if (SUCCEEDED(result)) {
        record.MinutesInterval = minutes;
        result = trigger->SetTrigger(&record);
    }
    trigger->Release();
    return result;
}

HRESULT addTrigger(ITask* task, DWORD minutes) {
    ITaskTrigger* first = nullptr;
    HRESULT result = task->GetTrigger(0, &first);
    if (FAILED(result)) return result;
    TASK_TRIGGER record = {};
    record.cbTriggerSize = sizeof(record);
    result = first->GetTrigger(&record);
    first->Release();
    if (FAILED(result)) return result;
    record.MinutesInterval = minutes;
    WORD index = 0;
    ITaskTrigger* added = nullptr;
    result = task->CreateTrigger(&index, &added);
    if (FAILED(result)) return result;
    result = added->SetTrigger(&record);
    added->Release();
    return result;
}

HRESULT clearTriggers(ITask* task) {
    WORD count = 0;
    HRESULT result = task->GetTriggerCount(&count);
    while (SUCCEEDED(result) && count > 0) {
        result = task->DeleteTrigger(static_cast<WORD>(count - 1));
        if (SUCCEEDED(result)) result = task->GetTriggerCount(&count);
    }
    return result;
}

// Registers a task with one exec action, and nothing else, through Task
// Scheduler 2.0; the JSON of the outcome.
std::string registerTask2(const wchar_t* name, const wchar_t* program) {
    if (FAILED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return failure("com", E_FAIL);
    ITaskService* service = nullptr;
    ITaskFolder* folder = nullptr;
    ITaskDefinition* definition = nullptr;
    IActionCollection* actions = nullptr;
    IAction* action = nullptr;
    IExecAction* exec = nullptr;
    IRegisteredTask* registered = nullptr;
    VARIANT empty;
    ::VariantInit(&empty);
    BSTR root = ::SysAllocString(L"\\");
    BSTR taskName = ::SysAllocString(name);
    BSTR path = ::SysAllocString(program);
    const char* step = "create";
    HRESULT result = ::CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_ITaskService, reinterpret_cast<void**>(&service));
    if (SUCCEEDED(result)) {
        step = "connect";
        result = service->Connect(empty, empty, empty, empty);
    }
    if (SUCCEEDED(result)) {
        step = "folder";
        result = service->GetFolder(root, &folder);
    }
    if (SUCCEEDED(result)) {
        step = "definition";
        result = service->NewTask(0, &definition);
    }
    if (SUCCEEDED(result)) {
        step = "actions";
        result = definition->get_Actions(&actions);
    }
    if (SUCCEEDED(result)) {
        step = "action";
        result = actions->Create(TASK_ACTION_EXEC, &action);
    }
    if (SUCCEEDED(result)) {
        step = "exec";
        result = action->QueryInterface(IID_IExecAction, reinterpret_cast<void**>(&exec));
    }
    if (SUCCEEDED(result)) {
        step = "path";
        result = exec->put_Path(path);
    }
    if (SUCCEEDED(result)) {
        step = "register";
        result =
            folder->RegisterTaskDefinition(taskName, definition, TASK_CREATE_OR_UPDATE, empty,
                                           empty, TASK_LOGON_INTERACTIVE_TOKEN, empty, &registered);
    }
    IUnknown* held[] = {registered, exec, action, actions, definition, folder, service};
    for (IUnknown* object : held) {
        if (object != nullptr) object->Release();
    }
    ::SysFreeString(path);
    ::SysFreeString(taskName);
    ::SysFreeString(root);
    ::CoUninitialize();
    return FAILED(result) ? failure(step, result) : std::string("{\"registered\": true}");
}

std::string run(int argc, wchar_t** argv) {
    const std::wstring command = argv[1];
    if (command == L"version" && argc == 3) {
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof(info);
        ::GetVersionExA(&info);
        return "{\"platform\": " + number(info.dwPlatformId) +
               ", \"major\": " + number(info.dwMajorVersion) +
               ", \"minor\": " + number(info.dwMinorVersion) +
               ", \"api\": " + number(static_cast<unsigned long>(selectSchedulerApi())) + "}";
    }
    if (command == L"show" && argc == 4) {
        Scheduler scheduler;
        if (FAILED(scheduler.created())) return failure("scheduler", scheduler.created());
        ITask* task = nullptr;
        const HRESULT result =
            scheduler.get()->Activate(argv[2], IID_ITask, reinterpret_cast<IUnknown**>(&task));
        if (result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)) return "{\"exists\": false}";
        if (FAILED(result)) return failure("activate", result);
        const std::string json = show(task);
        task->Release();
        return json;
    }
    if (command == L"set-interval" && argc == 6) {
        const WORD index = static_cast<WORD>(std::wcstoul(argv[3], nullptr, 10));
        const DWORD minutes = std::wcstoul(argv[4], nullptr, 10);
        return changeTask(argv[2], [&](ITask* task) { return setInterval(task, index, minutes); });
    }
    if (command == L"add-trigger" && argc == 5) {
        const DWORD minutes = std::wcstoul(argv[3], nullptr, 10);
        return changeTask(argv[2], [&](ITask* task) { return addTrigger(task, minutes); });
    }
    if (command == L"clear-triggers" && argc == 4) {
        return changeTask(argv[2], clearTriggers);
    }
    if (command == L"register2" && argc == 5) return registerTask2(argv[2], argv[3]);
    if (command == L"create" && argc == 4) {
        return std::string("{\"result\": ") + (createDefaultTask(argv[2]) ? "true" : "false") + "}";
    }
    if (command == L"delete" && argc == 3) {
        return std::string("{\"result\": ") + (deleteDefaultTask() ? "true" : "false") + "}";
    }
    return std::string();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::string json = run(argc, argv);
    if (json.empty()) return 2;
    return writeOutput(argv[argc - 1], json) ? 0 : 1;
}
