// Everything the scheduled-task code reaches, faked and put in force for the
// life of the object: COM with both generations of the Task Scheduler, OLE
// automation strings, the OS version (NT 6.1 unless changed), the random
// source and the string table. `problems()` gathers every fault the fakes
// saw, so a test can insist on none.
#pragma once

#include <string>
#include <vector>

#include "platform/facility.h"
#include "tests/fakes/fake_com.h"
#include "tests/fakes/fake_com_objects.h"
#include "tests/fakes/fake_ole_automation.h"
#include "tests/fakes/fake_system_queries.h"
#include "tests/fakes/fake_task_scheduler1.h"
#include "tests/fakes/fake_task_service.h"

namespace fakes {

class FakeTaskScheduling {
  public:
    FakeTaskScheduling() {
        service.isLiveBstr = [this](BSTR text) { return automation.isLive(text); };
        strings.text = L"The task's description";
    }

    // Fails the `occurrence`-th call of `call` (a COM library call such as
    // "CoInitialize" or a method such as "ITask::SetComment") with
    // `lastError`, answering `result`.
    void failCall(const std::string& call, DWORD lastError, HRESULT result = E_FAIL,
                  int occurrence = 1) {
        objects.script.failCall(call, lastError, occurrence);
        objects.failureResults[call] = result;
    }

    // Faults of the fakes, interfaces still held, BSTRs leaked and
    // apartments left open.
    std::vector<std::string> problems() const {
        std::vector<std::string> found = objects.faults();
        for (const std::string& name : objects.unreleased())
            found.push_back(name + " not released");
        found.insert(found.end(), automation.faults.begin(), automation.faults.end());
        if (automation.liveStrings() != 0) found.push_back("BSTRs not freed");
        if (automation.variantsCleared != automation.variantsInitialised) {
            found.push_back("variants not cleared");
        }
        if (com.openApartments != 0) found.push_back("apartment not left");
        return found;
    }

    FakeComObjects objects;
    FakeTaskScheduler1 scheduler1{objects};
    FakeTaskService service{objects};
    FakeCom com{objects, scheduler1, service};
    FakeOleAutomation automation;
    FakeOsVersion os;
    FakeRandomSource random;
    FakeStringResources strings;

  private:
    platform::ScopedFacility<platform::Com> comInForce_{com};
    platform::ScopedFacility<platform::OleAutomation> automationInForce_{automation};
    platform::ScopedFacility<platform::OsVersion> osInForce_{os};
    platform::ScopedFacility<platform::RandomSource> randomInForce_{random};
    platform::ScopedFacility<platform::StringResources> stringsInForce_{strings};
};

}  // namespace fakes
