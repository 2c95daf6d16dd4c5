// Conversions between the UTF-8 of OwnedString and the UTF-16 of the Windows
// wide functions, through the platform's UTF-8 code page (65001) with no flags.
// Each conversion first asks for the length it needs, terminator included,
// then converts into a buffer of exactly that size.
#pragma once

#include <string>

#include "common/owned_string.h"

// Converts the NUL-terminated UTF-8 `text` into `wide`. On failure returns
// false, leaves `wide` unchanged and keeps the converter's last-error value.
bool utf8ToWide(const char* text, std::wstring& wide);

// Converts the NUL-terminated UTF-16 `wide` into `text`. On failure returns
// false, leaves `text` unchanged and keeps the converter's last-error value.
bool wideToUtf8(const wchar_t* wide, OwnedString& text);
