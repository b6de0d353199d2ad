// Action names and their hashes: the game hashes names case-insensitively, so the sim does too,
// and keeps the text so that a recorded action can be read back by name.
#include "SimState.h"

namespace sim {
namespace detail {

std::uint32_t HashActionName(const std::string& text) {
  // Jenkins one-at-a-time: cheap, deterministic, and spreads short similar names well.
  std::uint32_t hash = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    hash += (byte >= 'A' && byte <= 'Z') ? byte + ('a' - 'A') : byte;
    hash += hash << 10;
    hash ^= hash >> 6;
  }
  hash += hash << 3;
  hash ^= hash >> 11;
  hash += hash << 15;
  TheState().actionNames.emplace(hash, text);
  return hash;
}

}  // namespace detail

std::uint32_t NameHash(const std::string& name) { return detail::HashActionName(name); }

std::string ActionName(std::uint32_t actionHash) {
  const auto& names = detail::TheState().actionNames;
  const auto it = names.find(actionHash);
  return it == names.end() ? std::string() : it->second;
}

}  // namespace sim
