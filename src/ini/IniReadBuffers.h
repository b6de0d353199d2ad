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
};

// Buffers larger than this are given back after a read: a huge file read once must not keep its
// memory for the rest of the game. The shipped settings file is under 2 KB.
constexpr std::size_t kLargestKeptBuffer = 64 * 1024;

// Frees each buffer whose storage is over kLargestKeptBuffer.
void ReleaseLargeBuffers(IniReadBuffers& buffers);

}  // namespace scuffler
