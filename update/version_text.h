// The dotted text of an installed version, "4.7.120.35", as the flavour's
// installer leaves it in the registry. Free of Windows headers, so that it
// also builds natively for fuzzing and sanitizers.
#pragma once

#include <cstddef>

#include "update/component_version.h"

// Parses the first `length` UTF-16 units of `text`, or fewer when a NUL comes
// first: nothing past them is read, so `text` need not be terminated.
//
// The text is split at every dot into parts (empty parts count) that give
// major, minor, buildMajor and buildMinor in turn; fewer than four parts leave
// the rest 0. Each part is read as an unsigned decimal number: leading blanks
// (space, tab, CR, LF, VT, FF) are skipped, one sign is accepted, a minus
// negates the number modulo 2^32, the digits 0-9 are taken up to the first
// other character and the rest of the part is ignored; a part without digits
// gives 0 and a number above 4294967295 gives 4294967295, whatever its sign.
//
// Returns false, leaving `version` as it was, when the text has a fifth part;
// otherwise sets the four numbers of `version` (not its flavour code) and
// returns true.
bool parseVersionText(const wchar_t* text, std::size_t length, ComponentVersion& version);
