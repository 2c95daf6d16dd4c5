// Reading the version manifest: the XML document on the manifest host that
// announces the newest version of each flavour and the days between update
// checks. Free of Windows headers, so that it also builds natively for
// fuzzing.
//
//   <version>
//     <ActiveX major="11" minor="2" buildMajor="202" buildMinor="14"/>
//     <Plugin major="11" minor="2" buildMajor="202" buildMinor="14"/>
//     <SAUConfig checkFrequency="1"/>
//   </version>
#pragma once

#include <cstdint>
#include <memory>

#include "update/component_version.h"

// Parses `text` in place (it is written into, and must be zero-terminated).
// On success sets `activeX` (flavour code 1), `plugin` (flavour code 2) and
// `checkFrequency` to new values owned by the caller and returns true. Returns
// false when the text is not well-formed XML (logs 1410), when memory runs out
// (logs 1411; results already set stay with the caller), or when one of the
// required elements or attributes is missing (no log line). The caller passes
// empty results.
bool parseVersionManifest(char* text, std::unique_ptr<ComponentVersion>& activeX,
                          std::unique_ptr<ComponentVersion>& plugin,
                          std::unique_ptr<std::uint32_t>& checkFrequency);

// An attribute value as an unsigned 32-bit decimal number, read as the C
// library's strtoul reads it with base 10 where unsigned long has 32 bits:
// leading white space skipped, one sign (a minus negates modulo 2^32), digits
// up to the first non-digit, 0 without digits, 4294967295 above that.
std::uint32_t manifestNumber(const char* value);
