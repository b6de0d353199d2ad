// Reads one settings file, whole and untranslated, and parses it into an IniDocument.
//
// A loader is meant to live for one IniSource Read: construct, ParseInto, destroy. The file is
// open from construction until ReadLines has taken its bytes. Nothing here throws on a stream
// failure; only running out of memory can raise. Not thread-safe; one loader per thread.
#pragma once

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "ini/IniDocument.h"

namespace scuffler {

struct IniFileLoader {
  // Opens `fileName` for binary reading, without denying others read or write access. When the
  // file cannot be opened, or is not a regular file, the loader is simply not open.
  explicit IniFileLoader(const std::string& fileName);

  std::ifstream stream;
};

// Parses the whole file into `document` and returns true. Returns false, leaving `document`
// untouched, when the file is not open or its bytes cannot be read (a failed size query).
bool ParseInto(IniFileLoader& loader, IniDocument& document);

// The file's lines, split at LF, with every CR and NUL byte dropped; the text after the last LF
// is a line even when empty, and an empty file has no lines. Closes the file. Empty optional
// when the file is not open or its size cannot be taken.
std::optional<std::vector<std::string>> ReadLines(IniFileLoader& loader);

}  // namespace scuffler
