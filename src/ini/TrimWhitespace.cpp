#include "ini/TrimWhitespace.h"

#include <array>

namespace scuffler {
namespace {

// A lookup table rather than std::isspace, which depends on the locale and is undefined for
// negative chars.
constexpr std::array<bool, 256> BuildWhitespaceTable() {
  std::array<bool, 256> table{};
  for (char byte : {' ', '\t', '\n', '\r', '\f', '\v'}) {
    table[static_cast<unsigned char>(byte)] = true;
  }
  return table;
}

constexpr std::array<bool, 256> kWhitespaceTable = BuildWhitespaceTable();

}  // namespace

bool IsIniWhitespace(unsigned char byte) { return kWhitespaceTable[byte]; }

void TrimWhitespace(std::string& text) {
  std::size_t end = text.size();
  while (end > 0 && IsIniWhitespace(static_cast<unsigned char>(text[end - 1]))) {
    --end;
  }
  text.erase(end);
  std::size_t begin = 0;
  while (begin < text.size() && IsIniWhitespace(static_cast<unsigned char>(text[begin]))) {
    ++begin;
  }
  text.erase(0, begin);
}

}  // namespace scuffler
