// The parse's walk over a settings file: the lines that make sections and keys, classified, in
// file order. Shared by the parse from scratch and by the reuse of a document of the same shape,
// so that both see the same lines.
//
// Not thread-safe: it parses with the caller's buffers.
#pragma once

#include <string_view>

#include "ini/ClassifyLine.h"
#include "ini/ForEachLine.h"
#include "ini/IniReadBuffers.h"

namespace scuffler {

// Calls `onEntry` (LineKind, std::string_view name, std::string_view value -> bool) with every
// Section and KeyValue line of `bytes`, until it returns false: a section's name, or a key,
// unescaped, and its value, as SplitLine and UnescapedKey give them. The other lines change
// nothing in a parse and are skipped. A line whose first byte is ';' is skipped before it is
// split or classified at all: it is a comment whatever else it holds, since no byte dropped or
// trimmed can come before that ';'. Most lines of a settings file are such comments.
template <typename OnEntry>
void ForEachEntryLine(std::string_view bytes, IniReadBuffers& buffers, OnEntry onEntry) {
  LineParts parts;
  ForEachRawLine(bytes, [&](std::string_view raw) {
    if (!raw.empty() && raw.front() == ';') {
      return true;
    }
    switch (SplitLine(WithoutDroppedBytes(raw, buffers.lineCopy), parts)) {
      case LineKind::Section:
        return onEntry(LineKind::Section, parts.name, std::string_view());
      case LineKind::KeyValue:
        return onEntry(LineKind::KeyValue, UnescapedKey(parts, buffers.nameCopy), parts.value);
      case LineKind::Blank:
      case LineKind::Comment:
      case LineKind::Unrecognised:
        break;
    }
    return true;
  });
}

}  // namespace scuffler
