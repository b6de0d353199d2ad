// Reads one settings file, whole and untranslated, and parses it into an IniDocument.
//
// A loader is meant to live for one IniSource Read: construct, Reparse (or ParseInto), destroy.
// Whatever should outlive it, such as the buffers a tick reuses, the caller passes in.
// The file is open from construction until its bytes have been taken, through the system's own
// file API (platform/PlatformFile.h): no C++ streams. Nothing here throws on a failed open, size
// query or read; only running out of memory can raise. Not thread-safe; one loader per thread.
#pragma once

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

// Reads the whole file into `buffers.bytes` and makes `document` what it holds, as ReparseText
// does, and returns true. Returns false, leaving `document` empty, when the file is not open or
// its bytes cannot be read.
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
