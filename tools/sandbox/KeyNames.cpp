#include "KeyNames.h"

#include <cctype>

namespace sandbox {
namespace {

struct NamedKey {
  const char* name;
  std::uint32_t code;
};

// Letters, digits and F1 to F24 follow from their ranges; these are the rest worth a name.
constexpr NamedKey kNamedKeys[] = {
    {"Backspace", 8},  {"Tab", 9},       {"Enter", 13},     {"Shift", 16},    {"Ctrl", 17},
    {"Alt", 18},       {"Pause", 19},    {"CapsLock", 20},  {"Escape", 27},   {"Space", 32},
    {"PageUp", 33},    {"PageDown", 34}, {"End", 35},       {"Home", 36},     {"Left", 37},
    {"Up", 38},        {"Right", 39},    {"Down", 40},      {"Insert", 45},   {"Delete", 46},
    {"Multiply", 106}, {"Add", 107},     {"Subtract", 109}, {"Decimal", 110}, {"Divide", 111},
};

std::string Lower(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The number after `prefix` in `lower` ("f12" with prefix "f" gives 12), when all of the rest is
// one or two digits.
std::optional<std::uint32_t> NumberAfter(const std::string& lower, const std::string& prefix) {
  if (lower.size() <= prefix.size() || lower.size() > prefix.size() + 2 ||
      lower.compare(0, prefix.size(), prefix) != 0) {
    return std::nullopt;
  }
  std::uint32_t number = 0;
  for (std::size_t i = prefix.size(); i < lower.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(lower[i]))) return std::nullopt;
    number = number * 10 + static_cast<std::uint32_t>(lower[i] - '0');
  }
  return number;
}

}  // namespace

std::optional<std::uint32_t> KeyCodeByName(const std::string& name) {
  const std::string lower = Lower(name);
  if (lower.size() == 1) {
    const char c = lower[0];
    if (c >= 'a' && c <= 'z') return static_cast<std::uint32_t>('A' + (c - 'a'));
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c);
  }
  if (const auto f = NumberAfter(lower, "f"); f && *f >= 1 && *f <= 24) return 111 + *f;
  if (const auto pad = NumberAfter(lower, "numpad"); pad && *pad <= 9) return 96 + *pad;
  for (const NamedKey& key : kNamedKeys) {
    if (Lower(key.name) == lower) return key.code;
  }
  return std::nullopt;
}

std::string KeyName(std::int32_t code) {
  if (code < 0 || code > 254) return "none";
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
    return std::string(1, static_cast<char>(code));
  }
  if (code >= 112 && code <= 135) return "F" + std::to_string(code - 111);
  if (code >= 96 && code <= 105) return "Numpad" + std::to_string(code - 96);
  for (const NamedKey& key : kNamedKeys) {
    if (static_cast<std::int32_t>(key.code) == code) return key.name;
  }
  return "VK " + std::to_string(code);
}

}  // namespace sandbox
