// ASCII case folding for settings text: key names and on/off words match in any case.
//
// Only the letters a to z and A to Z fold; every other byte, 0x80 up included, compares as it is,
// since the settings file has no encoding of its own. Pure functions; safe from any thread.
// Inline: key names are looked up on every tick.
#pragma once

#include <cstddef>
#include <string_view>

namespace scuffler {

// `c` in upper case when it is an ASCII lower-case letter, else `c` itself.
inline char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

}  // namespace scuffler
