#include "tests/fakes/fake_task_scheduler1.h"

#include <memory>

#include "tests/fakes/task_scheduler_stubs.h"

namespace fakes {
namespace {

const HRESULT kNotFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
const HRESULT kExists = HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);

std::wstring textOf(LPCWSTR text) { return text == nullptr ? std::wstring() : std::wstring(text); }

// One task object's view of a working copy of a task.
struct WorkingCopy {
    std::wstring name;
    StoredJob job;
};

class PersistFileObject final : public FakeInterface<NotUsedPersistFile> {
  public:
    PersistFileObject(FakeComObjects& objects, FakeTaskScheduler1& scheduler,
                      std::shared_ptr<WorkingCopy> copy)
        : FakeInterface(objects, "IPersistFile"), scheduler_(scheduler), copy_(std::move(copy)) {}

    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR fileName, BOOL remember) override {
        const HRESULT result = enter("IPersistFile::Save");
        if (FAILED(result)) return result;
        if (fileName != nullptr || !remember) {
            objects_.fault("IPersistFile::Save with a file name or without remembering");
        }
        scheduler_.jobs[copy_->name] = copy_->job;
        return S_OK;
    }

  private:
    FakeTaskScheduler1& scheduler_;
    std::shared_ptr<WorkingCopy> copy_;
};

class TaskTriggerObject final : public FakeInterface<NotUsedTaskTrigger> {
  public:
    TaskTriggerObject(FakeComObjects& objects, std::shared_ptr<WorkingCopy> copy, WORD index)
        : FakeInterface(objects, "ITaskTrigger"), copy_(std::move(copy)), index_(index) {}

    HRESULT STDMETHODCALLTYPE GetTrigger(PTASK_TRIGGER trigger) override {
        const HRESULT result = enter("ITaskTrigger::GetTrigger");
        if (FAILED(result)) return result;
        if (trigger->cbTriggerSize != sizeof(TASK_TRIGGER)) {
            objects_.fault("ITaskTrigger::GetTrigger without the record's size");
            return E_INVALIDARG;
        }
        *trigger = copy_->job.triggers.at(index_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetTrigger(const PTASK_TRIGGER trigger) override {
        const HRESULT result = enter("ITaskTrigger::SetTrigger");
        if (FAILED(result)) return result;
        if (trigger->cbTriggerSize != sizeof(TASK_TRIGGER)) {
            objects_.fault("ITaskTrigger::SetTrigger without the record's size");
            return E_INVALIDARG;
        }
        copy_->job.triggers.at(index_) = *trigger;
        return S_OK;
    }

  private:
    std::shared_ptr<WorkingCopy> copy_;
    WORD index_;
};

class TaskObject final : public FakeInterface<NotUsedTask> {
  public:
    TaskObject(FakeComObjects& objects, FakeTaskScheduler1& scheduler,
               std::shared_ptr<WorkingCopy> copy)
        : FakeInterface(objects, "ITask"), scheduler_(scheduler), copy_(std::move(copy)) {}

    HRESULT STDMETHODCALLTYPE GetTriggerCount(WORD* count) override {
        const HRESULT result = enter("ITask::GetTriggerCount");
        if (FAILED(result)) return result;
        *count = static_cast<WORD>(copy_->job.triggers.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTrigger(WORD index, ITaskTrigger** trigger) override {
        *trigger = nullptr;
        const HRESULT result = enter("ITask::GetTrigger");
        if (FAILED(result)) return result;
        if (index >= copy_->job.triggers.size()) return SCHED_E_TRIGGER_NOT_FOUND;
        *trigger = objects_.make<TaskTriggerObject>(copy_, index);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateTrigger(WORD* index, ITaskTrigger** trigger) override {
        *trigger = nullptr;
        const HRESULT result = enter("ITask::CreateTrigger");
        if (FAILED(result)) return result;
        // The scheduler starts a new trigger as a one-time run today.
        TASK_TRIGGER fresh = {};
        fresh.cbTriggerSize = sizeof(TASK_TRIGGER);
        fresh.wBeginYear = 2024;
        fresh.wBeginMonth = 5;
        fresh.wBeginDay = 17;
        fresh.wStartHour = 9;
        fresh.TriggerType = TASK_TIME_TRIGGER_ONCE;
        copy_->job.triggers.push_back(fresh);
        *index = static_cast<WORD>(copy_->job.triggers.size() - 1);
        *trigger = objects_.make<TaskTriggerObject>(copy_, *index);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetAccountInformation(LPCWSTR account, LPCWSTR password) override {
        const HRESULT result = enter("ITask::SetAccountInformation");
        if (FAILED(result)) return result;
        copy_->job.accountSet = true;
        copy_->job.accountName = textOf(account);
        copy_->job.passwordGiven = password != nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetCreator(LPCWSTR creator) override {
        const HRESULT result = enter("ITask::SetCreator");
        if (FAILED(result)) return result;
        copy_->job.creator = textOf(creator);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetComment(LPCWSTR comment) override {
        const HRESULT result = enter("ITask::SetComment");
        if (FAILED(result)) return result;
        copy_->job.comment = textOf(comment);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetApplicationName(LPCWSTR name) override {
        const HRESULT result = enter("ITask::SetApplicationName");
        if (FAILED(result)) return result;
        copy_->job.applicationName = textOf(name);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetFlags(DWORD flags) override {
        const HRESULT result = enter("ITask::SetFlags");
        if (FAILED(result)) return result;
        copy_->job.flags = flags;
        return S_OK;
    }

  protected:
    HRESULT queryOther(REFIID id, void** out) override {
        const HRESULT result = enter("ITask::QueryInterface");
        if (FAILED(result)) return result;
        if (id != IID_IPersistFile) return E_NOINTERFACE;
        *out = static_cast<IPersistFile*>(objects_.make<PersistFileObject>(scheduler_, copy_));
        return S_OK;
    }

  private:
    FakeTaskScheduler1& scheduler_;
    std::shared_ptr<WorkingCopy> copy_;
};

class SchedulerObject final : public FakeInterface<NotUsedTaskScheduler> {
  public:
    SchedulerObject(FakeComObjects& objects, FakeTaskScheduler1& scheduler)
        : FakeInterface(objects, "ITaskScheduler"), scheduler_(scheduler) {}

    HRESULT STDMETHODCALLTYPE Activate(LPCWSTR name, REFIID id, IUnknown** task) override {
        *task = nullptr;
        const HRESULT result = enter("ITaskScheduler::Activate");
        if (FAILED(result)) return result;
        if (id != IID_ITask) objects_.fault("ITaskScheduler::Activate for another interface");
        auto found = scheduler_.jobs.find(textOf(name));
        if (found == scheduler_.jobs.end()) return kNotFound;
        auto copy = std::make_shared<WorkingCopy>(WorkingCopy{found->first, found->second});
        *task = static_cast<ITask*>(objects_.make<TaskObject>(scheduler_, copy));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Delete(LPCWSTR name) override {
        const HRESULT result = enter("ITaskScheduler::Delete");
        if (FAILED(result)) return result;
        return scheduler_.jobs.erase(textOf(name)) == 1 ? S_OK : kNotFound;
    }
    HRESULT STDMETHODCALLTYPE NewWorkItem(LPCWSTR name, REFCLSID classId, REFIID id,
                                          IUnknown** task) override {
        *task = nullptr;
        const HRESULT result = enter("ITaskScheduler::NewWorkItem");
        if (FAILED(result)) return result;
        if (classId != CLSID_CTask || id != IID_ITask) {
            objects_.fault("ITaskScheduler::NewWorkItem of another class or interface");
        }
        if (scheduler_.jobs.count(textOf(name)) != 0) return kExists;
        auto copy = std::make_shared<WorkingCopy>(WorkingCopy{textOf(name), StoredJob()});
        *task = static_cast<ITask*>(objects_.make<TaskObject>(scheduler_, copy));
        return S_OK;
    }

  private:
    FakeTaskScheduler1& scheduler_;
};

}  // namespace

ITaskScheduler* FakeTaskScheduler1::newScheduler() { return objects_.make<SchedulerObject>(*this); }

TASK_TRIGGER dailyTrigger(WORD startMinute, DWORD minutesInterval, DWORD minutesDuration) {
    TASK_TRIGGER trigger = {};
    trigger.cbTriggerSize = sizeof(TASK_TRIGGER);
    trigger.wBeginYear = 2000;
    trigger.wBeginMonth = 1;
    trigger.wBeginDay = 1;
    trigger.wStartMinute = startMinute;
    trigger.MinutesDuration = minutesDuration;
    trigger.MinutesInterval = minutesInterval;
    trigger.TriggerType = TASK_TIME_TRIGGER_DAILY;
    trigger.Type.Daily.DaysInterval = 1;
    return trigger;
}

}  // namespace fakes
