// The key-name table: names and Windows names give their codes in any case, and every named code
// prints under a name that reads back as it.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "input/KeyNames.h"

namespace scuffler {
namespace {

constexpr std::nullopt_t kNone = std::nullopt;

TEST(KeyNames, NamesGiveTheirCodesInAnyCase) {
  const struct {
    std::string name;
    std::optional<std::int32_t> code;
  } cases[] = {
      {"g", 71},        {"d0", 48},           {"Up", 38},          {"vk_up", 38},
      {"DOWN", 40},     {"VK_RETURN", 13},    {"Enter", 13},       {"VK_CONTROL", 17},
      {"Ctrl", 17},     {"VK_MENU", 18},      {"Alt", 18},         {"VK_SHIFT", 16},
      {"VK_PRIOR", 33}, {"PageUp", 33},       {"VK_NEXT", 34},     {"PageDown", 34},
      {"VK_BACK", 8},   {"Backspace", 8},     {"VK_CAPITAL", 20},  {"Delete", 46},
      {"VK_SPACE", 32}, {"VK_SUBTRACT", 109}, {"", kNone},         {"5", kNone},
      {"F0", kNone},    {"F25", kNone},       {"Numpad10", kNone}, {"VK_G", kNone},
      {"VK_D5", kNone}, {"Up ", kNone},       {"VK_", kNone},      {"Arrow", kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(KeyCodeByName(c.name), c.code) << '"' << c.name << '"';
}

TEST(KeyNames, EveryKeyByNameAndWindowsName) {
  const struct {
    const char* name;
    const char* windows;
    std::int32_t code;
  } others[] = {
      {"Backspace", "VK_BACK", 8},
      {"Tab", "VK_TAB", 9},
      {"Enter", "VK_RETURN", 13},
      {"Shift", "VK_SHIFT", 16},
      {"Ctrl", "VK_CONTROL", 17},
      {"Alt", "VK_MENU", 18},
      {"Pause", "VK_PAUSE", 19},
      {"CapsLock", "VK_CAPITAL", 20},
      {"Escape", "VK_ESCAPE", 27},
      {"Space", "VK_SPACE", 32},
      {"PageUp", "VK_PRIOR", 33},
      {"PageDown", "VK_NEXT", 34},
      {"End", "VK_END", 35},
      {"Home", "VK_HOME", 36},
      {"Left", "VK_LEFT", 37},
      {"Up", "VK_UP", 38},
      {"Right", "VK_RIGHT", 39},
      {"Down", "VK_DOWN", 40},
      {"Insert", "VK_INSERT", 45},
      {"Delete", "VK_DELETE", 46},
      {"Multiply", "VK_MULTIPLY", 106},
      {"Add", "VK_ADD", 107},
      {"Subtract", "VK_SUBTRACT", 109},
      {"Decimal", "VK_DECIMAL", 110},
      {"Divide", "VK_DIVIDE", 111},
  };
  for (const auto& key : others) {
    EXPECT_EQ(KeyCodeByName(key.name), key.code) << key.name;
    EXPECT_EQ(KeyCodeByName(key.windows), key.code) << key.windows;
  }
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    EXPECT_EQ(KeyCodeByName(std::string(1, letter)), letter);
  }
  for (int i = 0; i <= 9; ++i) {
    EXPECT_EQ(KeyCodeByName("D" + std::to_string(i)), 48 + i);
    EXPECT_EQ(KeyCodeByName("Numpad" + std::to_string(i)), 96 + i);
    EXPECT_EQ(KeyCodeByName("VK_NUMPAD" + std::to_string(i)), 96 + i);
  }
  for (int i = 1; i <= 24; ++i) {
    EXPECT_EQ(KeyCodeByName("F" + std::to_string(i)), 111 + i);
    EXPECT_EQ(KeyCodeByName("VK_F" + std::to_string(i)), 111 + i);
  }
}

TEST(KeyNames, EveryNamedCodePrintsUnderANameThatReadsBack) {
  int named = 0;
  for (std::int32_t code = -1; code <= 256; ++code) {
    const std::string_view name = KeyName(code);
    if (name.empty()) continue;
    ++named;
    EXPECT_EQ(KeyCodeByName(name), code) << name;
  }
  // 26 letters, D0 to D9, Numpad0 to Numpad9, F1 to F24, 25 others, NumLock and ScrollLock, five
  // mouse buttons and six left or right modifiers.
  EXPECT_EQ(named, 26 + 10 + 10 + 24 + 25 + 2 + 5 + 6);
  EXPECT_EQ(KeyName(38), "Up");
  EXPECT_EQ(KeyName(53), "D5");
  EXPECT_EQ(KeyName(101), "Numpad5");
  EXPECT_EQ(KeyName(116), "F5");
  EXPECT_EQ(KeyName(187), "");
}

}  // namespace
}  // namespace scuffler
