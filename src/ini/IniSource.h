// Where a settings document comes from: a file name, and the Read that rebuilds a document from it.
//
// Not thread-safe; a source, its document and its buffers belong to one thread (the script's).
#pragma once

#include <cstddef>
#include <string>

#include "ini/IniDocument.h"
#include "ini/IniFileLoader.h"
#include "ini/IniReadBuffers.h"

namespace scuffler {

struct IniSource {
  // Passed to the operating system unchanged; a relative name is resolved against the process's
  // current directory.
  std::string fileName;
};

// Opens the source's file once and, when it opens, makes `document` what the file holds: a
// document rebuilt from scratch, or, when the file has the shape it had at the last read, the
// same document with its values assigned again, or, when `buffers` kept the very bytes the file
// holds (KeepParsedBytes), the document untouched.
//
// `buffers` are kept by the caller from one read to the next; reading a file that has neither
// grown nor changed shape then allocates nothing. Large ones are given back afterwards.
//
// `observe`, when given, is told what the read found: whether the file opened and, when it was
// read whole, its bytes (else null), before large buffers are given back. The recorder keeps it.
using ReadObserver = void (*)(bool opened, const char* bytes, std::size_t size);
ReadResult Read(const IniSource& source, IniDocument& document, IniReadBuffers& buffers,
                ReadObserver observe = nullptr);

// The same with buffers of its own, for a one-off read.
ReadResult Read(const IniSource& source, IniDocument& document);

}  // namespace scuffler
