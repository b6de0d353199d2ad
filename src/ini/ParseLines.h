// The parse from scratch of a settings file into a document, line by line, telling a caller what
// became of each line: the plug-in's reader passes a callback that does nothing, the settings
// checker one that explains the file to a player.
//
// Not thread-safe: it parses into the caller's document with the caller's buffers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ini/ForEachEntryLine.h"
#include "ini/IniDocument.h"
#include "ini/IniReadBuffers.h"

namespace scuffler {

// Adds the sections and keys of `bytes` to `document` and calls `onLine` (const ClassifiedLine&,
// const std::string* section, bool replaced) with every line, after the parse has taken it.
// `section` is the name, as stored in `document`, of the section a Section line opens or a
// KeyValue line was stored in; null for a key before the first header, which belongs nowhere, and
// for every other line. `replaced` is true when a KeyValue line's value took the place of one an
// earlier line stored under the same key of the same section.
template <typename OnLine>
void ParseLines(std::string_view bytes, IniDocument& document, IniReadBuffers& buffers,
                OnLine onLine) {
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  // The position of the last header's section, none before the first. Positions stay valid while
  // sections are added; references would not.
  std::size_t current = kNone;
  ForEachClassifiedLine(bytes, buffers, [&](const ClassifiedLine& line) {
    const std::string* section = nullptr;
    bool replaced = false;
    if (line.kind == LineKind::Section) {
      // A bare header still creates its section.
      current = GetOrCreatePosition(document, std::string(line.name));
      section = &document.entries[current].first;
    } else if (line.kind == LineKind::KeyValue && current != kNone) {
      auto& [name, keys] = document.entries[current];
      const std::size_t keysBefore = keys.entries.size();
      GetOrCreate(keys, std::string(line.name)) = line.value;
      replaced = keys.entries.size() == keysBefore;
      section = &name;
    }
    onLine(line, section, replaced);
    return true;
  });
}

}  // namespace scuffler
