#include "input/KeyNames.h"

#include <iterator>

namespace scuffler {
namespace {

// The arrows first, as the default bindings (read every tick) are found soonest there; the rest
// by code. Windows names no letter or top-row digit: their codes are the characters themselves.
constexpr NamedKey kNamedKeys[] = {
    {"Left", "VK_LEFT", 37, KeyReach::Keyboard},
    {"Up", "VK_UP", 38, KeyReach::Keyboard},
    {"Right", "VK_RIGHT", 39, KeyReach::Keyboard},
    {"Down", "VK_DOWN", 40, KeyReach::Keyboard},
    {"Backspace", "VK_BACK", 8, KeyReach::Keyboard},
    {"Tab", "VK_TAB", 9, KeyReach::GameKey},
    {"Enter", "VK_RETURN", 13, KeyReach::Keyboard},
    {"Shift", "VK_SHIFT", 16, KeyReach::GameKey},
    {"Ctrl", "VK_CONTROL", 17, KeyReach::Keyboard},
    {"Alt", "VK_MENU", 18, KeyReach::GameKey},
    {"Pause", "VK_PAUSE", 19, KeyReach::Keyboard},
    {"CapsLock", "VK_CAPITAL", 20, KeyReach::Keyboard},
    {"Escape", "VK_ESCAPE", 27, KeyReach::GameKey},
    {"Space", "VK_SPACE", 32, KeyReach::GameKey},
    {"PageUp", "VK_PRIOR", 33, KeyReach::Keyboard},
    {"PageDown", "VK_NEXT", 34, KeyReach::Keyboard},
    {"End", "VK_END", 35, KeyReach::Keyboard},
    {"Home", "VK_HOME", 36, KeyReach::Keyboard},
    // Named so that a player who writes it is told why it never fires, not that it is unknown.
    {"PrintScreen", "VK_SNAPSHOT", 44, KeyReach::NoRelease},
    {"Insert", "VK_INSERT", 45, KeyReach::Keyboard},
    {"Delete", "VK_DELETE", 46, KeyReach::Keyboard},
    {"D0", "", 48, KeyReach::Keyboard},
    {"D1", "", 49, KeyReach::Keyboard},
    {"D2", "", 50, KeyReach::Keyboard},
    {"D3", "", 51, KeyReach::Keyboard},
    {"D4", "", 52, KeyReach::Keyboard},
    {"D5", "", 53, KeyReach::Keyboard},
    {"D6", "", 54, KeyReach::Keyboard},
    {"D7", "", 55, KeyReach::Keyboard},
    {"D8", "", 56, KeyReach::Keyboard},
    {"D9", "", 57, KeyReach::Keyboard},
    {"A", "", 65, KeyReach::GameKey},
    {"B", "", 66, KeyReach::Keyboard},
    {"C", "", 67, KeyReach::Keyboard},
    {"D", "", 68, KeyReach::GameKey},
    {"E", "", 69, KeyReach::Keyboard},
    {"F", "", 70, KeyReach::Keyboard},
    {"G", "", 71, KeyReach::Keyboard},
    {"H", "", 72, KeyReach::Keyboard},
    {"I", "", 73, KeyReach::Keyboard},
    {"J", "", 74, KeyReach::Keyboard},
    {"K", "", 75, KeyReach::Keyboard},
    {"L", "", 76, KeyReach::Keyboard},
    {"M", "", 77, KeyReach::Keyboard},
    {"N", "", 78, KeyReach::Keyboard},
    {"O", "", 79, KeyReach::Keyboard},
    {"P", "", 80, KeyReach::Keyboard},
    {"Q", "", 81, KeyReach::Keyboard},
    {"R", "", 82, KeyReach::Keyboard},
    {"S", "", 83, KeyReach::GameKey},
    {"T", "", 84, KeyReach::Keyboard},
    {"U", "", 85, KeyReach::Keyboard},
    {"V", "", 86, KeyReach::Keyboard},
    {"W", "", 87, KeyReach::GameKey},
    {"X", "", 88, KeyReach::Keyboard},
    {"Y", "", 89, KeyReach::Keyboard},
    {"Z", "", 90, KeyReach::Keyboard},
    {"Numpad0", "VK_NUMPAD0", 96, KeyReach::Keyboard},
    {"Numpad1", "VK_NUMPAD1", 97, KeyReach::Keyboard},
    {"Numpad2", "VK_NUMPAD2", 98, KeyReach::Keyboard},
    {"Numpad3", "VK_NUMPAD3", 99, KeyReach::Keyboard},
    {"Numpad4", "VK_NUMPAD4", 100, KeyReach::Keyboard},
    {"Numpad5", "VK_NUMPAD5", 101, KeyReach::Keyboard},
    {"Numpad6", "VK_NUMPAD6", 102, KeyReach::Keyboard},
    {"Numpad7", "VK_NUMPAD7", 103, KeyReach::Keyboard},
    {"Numpad8", "VK_NUMPAD8", 104, KeyReach::Keyboard},
    {"Numpad9", "VK_NUMPAD9", 105, KeyReach::Keyboard},
    {"Multiply", "VK_MULTIPLY", 106, KeyReach::Keyboard},
    {"Add", "VK_ADD", 107, KeyReach::Keyboard},
    {"Subtract", "VK_SUBTRACT", 109, KeyReach::Keyboard},
    {"Decimal", "VK_DECIMAL", 110, KeyReach::Keyboard},
    {"Divide", "VK_DIVIDE", 111, KeyReach::Keyboard},
    {"F1", "VK_F1", 112, KeyReach::Keyboard},
    {"F2", "VK_F2", 113, KeyReach::Keyboard},
    {"F3", "VK_F3", 114, KeyReach::Keyboard},
    {"F4", "VK_F4", 115, KeyReach::Keyboard},
    {"F5", "VK_F5", 116, KeyReach::Keyboard},
    {"F6", "VK_F6", 117, KeyReach::Keyboard},
    {"F7", "VK_F7", 118, KeyReach::Keyboard},
    {"F8", "VK_F8", 119, KeyReach::Keyboard},
    {"F9", "VK_F9", 120, KeyReach::Keyboard},
    {"F10", "VK_F10", 121, KeyReach::Keyboard},
    {"F11", "VK_F11", 122, KeyReach::Keyboard},
    {"F12", "VK_F12", 123, KeyReach::Keyboard},
    {"F13", "VK_F13", 124, KeyReach::Keyboard},
    {"F14", "VK_F14", 125, KeyReach::Keyboard},
    {"F15", "VK_F15", 126, KeyReach::Keyboard},
    {"F16", "VK_F16", 127, KeyReach::Keyboard},
    {"F17", "VK_F17", 128, KeyReach::Keyboard},
    {"F18", "VK_F18", 129, KeyReach::Keyboard},
    {"F19", "VK_F19", 130, KeyReach::Keyboard},
    {"F20", "VK_F20", 131, KeyReach::Keyboard},
    {"F21", "VK_F21", 132, KeyReach::Keyboard},
    {"F22", "VK_F22", 133, KeyReach::Keyboard},
    {"F23", "VK_F23", 134, KeyReach::Keyboard},
    {"F24", "VK_F24", 135, KeyReach::Keyboard},
    {"NumLock", "VK_NUMLOCK", 144, KeyReach::Keyboard},
    {"ScrollLock", "VK_SCROLL", 145, KeyReach::Keyboard},
    // Named so that a player who writes them is told why they never fire, not that they are
    // unknown: the script hook forwards keyboard messages only, and those carry 16, 17 and 18
    // for either Shift, Ctrl and Alt.
    {"MouseLeft", "VK_LBUTTON", 1, KeyReach::MouseButton},
    {"MouseRight", "VK_RBUTTON", 2, KeyReach::MouseButton},
    {"MouseMiddle", "VK_MBUTTON", 4, KeyReach::MouseButton},
    {"MouseX1", "VK_XBUTTON1", 5, KeyReach::MouseButton},
    {"MouseX2", "VK_XBUTTON2", 6, KeyReach::MouseButton},
    {"LShift", "VK_LSHIFT", 160, KeyReach::SidedModifier, 16},
    {"RShift", "VK_RSHIFT", 161, KeyReach::SidedModifier, 16},
    {"LCtrl", "VK_LCONTROL", 162, KeyReach::SidedModifier, 17},
    {"RCtrl", "VK_RCONTROL", 163, KeyReach::SidedModifier, 17},
    {"LAlt", "VK_LMENU", 164, KeyReach::SidedModifier, 18},
    {"RAlt", "VK_RMENU", 165, KeyReach::SidedModifier, 18},
};

// Searched only when no canonical or Windows name matched, so the names the shipped file uses cost
// nothing more. Each stands for a key above; none is printed.
constexpr KeyAlias kKeyAliases[] = {
    {"Esc", 27},         {"Return", 13},    {"Scroll", 145},    {"ScrLk", 145},
    {"PrtSc", 44},       {"PrtScn", 44},    {"PrintScrn", 44},  {"Control", 17},
    {"Del", 46},         {"Ins", 45},       {"PgUp", 33},       {"PgDn", 34},
    {"Caps", 20},        {"Spacebar", 32},  {"Num0", 96},       {"Num1", 97},
    {"Num2", 98},        {"Num3", 99},      {"Num4", 100},      {"Num5", 101},
    {"Num6", 102},       {"Num7", 103},     {"Num8", 104},      {"Num9", 105},
    {"XButton1", 5},     {"XButton2", 6},   {"Mouse1", 1},      {"Mouse2", 2},
    {"Mouse3", 4},       {"Mouse4", 5},     {"Mouse5", 6},      {"LeftShift", 160},
    {"RightShift", 161}, {"LeftCtrl", 162}, {"RightCtrl", 163}, {"LeftAlt", 164},
    {"RightAlt", 165},
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
  if (windows) return std::nullopt;
  for (const KeyAlias& alias : kKeyAliases) {
    if (SameIgnoringCase(name, alias.name)) return alias.code;
  }
  return std::nullopt;
}

const NamedKey* FindKey(std::int32_t code) {
  for (const NamedKey& key : kNamedKeys) {
    if (key.code == code) return &key;
  }
  return nullptr;
}

std::string_view KeyName(std::int32_t code) {
  const NamedKey* const key = FindKey(code);
  return key != nullptr ? key->name : std::string_view();
}

KeyTable AllKeys() { return {std::begin(kNamedKeys), std::end(kNamedKeys)}; }

AliasTable AllAliases() { return {std::begin(kKeyAliases), std::end(kKeyAliases)}; }

}  // namespace scuffler
