// The scheduled task's description, from the program's string table.
#pragma once

#include <string>

// Shown when the description cannot be loaded from the string table.
inline constexpr wchar_t kMissingLocalization[] = L"MISSING LOCALIZATION";

// String 110 of the program's own module, in the language the platform's
// resource loader picks; "MISSING LOCALIZATION" when it cannot be loaded.
std::wstring loadTaskDescription();
