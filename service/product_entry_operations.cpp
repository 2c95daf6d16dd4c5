// The product's commands. Operations whose subsystems are not part of this
// build yet do nothing and answer false; each is wired when its subsystem
// arrives.
#include "service/entry_operations.h"

#include <utility>

#include "scheduled_task/task_registrar.h"
#include "scheduled_task/task_removal.h"

namespace {

class ProductEntryOperations final : public EntryOperations {
  public:
    bool deleteUpdateState() override { return false; }
    bool writeUpdateAttempts(std::uint32_t) override { return false; }
    bool resetLastUpdateCheck() override { return false; }
    bool writeDefaultCheckFrequency() override { return false; }
    bool createDefaultTask(std::wstring programPath) override {
        return ::createDefaultTask(std::move(programPath));
    }
    bool deleteDefaultTask() override { return ::deleteDefaultTask(); }
    void setUpdateMode(int) override {}
    bool isSilentAutoUpdateEnabled() override { return false; }
    void activateUpdatePolicy(std::wstring) override {}
    void releaseUpdatePolicy() override {}
    bool runServiceDispatcher() override { return false; }
    bool requestServiceStart(const ServiceHost&) override { return false; }
};

}  // namespace

EntryOperations& productEntryOperations() {
    static ProductEntryOperations operations;
    return operations;
}
