// Whitespace trimming for settings text: names, keys, values and whole lines.
//
// Only the six ASCII whitespace bytes count; bytes from 0x80 up never do, since the settings file
// has no encoding of its own. Pure functions; safe from any thread. Inline: the reader trims every
// line of the settings file on every tick.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace scuffler {
namespace detail {

// A lookup table rather than std::isspace, which depends on the locale and is undefined for
// negative chars.
constexpr std::array<bool, 256> BuildWhitespaceTable() {
  std::array<bool, 256> table{};
  for (char byte : {' ', '\t', '\n', '\r', '\f', '\v'}) {
    table[static_cast<unsigned char>(byte)] = true;
  }
  return table;
}

inline constexpr std::array<bool, 256> kWhitespaceTable = BuildWhitespaceTable();

}  // namespace detail

// True for space, tab, LF, CR, FF and VT; false for every other byte value.
inline bool IsIniWhitespace(unsigned char byte) { return detail::kWhitespaceTable[byte]; }

// The part of `text` that TrimWhitespace would keep, without copying or changing anything.
inline std::string_view Trimmed(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsIniWhitespace(static_cast<unsigned char>(text[end - 1]))) {
    --end;
  }
  std::size_t begin = 0;
  while (begin < end && IsIniWhitespace(static_cast<unsigned char>(text[begin]))) {
    ++begin;
  }
  return text.substr(begin, end - begin);
}

// Removes trailing, then leading whitespace bytes in place; all-whitespace text becomes empty.
void TrimWhitespace(std::string& text);

}  // namespace scuffler
