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

std::string_view Trimmed(std::string_view text) {
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

void TrimWhitespace(std::string& text) {
  const std::string_view kept = Trimmed(text);
  const auto begin = static_cast<std::size_t>(kept.data() - text.data());
  text.erase(begin + kept.size());
  text.erase(0, begin);
}

}  // namespace scuffler
