#include "scheduled_task/task_description.h"

#include "platform/facility.h"
#include "platform/string_resources.h"
#include "resources/string_ids.h"

std::wstring loadTaskDescription() {
    platform::StringResources& resources = platform::use<platform::StringResources>();
    // With a buffer size of 0 the loader hands back a pointer into the
    // resource itself and the text's length; the stored text is not
    // NUL-terminated, so only that many characters are taken.
    const wchar_t* stored = nullptr;
    const int length =
        resources.loadString(resources.getModuleHandle(nullptr), IDS_TASK_DESCRIPTION,
                             reinterpret_cast<wchar_t*>(&stored), 0);
    if (length <= 0 || stored == nullptr) return kMissingLocalization;
    return std::wstring(stored, static_cast<std::size_t>(length));
}
