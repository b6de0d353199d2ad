// Names of Windows virtual-key codes, so that Scuffler.ini (and the sandbox) can say `Up` or `F5`
// where a player would otherwise look up 38 or 116.
//
// Every key has one canonical name, the one printed back ("G", "D5", "Up", "F5", "Numpad5"); most
// also parse under their Windows name ("VK_UP", "VK_F5", "VK_NUMPAD5"), and some under the other
// names players type ("Esc", "Return", "num5", "PrtSc"). A top-row digit is `D5`, since a bare `5`
// is the key code 5. The table also says whether the script hook's keyboard messages ever carry a
// key, and which keys the game itself acts on, so that the settings checker and the players'
// readme can tell a player why one never fires or does two things at once.
// Pure functions over constant tables: any thread, and nothing allocates.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace scuffler {

// Whether a binding to a key can ever fire.
enum class KeyReach : std::uint8_t {
  Keyboard,       // keyboard messages carry it
  GameKey,        // carried, but the game acts on it too (W, A, S, D, Shift, Space, Escape, Tab,
                  // and Alt, which opens its menus)
  MouseButton,    // a mouse button: the script hook forwards keyboard messages only
  SidedModifier,  // left or right Shift, Ctrl or Alt: the messages carry `carriedAs` instead
  NoRelease,      // Print Screen: Windows takes it for a screenshot, and no message here is known
                  // to carry its release
};

struct NamedKey {
  std::string_view name;     // canonical: parsed and printed
  std::string_view windows;  // the Windows VK_ name, parsed only; empty where Windows has none
  std::int32_t code;
  KeyReach reach;
  std::int32_t carriedAs = 0;  // SidedModifier: the code the messages carry for this key
};

// Another name players type for a key: parsed only, never printed.
struct KeyAlias {
  std::string_view name;
  std::int32_t code;
};

// The whole table, for tools that search it (the checker's nearest name).
struct KeyTable {
  const NamedKey* begin;
  const NamedKey* end;
};
KeyTable AllKeys();

// The other names, for the same tools.
struct AliasTable {
  const KeyAlias* begin;
  const KeyAlias* end;
};
AliasTable AllAliases();

// The code of a canonical, Windows or other name of a key, ASCII case-insensitively; nullopt for
// any other text, the empty text included.
std::optional<std::int32_t> KeyCodeByName(std::string_view name);

// The row of `code`; null when the code has no name.
const NamedKey* FindKey(std::int32_t code);

// The canonical name of `code`; empty when the code has none.
std::string_view KeyName(std::int32_t code);

// Whether `a` and `b` are the same text in ASCII case, as key names are matched: only a to z and
// A to Z fold, every other byte compares as it is.
bool SameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace scuffler
