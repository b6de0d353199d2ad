// What a reader of the settings file keeps from one read to the next: the file's bytes, and room
// for a line that needed bytes dropped and for a key that needed unescaping or looking up.
// Reading the same file again, or one of the same shape, then reuses their storage and allocates
// nothing.
//
// Not thread-safe; the buffers belong to the thread that reads (the script's).
#pragma once

#include <cstddef>
#include <string>

namespace scuffler {

struct IniReadBuffers {
  std::string bytes;     // the whole file, as last read
  std::string lineCopy;  // a line without its CR and NUL bytes, for lines with one inside
  std::string nameCopy;  // a key unescaped, or a name to look up in a map's index
  // The bytes the caller's document was last built from (Held by the read that parsed them),
  // then Kept once the caller has finished with that document (KeepParsedBytes): a Read of the
  // same bytes then parses nothing.
  std::string parsed;
  enum class Parsed : unsigned char { None, Held, Kept } parsedState = Parsed::None;
};

// Buffers larger than this are given back after a read: a huge file read once must not keep its
// memory for the rest of the game. The shipped settings file is under 2 KB.
constexpr std::size_t kLargestKeptBuffer = 64 * 1024;

// Frees each buffer whose storage is over kLargestKeptBuffer (forgetting the parsed bytes if they
// go).
void ReleaseLargeBuffers(IniReadBuffers& buffers);

// Holds a copy of `buffers.bytes`, just parsed, unless they are larger than kLargestKeptBuffer:
// such a file is parsed at every read.
void HoldParsedBytes(IniReadBuffers& buffers);

// Keeps the bytes the last read parsed and held as those the caller's document holds. Call only
// once everything drawn from the document is done, so that an unfinished load never counts.
void KeepParsedBytes(IniReadBuffers& buffers);

// Forgets the kept bytes: the next Read parses. For whoever changes the document or what was
// drawn from it by other means.
void ForgetParsedBytes(IniReadBuffers& buffers);

}  // namespace scuffler
