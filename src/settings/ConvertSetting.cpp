#include "settings/ConvertSetting.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "input/KeyNames.h"

namespace scuffler {
namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsWordCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The leading run of letters, digits and _ after leading whitespace.
std::string_view FirstWord(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsSpace(text[begin])) ++begin;
  std::size_t end = begin;
  while (end < text.size() && IsWordCharacter(text[end])) ++end;
  return text.substr(begin, end - begin);
}

// Whether strtoll could take a number from `text`: after leading whitespace, a digit, or a sign
// and a digit. Saves the conversion's cost on a key name, read every tick.
bool StartsWithNumber(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  return at < text.size() && text[at] >= '0' && text[at] <= '9';
}

}  // namespace

std::optional<std::int32_t> ConvertKeyCode(const std::string& text) {
  // A name only where no number can be taken: 0x26 stays 0, and 2147483648 stays too large.
  if (!StartsWithNumber(text)) return KeyCodeByName(FirstWord(text));
  // strtoll rather than strtol: long is 32 bits on Windows and 64 on Linux, and both builds must
  // accept the same numbers.
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long long number = std::strtoll(begin, &end, 10);
  if (end == begin || errno == ERANGE || number < std::numeric_limits<std::int32_t>::min() ||
      number > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(number);
}

std::optional<float> ConvertDistance(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const float number = std::strtof(begin, &end);
  if (end == begin) {
    return std::nullopt;
  }
  // ERANGE also flags underflow, where C libraries may differ on denormals; only overflow (an
  // infinite result the text did not ask for) is out of range.
  if (errno == ERANGE && std::isinf(number)) {
    return std::nullopt;
  }
  return number;
}

std::optional<bool> ConvertSwitch(const std::string& text) {
  // Only the sign counts, so a number too large for any type is still on (strtoll clamps it).
  if (StartsWithNumber(text)) return std::strtoll(text.c_str(), nullptr, 10) > 0;
  const std::string_view word = FirstWord(text);
  for (const char* on : {"on", "true", "yes"}) {
    if (SameIgnoringCase(word, on)) return true;
  }
  for (const char* off : {"off", "false", "no"}) {
    if (SameIgnoringCase(word, off)) return false;
  }
  return std::nullopt;
}

}  // namespace scuffler
