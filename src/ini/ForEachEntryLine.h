// The parse's walk over a settings file: every line, numbered and classified, in file order.
// Shared by the parse from scratch, by the reuse of a document of the same shape and by the
// settings checker, so that all three see the same lines.
//
// Not thread-safe: it parses with the caller's buffers.
#pragma once

#include <cstddef>
#include <string_view>

#include "ini/ClassifyLine.h"
#include "ini/ForEachLine.h"
#include "ini/IniReadBuffers.h"

namespace scuffler {

// One line of a settings file as the parse takes it. The views live until the callback returns.
struct ClassifiedLine {
  std::size_t number = 0;  // from 1
  std::string_view raw;    // as in the file, CR and NUL bytes inside included, without its line end
  LineKind kind = LineKind::Blank;
  std::string_view name;   // a section's name, or a key with its "\=" unescaped
  std::string_view value;  // a key's value
};

// Calls `onLine` (const ClassifiedLine& -> bool) with every line of `bytes`, until it returns
// false: its kind as SplitLine gives it, and a section's name or a key, unescaped, and its value.
// A line whose first byte is ';' is a Comment before it is split or classified at all: it is one
// whatever else it holds, since no byte dropped or trimmed can come before that ';'. Most lines of
// a settings file are such comments.
template <typename OnLine>
void ForEachClassifiedLine(std::string_view bytes, IniReadBuffers& buffers, OnLine onLine) {
  LineParts parts;
  ClassifiedLine line;
  ForEachRawLine(bytes, [&](std::string_view raw) {
    ++line.number;
    line.raw = raw;
    line.name = std::string_view();
    line.value = std::string_view();
    if (!raw.empty() && raw.front() == ';') {
      line.kind = LineKind::Comment;
      return onLine(static_cast<const ClassifiedLine&>(line));
    }
    line.kind = SplitLine(WithoutDroppedBytes(raw, buffers.lineCopy), parts);
    if (line.kind == LineKind::Section) {
      line.name = parts.name;
    } else if (line.kind == LineKind::KeyValue) {
      line.name = UnescapedKey(parts, buffers.nameCopy);
      line.value = parts.value;
    }
    return onLine(static_cast<const ClassifiedLine&>(line));
  });
}

// Calls `onEntry` (LineKind, std::string_view name, std::string_view value -> bool) with every
// Section and KeyValue line of `bytes`, until it returns false. The other lines change nothing in
// a parse and are skipped.
template <typename OnEntry>
void ForEachEntryLine(std::string_view bytes, IniReadBuffers& buffers, OnEntry onEntry) {
  ForEachClassifiedLine(bytes, buffers, [&](const ClassifiedLine& line) {
    if (line.kind != LineKind::Section && line.kind != LineKind::KeyValue) return true;
    return onEntry(line.kind, line.name, line.value);
  });
}

}  // namespace scuffler
