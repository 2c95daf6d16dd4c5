// The COM library of a test: apartments that are only counted, the security
// call recorded, and CoCreateInstance handing out the fake Task Scheduler
// objects of either generation. Leaving an apartment while fake interfaces
// are still held, or one more often than entered, is a fault.
#pragma once

#include <windows.h>

#include <mstask.h>
#include <taskschd.h>

#include <string>
#include <vector>

#include "platform/com.h"
#include "tests/fakes/fake_com_objects.h"
#include "tests/fakes/fake_task_scheduler1.h"
#include "tests/fakes/fake_task_service.h"

namespace fakes {

class FakeCom : public platform::Com {
  public:
    FakeCom(FakeComObjects& objects, FakeTaskScheduler1& scheduler1, FakeTaskService& service)
        : objects_(objects), scheduler1_(scheduler1), service_(service) {}

    // The library calls in order: "CoInitialize", "CoInitializeEx 0",
    // "CoInitializeSecurity", "CoCreateInstance ITaskScheduler",
    // "CoCreateInstance ITaskService", "CoUninitialize". Failed ones too.
    std::vector<std::string> calls;
    // Apartments entered and not left.
    int openApartments = 0;

    struct SecurityArguments {
        bool descriptorGiven = false;
        LONG authServiceCount = 0;
        bool servicesGiven = false;
        bool reserved1Given = false;
        DWORD authnLevel = 0;
        DWORD impLevel = 0;
        bool authListGiven = false;
        DWORD capabilities = 0;
        bool reserved3Given = false;
    };
    std::vector<SecurityArguments> securityCalls;

    HRESULT coInitialize(void* reserved) override {
        calls.push_back("CoInitialize");
        if (reserved != nullptr) objects_.fault("CoInitialize with a reserved pointer");
        return enterApartment("CoInitialize");
    }
    HRESULT coInitializeEx(void* reserved, DWORD coInit) override {
        calls.push_back("CoInitializeEx " + std::to_string(coInit));
        if (reserved != nullptr) objects_.fault("CoInitializeEx with a reserved pointer");
        return enterApartment("CoInitializeEx");
    }
    HRESULT coInitializeSecurity(PSECURITY_DESCRIPTOR descriptor, LONG authServiceCount,
                                 SOLE_AUTHENTICATION_SERVICE* services, void* reserved1,
                                 DWORD authnLevel, DWORD impLevel, void* authList,
                                 DWORD capabilities, void* reserved3) override {
        calls.push_back("CoInitializeSecurity");
        if (openApartments == 0) objects_.fault("CoInitializeSecurity outside an apartment");
        securityCalls.push_back({descriptor != nullptr, authServiceCount, services != nullptr,
                                 reserved1 != nullptr, authnLevel, impLevel, authList != nullptr,
                                 capabilities, reserved3 != nullptr});
        return objects_.enter("CoInitializeSecurity");
    }
    HRESULT coCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID id,
                             void** object) override {
        *object = nullptr;
        const bool scheduler1 = classId == CLSID_CTaskScheduler && id == IID_ITaskScheduler;
        const bool service = classId == CLSID_TaskScheduler && id == IID_ITaskService;
        calls.push_back(std::string("CoCreateInstance ") + (scheduler1 ? "ITaskScheduler"
                                                            : service  ? "ITaskService"
                                                                       : "unknown"));
        if (openApartments == 0) objects_.fault("CoCreateInstance outside an apartment");
        if (outer != nullptr || context != CLSCTX_INPROC_SERVER) {
            objects_.fault("CoCreateInstance with an outer object or not in-process");
        }
        const HRESULT result = objects_.enter("CoCreateInstance");
        if (FAILED(result)) return result;
        if (scheduler1) {
            *object = scheduler1_.newScheduler();
        } else if (service) {
            *object = service_.newService();
        } else {
            objects_.fault("CoCreateInstance of an unknown class or interface");
            return REGDB_E_CLASSNOTREG;
        }
        return S_OK;
    }
    void coUninitialize() override {
        calls.push_back("CoUninitialize");
        if (openApartments == 0) {
            objects_.fault("CoUninitialize without an apartment");
            return;
        }
        --openApartments;
        for (const std::string& name : objects_.unreleased()) {
            objects_.fault("CoUninitialize while " + name + " is still held");
        }
    }

  private:
    HRESULT enterApartment(const std::string& call) {
        const HRESULT result = objects_.enter(call);
        if (SUCCEEDED(result)) ++openApartments;
        return result;
    }

    FakeComObjects& objects_;
    FakeTaskScheduler1& scheduler1_;
    FakeTaskService& service_;
};

}  // namespace fakes
