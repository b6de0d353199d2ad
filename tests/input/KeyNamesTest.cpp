// The key-name table against Windows' own virtual-key codes: every Windows name and every
// canonical name gives its code in any case, and every named code prints under its canonical name.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "input/KeyNames.h"

namespace scuffler {
namespace {

constexpr std::nullopt_t kNone = std::nullopt;

// Windows' published virtual-key codes, in its order, each beside the name the plug-in prints;
// the runs VK_NUMPAD0 to VK_NUMPAD9 (0x60 to 0x69) and VK_F1 to VK_F24 (0x70 to 0x87) are added
// by WindowsKeys. Letters and top-row digits have no VK_ name: their codes are their characters.
struct WindowsKey {
  std::string windows;
  std::int32_t code;
  std::string name;
};
const WindowsKey kListedKeys[] = {
    {"VK_LBUTTON", 0x01, "MouseLeft"},
    {"VK_RBUTTON", 0x02, "MouseRight"},
    {"VK_MBUTTON", 0x04, "MouseMiddle"},
    {"VK_XBUTTON1", 0x05, "MouseX1"},
    {"VK_XBUTTON2", 0x06, "MouseX2"},
    {"VK_BACK", 0x08, "Backspace"},
    {"VK_TAB", 0x09, "Tab"},
    {"VK_RETURN", 0x0D, "Enter"},
    {"VK_SHIFT", 0x10, "Shift"},
    {"VK_CONTROL", 0x11, "Ctrl"},
    {"VK_MENU", 0x12, "Alt"},
    {"VK_PAUSE", 0x13, "Pause"},
    {"VK_CAPITAL", 0x14, "CapsLock"},
    {"VK_ESCAPE", 0x1B, "Escape"},
    {"VK_SPACE", 0x20, "Space"},
    {"VK_PRIOR", 0x21, "PageUp"},
    {"VK_NEXT", 0x22, "PageDown"},
    {"VK_END", 0x23, "End"},
    {"VK_HOME", 0x24, "Home"},
    {"VK_LEFT", 0x25, "Left"},
    {"VK_UP", 0x26, "Up"},
    {"VK_RIGHT", 0x27, "Right"},
    {"VK_DOWN", 0x28, "Down"},
    {"VK_SNAPSHOT", 0x2C, "PrintScreen"},
    {"VK_INSERT", 0x2D, "Insert"},
    {"VK_DELETE", 0x2E, "Delete"},
    {"VK_MULTIPLY", 0x6A, "Multiply"},
    {"VK_ADD", 0x6B, "Add"},
    {"VK_SUBTRACT", 0x6D, "Subtract"},
    {"VK_DECIMAL", 0x6E, "Decimal"},
    {"VK_DIVIDE", 0x6F, "Divide"},
    {"VK_NUMLOCK", 0x90, "NumLock"},
    {"VK_SCROLL", 0x91, "ScrollLock"},
    {"VK_LSHIFT", 0xA0, "LShift"},
    {"VK_RSHIFT", 0xA1, "RShift"},
    {"VK_LCONTROL", 0xA2, "LCtrl"},
    {"VK_RCONTROL", 0xA3, "RCtrl"},
    {"VK_LMENU", 0xA4, "LAlt"},
    {"VK_RMENU", 0xA5, "RAlt"},
};

std::vector<WindowsKey> WindowsKeys() {
  std::vector<WindowsKey> keys(std::begin(kListedKeys), std::end(kListedKeys));
  for (int i = 0; i <= 9; ++i) {
    keys.push_back({"VK_NUMPAD" + std::to_string(i), 0x60 + i, "Numpad" + std::to_string(i)});
  }
  for (int i = 1; i <= 24; ++i) {
    keys.push_back({"VK_F" + std::to_string(i), 0x70 + i - 1, "F" + std::to_string(i)});
  }
  return keys;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

TEST(KeyNames, WindowsKeysByEitherNameInAnyCase) {
  for (const WindowsKey& key : WindowsKeys()) {
    for (const std::string& name : {key.windows, key.name}) {
      EXPECT_EQ(KeyCodeByName(name), key.code) << name;
      EXPECT_EQ(KeyCodeByName(Lower(name)), key.code) << name;
      EXPECT_EQ(KeyCodeByName(Upper(name)), key.code) << name;
    }
    EXPECT_EQ(KeyName(key.code), key.name) << key.windows;
  }
}

TEST(KeyNames, LettersAndTopRowDigitsAreTheirCharacters) {
  const struct {
    std::string name;
    std::optional<std::int32_t> code;
  } cases[] = {
      // The ends of the letters, and the characters just outside them, in both cases.
      {"A", 0x41},         {"a", 0x41},     {"B", 0x42},      {"b", 0x42},    {"Y", 0x59},
      {"y", 0x59},         {"Z", 0x5A},     {"z", 0x5A},      {"@", kNone},   {"[", kNone},
      {"`", kNone},        {"{", kNone},    {"D0", 0x30},     {"d0", 0x30},   {"D9", 0x39},
      {"d9", 0x39},        {"5", kNone},    {"", kNone},      {"F0", kNone},  {"F25", kNone},
      {"Numpad10", kNone}, {"VK_G", kNone}, {"VK_D5", kNone}, {"Up ", kNone}, {"VK_", kNone},
      {"Arrow", kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(KeyCodeByName(c.name), c.code) << '"' << c.name << '"';
  for (std::int32_t code = 0x41; code <= 0x5A; ++code) {
    const char letter = static_cast<char>(code);
    EXPECT_EQ(KeyCodeByName(std::string(1, letter)), code) << letter;
    EXPECT_EQ(KeyCodeByName(Lower(std::string(1, letter))), code) << letter;
    EXPECT_EQ(KeyName(code), std::string(1, letter));
  }
  for (std::int32_t code = 0x30; code <= 0x39; ++code) {
    EXPECT_EQ(KeyName(code), "D" + std::to_string(code - 0x30));
  }
}

// The other names players type, each for the key a player means by it.
TEST(KeyNames, OtherNamesPlayersType) {
  const struct {
    std::string name;
    std::optional<std::int32_t> code;
  } cases[] = {
      {"Esc", 0x1B},     {"ESC", 0x1B},       {"Return", 0x0D},   {"num5", 0x65},
      {"Num0", 0x60},    {"NUM9", 0x69},      {"Scroll", 0x91},   {"PrtSc", 0x2C},
      {"PrtScn", 0x2C},  {"XButton1", 0x05},  {"xbutton2", 0x06}, {"Mouse4", 0x05},
      {"Control", 0x11}, {"RightCtrl", 0xA3}, {"PgDn", 0x22},     {"Num10", kNone},
      {"VK_ESC", kNone}, {"Escape ", kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(KeyCodeByName(c.name), c.code) << '"' << c.name << '"';
  for (const KeyAlias* alias = AllAliases().begin; alias != AllAliases().end; ++alias) {
    // Each stands for a named key, under a name of its own.
    EXPECT_NE(KeyName(alias->code), "") << alias->name;
    EXPECT_EQ(KeyCodeByName(alias->name), alias->code) << alias->name;
    for (const NamedKey* key = AllKeys().begin; key != AllKeys().end; ++key) {
      EXPECT_FALSE(SameIgnoringCase(alias->name, key->name)) << alias->name;
    }
  }
}

TEST(KeyNames, NoOtherCodeHasAName) {
  int named = 0;
  for (std::int32_t code = -1; code <= 256; ++code) {
    if (!KeyName(code).empty()) ++named;
  }
  EXPECT_EQ(named, static_cast<int>(WindowsKeys().size()) + 26 + 10);
  EXPECT_EQ(KeyName(0xBB), "");  // VK_OEM_PLUS: a code the plug-in does not name
}

}  // namespace
}  // namespace scuffler
