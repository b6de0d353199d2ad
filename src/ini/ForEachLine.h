// The settings file's line splitter: LF ends a line, CR and NUL bytes are dropped wherever they
// stand, and no other byte is special.
//
// Shared by the reader's parse and its list of lines, so that both split alike. Pure; safe from
// any thread.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

namespace scuffler {

// The first `byte` in [begin, end), or end.
inline const char* FindByte(const char* begin, const char* end, char byte) {
  const void* found = std::memchr(begin, byte, static_cast<std::size_t>(end - begin));
  return found != nullptr ? static_cast<const char*>(found) : end;
}

// Calls `onLine` (std::string_view -> bool) with every line of `bytes` in order, until it returns
// false. The text after the last LF is a line even when empty; no bytes make no lines. A line is
// handed over as a view into `bytes` where it has nothing to drop, so most lines are never copied:
// the settings file is read on every tick. The view lives until `onLine` returns.
template <typename OnLine>
void ForEachLine(const std::string& bytes, OnLine onLine) {
  if (bytes.empty()) {
    return;
  }
  std::string kept;  // a line without its CR and NUL bytes, for the lines that have some
  const char* begin = bytes.data();
  const char* const end = begin + bytes.size();
  // Most files have no byte to drop at all; then no line needs looking at for one.
  const bool dropsBytes = FindByte(begin, end, '\r') != end || FindByte(begin, end, '\0') != end;
  for (;;) {
    const char* const lineEnd = FindByte(begin, end, '\n');
    std::string_view line(begin, static_cast<std::size_t>(lineEnd - begin));
    if (dropsBytes &&
        (FindByte(begin, lineEnd, '\r') != lineEnd || FindByte(begin, lineEnd, '\0') != lineEnd)) {
      kept.clear();
      for (const char byte : line) {
        if (byte != '\r' && byte != '\0') kept.push_back(byte);
      }
      line = kept;
    }
    if (!onLine(line) || lineEnd == end) {
      return;
    }
    begin = lineEnd + 1;
  }
}

}  // namespace scuffler
