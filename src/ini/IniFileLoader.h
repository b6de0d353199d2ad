// Reads one settings file, whole and untranslated, and parses it into an IniDocument.
//
// A loader is meant to live for one IniSource Read: construct, Reparse (or ParseInto), destroy.
// Whatever should outlive it, such as the buffers a tick reuses, the caller passes in.
// The file is open from construction until its bytes have been taken, through the system's own
// file API (platform/PlatformFile.h): no C++ streams. Nothing here throws on a failed open, size
// query or read; only running out of memory can raise. Not thread-safe; one loader per thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ini/IniDocument.h"
#include "ini/IniReadBuffers.h"
#include "platform/PlatformFile.h"

namespace scuffler {

struct IniFileLoader {
  // Opens `fileName` for reading its bytes untranslated, without denying others any access.
  // When the file cannot be opened, the loader is simply not open. (A directory opens on Linux;
  // reading it then fails like a file that cannot be read.)
  explicit IniFileLoader(const std::string& fileName);
  ~IniFileLoader();  // closes the file if its bytes were never taken
  IniFileLoader(const IniFileLoader&) = delete;
  IniFileLoader& operator=(const IniFileLoader&) = delete;

  PlatformFile file;
};

// Parses the whole file into `document` and returns true. Returns false, leaving `document`
// untouched, when the file is not open or its bytes cannot be read (a failed size query).
bool ParseInto(IniFileLoader& loader, IniDocument& document);

// What a Read found.
enum class ReadResult : std::uint8_t {
  NotOpened,   // the name is empty or the file did not open: the document is as it was
  Unreadable,  // it opened but could not be read whole (a directory): the document is empty
  Rebuilt,     // the document is what the file holds now, parsed
  Unchanged,   // the file holds the bytes kept by KeepParsedBytes: the document is as it was
};

// Whether the document is what the file holds.
inline bool Found(ReadResult result) {
  return result == ReadResult::Rebuilt || result == ReadResult::Unchanged;
}

// Reads the whole file into `buffers.bytes` and makes `document` what it holds: Unchanged, the
// document untouched, when the bytes are those `buffers` kept (KeepParsedBytes); else Rebuilt, as
// ReparseText does. Unreadable, leaving `document` empty, when the file is not open or its bytes
// cannot be read.
ReadResult Reread(IniFileLoader& loader, IniDocument& document, IniReadBuffers& buffers);

// Reread, as true when the document is what the file holds.
bool Reparse(IniFileLoader& loader, IniDocument& document, IniReadBuffers& buffers);

// Makes `document` what parsing `bytes` into an empty document would; a document that already
// holds the same sections and keys in the same order only has its values assigned again, which
// allocates nothing. `bytes` may be `buffers.bytes`.
void ReparseText(std::string_view bytes, IniDocument& document, IniReadBuffers& buffers);

// The file's lines, split at LF, with every CR and NUL byte dropped; the text after the last LF
// is a line even when empty, and an empty file has no lines. Closes the file. Empty optional
// when the file is not open or its size cannot be taken.
std::optional<std::vector<std::string>> ReadLines(IniFileLoader& loader);

}  // namespace scuffler
