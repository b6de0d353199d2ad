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

std::size_t SkipSpaces(std::string_view text, std::size_t at) {
  while (at < text.size() && IsSpace(text[at])) ++at;
  return at;
}

// How the text after a value at `end` reads: nothing, spaces and a ';' comment, or more.
Reading RestOf(std::string_view text, std::size_t end, Reading more) {
  const std::size_t at = SkipSpaces(text, end);
  if (at == text.size()) return Reading::Whole;
  return text[at] == ';' ? Reading::WholeAndComment : more;
}

// The leading run of letters, digits and _ after leading whitespace, and how the rest reads.
struct Word {
  std::string_view text;
  Reading rest;
};

Word FirstWord(std::string_view text) {
  const std::size_t begin = SkipSpaces(text, 0);
  std::size_t end = begin;
  while (end < text.size() && IsWordCharacter(text[end])) ++end;
  return {text.substr(begin, end - begin), RestOf(text, end, Reading::NotWhole)};
}

// Whether strtoll could take a number from `text`: after leading whitespace, a digit, or a sign
// and a digit. Saves the conversion's cost on a key name, read every tick.
bool StartsWithNumber(std::string_view text) {
  std::size_t at = SkipSpaces(text, 0);
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  return at < text.size() && text[at] >= '0' && text[at] <= '9';
}

// A word that is the whole value (give or take a comment) and, when it is not, why not.
template <typename T>
Converted<T> ReadWord(std::string_view text, std::optional<T> (*lookup)(std::string_view)) {
  const Word word = FirstWord(text);
  if (word.text.empty()) {
    return {std::nullopt, SkipSpaces(text, 0) == text.size() ? Reading::Empty : Reading::NoValue};
  }
  if (word.rest == Reading::NotWhole) return {std::nullopt, Reading::NotWhole};
  const std::optional<T> value = lookup(word.text);
  return {value, value ? word.rest : Reading::UnknownWord};
}

std::optional<bool> SwitchByWord(std::string_view word) {
  for (const char* on : {"on", "true", "yes"}) {
    if (SameIgnoringCase(word, on)) return true;
  }
  for (const char* off : {"off", "false", "no"}) {
    if (SameIgnoringCase(word, off)) return false;
  }
  return std::nullopt;
}

// No word names a number of seconds.
std::optional<std::int32_t> NoSeconds(std::string_view /*word*/) { return std::nullopt; }

}  // namespace

Converted<std::int32_t> ConvertKeyCode(const std::string& text) {
  // A name only where no number can be taken: 0x26 stays 0, and 2147483648 stays too large.
  if (!StartsWithNumber(text)) return ReadWord<std::int32_t>(text, KeyCodeByName);
  // strtoll rather than strtol: long is 32 bits on Windows and 64 on Linux, and both builds must
  // accept the same numbers.
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long long number = std::strtoll(begin, &end, 10);
  if (errno == ERANGE || number < std::numeric_limits<std::int32_t>::min() ||
      number > std::numeric_limits<std::int32_t>::max()) {
    return {std::nullopt, Reading::OutOfRange};
  }
  return {static_cast<std::int32_t>(number),
          RestOf(text, static_cast<std::size_t>(end - begin), Reading::LeadingNumber)};
}

Converted<float> ConvertDistance(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const float number = std::strtof(begin, &end);
  if (end == begin) {
    return {std::nullopt, SkipSpaces(text, 0) == text.size() ? Reading::Empty : Reading::NoValue};
  }
  // ERANGE also flags underflow, where C libraries may differ on denormals; only overflow (an
  // infinite result the text did not ask for) is out of range.
  if (errno == ERANGE && std::isinf(number)) {
    return {std::nullopt, Reading::OutOfRange};
  }
  return {number, RestOf(text, static_cast<std::size_t>(end - begin), Reading::LeadingNumber)};
}

Converted<std::int32_t> ConvertSeconds(const std::string& text) {
  if (!StartsWithNumber(text)) return ReadWord<std::int32_t>(text, NoSeconds);
  const Converted<std::int32_t> number = ConvertKeyCode(text);
  if (number.value && (*number.value < 0 || *number.value > kMaxRecordSeconds)) {
    return {std::nullopt, Reading::OutOfRange};
  }
  return number;
}

Converted<bool> ConvertSwitch(const std::string& text) {
  if (!StartsWithNumber(text)) return ReadWord<bool>(text, SwitchByWord);
  // Only the sign counts, so a number too large for any type is still on (strtoll clamps it).
  const char* begin = text.c_str();
  char* end = nullptr;
  const bool on = std::strtoll(begin, &end, 10) > 0;
  return {on, RestOf(text, static_cast<std::size_t>(end - begin), Reading::LeadingNumber)};
}

}  // namespace scuffler
