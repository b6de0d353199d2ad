// Whitespace trimming for settings text: names, keys, values and whole lines.
//
// Only the six ASCII whitespace bytes count; bytes from 0x80 up never do, since the settings file
// has no encoding of its own. Pure function; safe from any thread.
#pragma once

#include <string>

namespace scuffler {

// True for space, tab, LF, CR, FF and VT; false for every other byte value.
bool IsIniWhitespace(unsigned char byte);

// Removes trailing, then leading whitespace bytes in place; all-whitespace text becomes empty.
void TrimWhitespace(std::string& text);

}  // namespace scuffler
