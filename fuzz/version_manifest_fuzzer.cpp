// Feeds any bytes to the manifest parser exactly as the fetch hands it the
// response text: a writable copy that ends in a zero byte.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "delivery/version_manifest_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    std::unique_ptr<ComponentVersion> activeX;
    std::unique_ptr<ComponentVersion> plugin;
    std::unique_ptr<std::uint32_t> checkFrequency;
    if (parseVersionManifest(text.data(), activeX, plugin, checkFrequency)) {
        // A true answer always comes with all three results.
        if (!activeX || !plugin || !checkFrequency) __builtin_trap();
        if (activeX->flavourCode != 1 || plugin->flavourCode != 2) __builtin_trap();
    }
    return 0;
}
