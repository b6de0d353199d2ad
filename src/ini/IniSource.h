// Where a settings document comes from: a file name, and the Read that rebuilds a document from it.
//
// Not thread-safe; a source and its document belong to one thread (the script's).
#pragma once

#include <string>

#include "ini/IniDocument.h"

namespace scuffler {

struct IniSource {
  // Passed to the operating system unchanged; a relative name is resolved against the process's
  // current directory.
  std::string fileName;
};

// Empties `document`, then fills it from the source's file. True when the file was opened and
// parsed; false, with `document` left empty, when the name is empty or the file is not readable.
bool Read(const IniSource& source, IniDocument& document);

}  // namespace scuffler
