#include "input/KeyNames.h"

namespace scuffler {
namespace {

struct NamedKey {
  std::string_view name;     // canonical: parsed and printed
  std::string_view windows;  // the Windows VK_ name, parsed only; empty where Windows has none
  std::int32_t code;
};

// The arrows first, as the default bindings (read every tick) are found soonest there; the rest
// by code. Windows names no letter or top-row digit: their codes are the characters themselves.
constexpr NamedKey kNamedKeys[] = {
    {"Left", "VK_LEFT", 37},
    {"Up", "VK_UP", 38},
    {"Right", "VK_RIGHT", 39},
    {"Down", "VK_DOWN", 40},
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
    {"Insert", "VK_INSERT", 45},
    {"Delete", "VK_DELETE", 46},
    {"D0", "", 48},
    {"D1", "", 49},
    {"D2", "", 50},
    {"D3", "", 51},
    {"D4", "", 52},
    {"D5", "", 53},
    {"D6", "", 54},
    {"D7", "", 55},
    {"D8", "", 56},
    {"D9", "", 57},
    {"A", "", 65},
    {"B", "", 66},
    {"C", "", 67},
    {"D", "", 68},
    {"E", "", 69},
    {"F", "", 70},
    {"G", "", 71},
    {"H", "", 72},
    {"I", "", 73},
    {"J", "", 74},
    {"K", "", 75},
    {"L", "", 76},
    {"M", "", 77},
    {"N", "", 78},
    {"O", "", 79},
    {"P", "", 80},
    {"Q", "", 81},
    {"R", "", 82},
    {"S", "", 83},
    {"T", "", 84},
    {"U", "", 85},
    {"V", "", 86},
    {"W", "", 87},
    {"X", "", 88},
    {"Y", "", 89},
    {"Z", "", 90},
    {"Numpad0", "VK_NUMPAD0", 96},
    {"Numpad1", "VK_NUMPAD1", 97},
    {"Numpad2", "VK_NUMPAD2", 98},
    {"Numpad3", "VK_NUMPAD3", 99},
    {"Numpad4", "VK_NUMPAD4", 100},
    {"Numpad5", "VK_NUMPAD5", 101},
    {"Numpad6", "VK_NUMPAD6", 102},
    {"Numpad7", "VK_NUMPAD7", 103},
    {"Numpad8", "VK_NUMPAD8", 104},
    {"Numpad9", "VK_NUMPAD9", 105},
    {"Multiply", "VK_MULTIPLY", 106},
    {"Add", "VK_ADD", 107},
    {"Subtract", "VK_SUBTRACT", 109},
    {"Decimal", "VK_DECIMAL", 110},
    {"Divide", "VK_DIVIDE", 111},
    {"F1", "VK_F1", 112},
    {"F2", "VK_F2", 113},
    {"F3", "VK_F3", 114},
    {"F4", "VK_F4", 115},
    {"F5", "VK_F5", 116},
    {"F6", "VK_F6", 117},
    {"F7", "VK_F7", 118},
    {"F8", "VK_F8", 119},
    {"F9", "VK_F9", 120},
    {"F10", "VK_F10", 121},
    {"F11", "VK_F11", 122},
    {"F12", "VK_F12", 123},
    {"F13", "VK_F13", 124},
    {"F14", "VK_F14", 125},
    {"F15", "VK_F15", 126},
    {"F16", "VK_F16", 127},
    {"F17", "VK_F17", 128},
    {"F18", "VK_F18", 129},
    {"F19", "VK_F19", 130},
    {"F20", "VK_F20", 131},
    {"F21", "VK_F21", 132},
    {"F22", "VK_F22", 133},
    {"F23", "VK_F23", 134},
    {"F24", "VK_F24", 135},
};

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

std::optional<std::int32_t> KeyCodeByName(std::string_view name) {
  if (name.empty()) return std::nullopt;
  // A letter is its own code, found without a search.
  if (name.size() == 1) {
    const char letter = FoldCase(name[0]);
    if (letter >= 'A' && letter <= 'Z') return letter;
  }
  // Every Windows name starts with VK_ and no canonical one does: one column to search, not two.
  const bool windows = SameIgnoringCase(name.substr(0, 3), "VK_");
  for (const NamedKey& key : kNamedKeys) {
    // Length and first letter first, here: most rows differ in them, and the settings load runs
    // every tick.
    const std::string_view candidate = windows ? key.windows : key.name;
    if (candidate.size() == name.size() && FoldCase(candidate[0]) == FoldCase(name[0]) &&
        SameIgnoringCase(name, candidate)) {
      return key.code;
    }
  }
  return std::nullopt;
}

std::string_view KeyName(std::int32_t code) {
  for (const NamedKey& key : kNamedKeys) {
    if (key.code == code) return key.name;
  }
  return {};
}

}  // namespace scuffler
