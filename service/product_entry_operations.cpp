// The product's commands: each operation of the entry point handed to the
// subsystem that carries it out.
#include "service/entry_operations.h"

#include <memory>
#include <optional>
#include <utility>

#include "policy/update_policy.h"
#include "scheduled_task/task_registrar.h"
#include "scheduled_task/task_removal.h"
#include "service/active_update_policy.h"
#include "service/service_runtime.h"
#include "service/service_start_request.h"
#include "update/update_cycle.h"
#include "update/update_state_store.h"

namespace {

class ProductEntryOperations final : public EntryOperations {
  public:
    bool deleteUpdateState() override { return UpdateStateStore().deleteUpdateState(); }
    bool writeUpdateAttempts(std::uint32_t count) override {
        return UpdateStateStore().writeUpdateAttempts(count);
    }
    bool resetLastUpdateCheck() override { return UpdateStateStore().writeLastUpdateCheck(true); }
    bool writeDefaultCheckFrequency() override {
        return UpdateStateStore().writeCheckFrequency(std::nullopt);
    }
    bool createDefaultTask(std::wstring programPath) override {
        return ::createDefaultTask(std::move(programPath));
    }
    bool deleteDefaultTask() override { return ::deleteDefaultTask(); }
    void setUpdateMode(int mode) override { ::setUpdateMode(mode); }
    bool isSilentAutoUpdateEnabled() override { return ::isSilentAutoUpdateEnabled(); }
    void activateUpdatePolicy(std::wstring programPath) override {
        auto policy = std::make_unique<UpdatePolicy>(std::move(programPath));
        releaseUpdatePolicy();
        activeUpdatePolicy = policy.release();
    }
    void releaseUpdatePolicy() override {
        delete activeUpdatePolicy;
        activeUpdatePolicy = nullptr;
    }
    bool runServiceDispatcher() override { return ::runServiceDispatcher(runUpdateCycle); }
    bool requestServiceStart(const ServiceHost& host) override {
        return ::requestServiceStart(host);
    }
};

}  // namespace

EntryOperations& productEntryOperations() {
    static ProductEntryOperations operations;
    return operations;
}
