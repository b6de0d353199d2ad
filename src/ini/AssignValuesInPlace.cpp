#include "ini/AssignValuesInPlace.h"

#include <array>
#include <optional>
#include <string_view>

#include "ini/ForEachEntryLine.h"

namespace scuffler {
namespace {

// A document with more sections is parsed afresh; the counts below then fit on the stack.
constexpr std::size_t kMaxSections = 16;

// The position of `name` in `map` when it is at most `next`: a name met before, or the next one to
// meet when the file's order is the document's. That is the usual case, and so is tried first,
// without hashing; the index is asked with `name` copied into `lookup`, whose storage is reused.
// `name` may be `lookup` itself, whole (an unescaped key is built there): it is then not copied
// onto itself. Any other view, even one that starts where `lookup` does, is copied.
template <typename V>
std::optional<std::size_t> PositionUpTo(const OrderedNameMap<V>& map, std::string_view name,
                                        std::size_t next, std::string& lookup) {
  if (next < map.entries.size() && map.entries[next].first == name) {
    return next;
  }
  if (name.data() != lookup.data() || name.size() != lookup.size()) {
    lookup.assign(name.data(), name.size());
  }
  const auto found = map.index.find(lookup);
  if (found == map.index.end() || found->second > next) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(found->second);
}

}  // namespace

bool AssignValuesInPlace(std::string_view bytes, IniDocument& document, IniReadBuffers& buffers) {
  const auto sectionCount = static_cast<std::size_t>(EntryCount(document));
  if (sectionCount == 0 || sectionCount > kMaxSections) {
    return false;
  }
  // What a parse from scratch would have created so far: sections, and keys per section.
  std::size_t sectionsMet = 0;
  std::array<std::size_t, kMaxSections> keysMet{};
  std::size_t current = kMaxSections;  // the section of the last header; none before the first
  bool matches = true;
  ForEachEntryLine(
      bytes, buffers, [&](LineKind kind, std::string_view name, std::string_view value) {
        if (kind == LineKind::Section) {
          if (const auto section = PositionUpTo(document, name, sectionsMet, buffers.nameCopy)) {
            current = *section;
            sectionsMet += current == sectionsMet ? 1 : 0;
          } else {
            matches = false;
          }
        } else if (current != kMaxSections) {  // keys before the first header belong nowhere
          IniSection& section = document.entries[current].second;
          if (const auto key = PositionUpTo(section, name, keysMet[current], buffers.nameCopy)) {
            keysMet[current] += *key == keysMet[current] ? 1 : 0;
            std::string& stored = section.entries[*key].second;
            if (stored != value) stored = value;  // the last value in the file wins
          } else {
            matches = false;
          }
        }
        return matches;
      });
  // Everything the document holds must have been met, or the file has lost something.
  if (!matches || sectionsMet != sectionCount) {
    return false;
  }
  for (std::size_t section = 0; section < sectionCount; ++section) {
    if (keysMet[section] != EntryCount(document.entries[section].second)) {
      return false;
    }
  }
  return true;
}

}  // namespace scuffler
