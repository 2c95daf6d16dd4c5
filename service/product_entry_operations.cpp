// The product's commands. Operations whose subsystems are not part of this
// build yet do nothing and answer false; each is wired when its subsystem
// arrives.
#include "service/entry_operations.h"

#include <optional>
#include <utility>

#include "scheduled_task/task_registrar.h"
#include "scheduled_task/task_removal.h"
#include "service/service_start_request.h"
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
    void setUpdateMode(int) override {}
    bool isSilentAutoUpdateEnabled() override { return false; }
    void activateUpdatePolicy(std::wstring) override {}
    void releaseUpdatePolicy() override {}
    bool runServiceDispatcher() override { return false; }
    bool requestServiceStart(const ServiceHost& host) override {
        return ::requestServiceStart(host);
    }
};

}  // namespace

EntryOperations& productEntryOperations() {
    static ProductEntryOperations operations;
    return operations;
}
