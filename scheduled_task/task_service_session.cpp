#include "scheduled_task/task_service_session.h"

#include "platform/facility.h"
#include "platform/ole_automation.h"
#include "scheduled_task/call_outcome.h"
#include "scheduled_task/task_identity.h"

namespace {

// Let COM choose the authentication services.
constexpr LONG kDefaultAuthenticationServices = -1;

}  // namespace

bool TaskServiceSession::open(const Codes& codes) {
    platform::Com& com = platform::use<platform::Com>();
    const CallOutcome initialised = outcomeOf(com.coInitializeEx(nullptr, COINIT_MULTITHREADED));
    apartment_.emplace(initialised.result);
    if (initialised.failed()) {
        logFailure(codes.comInitFailed, initialised);
        return false;
    }
    const CallOutcome secured = outcomeOf(com.coInitializeSecurity(
        nullptr, kDefaultAuthenticationServices, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
        RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr));
    if (secured.failed()) {
        logFailure(codes.comSecurityFailed, secured);
        return false;
    }
    const CallOutcome created = outcomeOf(com.coCreateInstance(
        CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService, service.putVoid()));
    if (created.failed()) {
        logFailure(codes.serviceNotCreated, created);
        return false;
    }
    {
        const platform::ScopedVariant server, user, domain, password;
        const CallOutcome connected =
            outcomeOf(service->Connect(server.get(), user.get(), domain.get(), password.get()));
        if (connected.failed()) {
            logFailure(codes.connectFailed, connected);
            return false;
        }
    }
    const CallOutcome opened = callWithText(
        kTaskRootFolder, [&](BSTR path) { return service->GetFolder(path, rootFolder.put()); });
    if (opened.failed()) {
        logFailure(codes.rootFolderFailed, opened);
        return false;
    }
    return true;
}
