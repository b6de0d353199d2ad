// Names of Windows virtual-key codes, both ways: scenarios name keys the way a player would
// ("G", "Up", "F5"), and the trace prints codes back under the same names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sandbox {

// The code of a key name, ignoring case ("g", "G" and "up" all work); nullopt for an unknown name.
std::optional<std::uint32_t> KeyCodeByName(const std::string& name);

// The name of `code` ("G", "Up", "F5"), or "VK 187" for a code without a name here, or "none"
// for a code outside 0 to 254, which binds no key.
std::string KeyName(std::int32_t code);

}  // namespace sandbox
