// A fake Task Scheduler 1.0: the scheduler object that CoCreateInstance hands
// out, its tasks, their triggers and IPersistFile, over a store of saved tasks
// by name. Activate and NewWorkItem give a working copy of a task; only
// IPersistFile::Save puts it into the store, as the real scheduler writes the
// .job file only then. Any method can be made to fail through the shared
// FakeComObjects script, under names like "ITask::SetComment".
#pragma once

#include <windows.h>

#include <mstask.h>

#include <map>
#include <string>
#include <vector>

#include "tests/fakes/fake_com_objects.h"

namespace fakes {

// A task as the fake scheduler stores it.
struct StoredJob {
    bool accountSet = false;
    std::wstring accountName;
    bool passwordGiven = false;  // a password other than none was passed
    std::wstring creator;
    std::wstring comment;
    std::wstring applicationName;
    DWORD flags = 0;
    std::vector<TASK_TRIGGER> triggers;
};

class FakeTaskScheduler1 {
  public:
    explicit FakeTaskScheduler1(FakeComObjects& objects) : objects_(objects) {}

    // The saved tasks by name.
    std::map<std::wstring, StoredJob> jobs;

    // A new scheduler object with one reference, as CoCreateInstance of
    // CLSID_CTaskScheduler hands it out.
    ITaskScheduler* newScheduler();

  private:
    FakeComObjects& objects_;
};

// A daily trigger record as a test sets one up in the store.
TASK_TRIGGER dailyTrigger(WORD startMinute, DWORD minutesInterval, DWORD minutesDuration);

}  // namespace fakes
