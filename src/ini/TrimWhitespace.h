// Whitespace trimming for settings text: names, keys, values and whole lines.
//
// Only the six ASCII whitespace bytes count; bytes from 0x80 up never do, since the settings file
// has no encoding of its own. Pure functions; safe from any thread.
#pragma once

#include <string>
#include <string_view>

namespace scuffler {

// True for space, tab, LF, CR, FF and VT; false for every other byte value.
bool IsIniWhitespace(unsigned char byte);

// Removes trailing, then leading whitespace bytes in place; all-whitespace text becomes empty.
void TrimWhitespace(std::string& text);

// The part of `text` that TrimWhitespace would keep, without copying or changing anything.
std::string_view Trimmed(std::string_view text);

}  // namespace scuffler
