// Names of Windows virtual-key codes, so that Scuffler.ini (and the sandbox) can say `Up` or `F5`
// where a player would otherwise look up 38 or 116.
//
// Every key has one canonical name, the one printed back ("G", "D5", "Up", "F5", "Numpad5"); most
// also parse under their Windows name ("VK_UP", "VK_F5", "VK_NUMPAD5"). A top-row digit is `D5`,
// since a bare `5` is the key code 5. Pure functions over a constant table: any thread, and
// nothing allocates.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace scuffler {

// The code of a canonical or Windows key name, ASCII case-insensitively; nullopt for any other
// text, the empty text included.
std::optional<std::int32_t> KeyCodeByName(std::string_view name);

// The canonical name of `code`; empty when the code has none.
std::string_view KeyName(std::int32_t code);

// Whether `a` and `b` are the same text in ASCII case, as key names are matched: only a to z and
// A to Z fold, every other byte compares as it is.
bool SameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace scuffler
