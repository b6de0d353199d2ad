// Where a saved recording goes. The recorder puts a recording together and hands it to the sink in
// place; the sink alone decides where its bytes land, so that the game, the sandbox and the tests
// each give the recorder their own place without a mode in the recorder.
//
// - kFolderSink, the game's (and the one in place at load): Scuffler-recording-N.bin in the
//   current folder, N one above the highest such file there, written beside under a .tmp name
//   and renamed only once every byte is written and the file closed without error, then the
//   files older than the 5 newest deleted. Past N = 4294967295 nothing is saved.
// - kDiscardingSink: keeps nothing and says so; the sandbox's live runs and replays, whose save
//   key then acts as in the game and writes no file.
// - A test's double: any function of the same shape, such as one that keeps the bytes in memory.
//
// Script context only, as the recorder.
#pragma once

#include <cstddef>
#include <cstdint>

namespace scuffler {

// One run of a recording's bytes.
struct ByteRun {
  const unsigned char* bytes;
  std::size_t size;
};

struct RecordingSink {
  // Receives one whole recording as `count` runs of bytes, in order; true when it was kept.
  bool (*save)(const ByteRun* runs, std::size_t count, void* context);
  void* context;
};

extern const RecordingSink kFolderSink;
extern const RecordingSink kDiscardingSink;

// The number N of a name Scuffler-recording-N.bin, N from 1 to 4294967295 in decimal; 0 for any
// other name.
std::uint32_t RecordingNumber(const char* name);

// The file name of recording `number`, written to `name` (room for 40 bytes).
void RecordingFileName(std::uint32_t number, char* name);

}  // namespace scuffler
