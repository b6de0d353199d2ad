// The settings file's line splitter: LF ends a line, CR and NUL bytes are dropped wherever they
// stand, and no other byte is special.
//
// Shared by the reader's parse and its list of lines, so that both split alike. Pure; safe from
// any thread. Nothing here copies a line that has no byte to drop inside it: the settings file is
// read on every tick.
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

// Calls `onRawLine` (std::string_view -> bool) with every line of `bytes` as it stands in the
// file, without its LF and without the CR of a CR LF line end, until it returns false. The text
// after the last LF is a line even when empty; no bytes make no lines. Other CR and NUL bytes are
// still in the view: WithoutDroppedBytes takes them out.
template <typename OnRawLine>
void ForEachRawLine(std::string_view bytes, OnRawLine onRawLine) {
  if (bytes.empty()) {
    return;
  }
  const char* begin = bytes.data();
  const char* const end = begin + bytes.size();
  for (;;) {
    const char* const lineEnd = FindByte(begin, end, '\n');
    const char* kept = lineEnd;
    if (kept != begin && kept[-1] == '\r') --kept;
    if (!onRawLine(std::string_view(begin, static_cast<std::size_t>(kept - begin))) ||
        lineEnd == end) {
      return;
    }
    begin = lineEnd + 1;
  }
}

// A raw line as the splitter hands it on: without its CR and NUL bytes. A view of `raw` itself
// when it has none, else of `copy`, which then holds the bytes kept (its storage is reused).
inline std::string_view WithoutDroppedBytes(std::string_view raw, std::string& copy) {
  const char* const begin = raw.data();
  const char* const end = begin + raw.size();
  if (FindByte(begin, end, '\r') == end && FindByte(begin, end, '\0') == end) {
    return raw;
  }
  copy.clear();
  for (const char byte : raw) {
    if (byte != '\r' && byte != '\0') copy.push_back(byte);
  }
  return copy;
}

// Calls `onLine` (std::string_view -> bool) with every line of `bytes` in order, CR and NUL bytes
// dropped, until it returns false. A line that needs bytes dropped is copied into `lineCopy`; the
// view lives until `onLine` returns.
template <typename OnLine>
void ForEachLine(std::string_view bytes, std::string& lineCopy, OnLine onLine) {
  ForEachRawLine(bytes,
                 [&](std::string_view raw) { return onLine(WithoutDroppedBytes(raw, lineCopy)); });
}

}  // namespace scuffler
