// The product's parts of the update cycle: the delivery subsystem and the
// update policy.
#include "delivery/installer_launch.h"
#include "delivery/version_manifest.h"
#include "policy/update_policy.h"
#include "update/update_cycle.h"

namespace {

class ProductUpdateCycleParts final : public UpdateCycleParts {
  public:
    bool fetchVersionManifest(std::unique_ptr<ComponentVersion>& activeX,
                              std::unique_ptr<ComponentVersion>& plugin,
                              std::unique_ptr<std::uint32_t>& checkFrequency) override {
        return ::fetchVersionManifest(activeX, plugin, checkFrequency);
    }
    bool installFlavour(const ComponentVersion& release) override {
        return ::installFlavour(release);
    }
    bool setUpdateMode(int mode) override { return ::setUpdateMode(mode); }
};

}  // namespace

UpdateCycleParts& productUpdateCycleParts() {
    static ProductUpdateCycleParts parts;
    return parts;
}
