// The product's commands. Operations whose subsystems are not part of this
// build yet do nothing and answer false; each is wired when its subsystem
// arrives.
#include "service/entry_operations.h"

#include <memory>

#include "policy/update_policy.h"
#include "service/active_update_policy.h"

namespace {

class ProductEntryOperations final : public EntryOperations {
  public:
    bool deleteUpdateState() override { return false; }
    bool writeUpdateAttempts(std::uint32_t) override { return false; }
    bool resetLastUpdateCheck() override { return false; }
    bool writeDefaultCheckFrequency() override { return false; }
    bool createDefaultTask(std::wstring) override { return false; }
    bool deleteDefaultTask() override { return false; }
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
    bool runServiceDispatcher() override { return false; }
    bool requestServiceStart(const ServiceHost&) override { return false; }
};

}  // namespace

EntryOperations& productEntryOperations() {
    static ProductEntryOperations operations;
    return operations;
}
