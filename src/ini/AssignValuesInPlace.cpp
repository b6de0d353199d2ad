#include "ini/AssignValuesInPlace.h"

#include <array>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "ini/ClassifyLine.h"
#include "ini/ForEachLine.h"

namespace scuffler {
namespace {

// A document with more sections is parsed afresh; the counts below then fit on the stack.
constexpr std::size_t kMaxSections = 16;

// The position of `name` in `index` when it is at most `next`: a name met before, or the next
// one to meet when the file's order is the document's.
std::optional<std::size_t> PositionUpTo(const std::unordered_map<std::string, std::uint64_t>& index,
                                        const std::string& name, std::size_t next) {
  const auto found = index.find(name);
  if (found == index.end() || found->second > next) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(found->second);
}

}  // namespace

bool AssignValuesInPlace(const std::string& bytes, IniDocument& document) {
  const auto sectionCount = static_cast<std::size_t>(EntryCount(document));
  if (sectionCount == 0 || sectionCount > kMaxSections) {
    return false;
  }
  // What a parse from scratch would have created so far: sections, and keys per section.
  std::size_t sectionsMet = 0;
  std::array<std::size_t, kMaxSections> keysMet{};
  std::size_t current = kMaxSections;  // the section of the last header; none before the first
  bool matches = true;
  ParsedLine parsed;
  ForEachLine(bytes, [&](std::string_view line) {
    switch (ClassifyLineText(line, parsed)) {
      case LineKind::Section:
        if (const auto section = PositionUpTo(document.index, parsed.name, sectionsMet)) {
          current = *section;
          sectionsMet += current == sectionsMet ? 1 : 0;
        } else {
          matches = false;
        }
        break;
      case LineKind::KeyValue:
        if (current != kMaxSections) {  // keys before the first header belong nowhere
          IniSection& section = document.entries[current].second;
          if (const auto key = PositionUpTo(section.index, parsed.name, keysMet[current])) {
            keysMet[current] += *key == keysMet[current] ? 1 : 0;
            section.entries[*key].second = parsed.value;  // the last value in the file wins
          } else {
            matches = false;
          }
        }
        break;
      case LineKind::Blank:
      case LineKind::Comment:
      case LineKind::Unrecognised:
        break;
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
