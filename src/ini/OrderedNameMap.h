// A name-to-value map that remembers the order in which names were first created.
//
// Both levels of the settings document use it: sections by name, and keys by name within a
// section. Names are byte strings, trimmed on the way in and compared exactly (no case folding).
// Entries are only appended, and only Clear removes them, so a position once given stays valid.
// Copies are deep: a copy shares nothing with its original.
//
// Not thread-safe; the settings document lives on the script's thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ini/TrimWhitespace.h"

namespace scuffler {

template <typename V>
struct OrderedNameMap {
  // Name -> position in `entries`; holds exactly the names of `entries`.
  std::unordered_map<std::string, std::uint64_t> index;
  // (name, value) in order of first creation.
  std::vector<std::pair<std::string, V>> entries;
};

// The position of the entry under the trimmed `name`, appending an empty one when the name is
// new. A position stays valid until Clear.
template <typename V>
std::size_t GetOrCreatePosition(OrderedNameMap<V>& map, std::string name) {
  TrimWhitespace(name);
  const auto found = map.index.find(name);
  if (found != map.index.end()) {
    return static_cast<std::size_t>(found->second);
  }
  const std::uint64_t position = map.entries.size();
  map.entries.emplace_back(name, V{});
  try {
    map.index.emplace(std::move(name), position);
  } catch (...) {
    map.entries.pop_back();  // out of memory: leave no entry the index does not know
    throw;
  }
  return static_cast<std::size_t>(position);
}

// The value stored under the trimmed `name`, appending an empty one when the name is new.
// Assigning through the result keeps the entry's position. The reference stays valid until the
// next GetOrCreate that appends, or Clear.
template <typename V>
V& GetOrCreate(OrderedNameMap<V>& map, std::string name) {
  return map.entries[GetOrCreatePosition(map, std::move(name))].second;
}

// Up to this many entries, FindValue compares names in order rather than hashing one: faster for
// the handful of keys a settings section holds, and the same answer, since names are unique.
constexpr std::size_t kEntriesFoundInOrder = 16;

// The value under the trimmed `name`, or null when there is none; for readers that need no copy.
// Never adds an entry. The pointer stays valid until the next GetOrCreate that appends, or Clear.
template <typename V>
const V* FindValue(const OrderedNameMap<V>& map, std::string_view name) {
  name = Trimmed(name);
  if (map.entries.size() <= kEntriesFoundInOrder) {
    for (const auto& entry : map.entries) {
      if (entry.first == name) return &entry.second;
    }
    return nullptr;
  }
  const auto found = map.index.find(std::string(name));
  if (found == map.index.end()) {
    return nullptr;
  }
  return &map.entries[static_cast<std::size_t>(found->second)].second;
}

// A copy of the value under the trimmed `name`, or an empty value when there is none. Never
// adds an entry.
template <typename V>
V Lookup(const OrderedNameMap<V>& map, std::string name) {
  const V* const value = FindValue(map, name);
  return value != nullptr ? *value : V{};
}

template <typename V>
std::uint64_t EntryCount(const OrderedNameMap<V>& map) {
  return map.entries.size();
}

// Removes every entry; the next new name gets position 0. The entry array keeps its storage.
template <typename V>
void Clear(OrderedNameMap<V>& map) {
  map.entries.clear();
  map.index.clear();
}

}  // namespace scuffler
