// libFuzzer target for the sandbox's reader of recordings: arbitrary bytes must come back as a
// recording or one line of error, never a crash, a hang or an allocation out of proportion to
// the input; every tick of a recording that reads must decode again with the same events.
//
// Nothing is kept from one input to the next.
#include <cstdint>
#include <string>

#include "Properties.h"
#include "record/RecordingFormat.h"
#include "record/RecordingReader.h"

using namespace scuffler::recording;

namespace {

void CheckRead(std::string bytes) {
  ReadRecording read = ParseRecording(std::move(bytes));
  fuzz::Check(read.recording.has_value() != !read.error.empty());
  fuzz::Check(read.error.find('\n') == std::string::npos);
  if (!read.recording) return;
  for (std::size_t tick = 0; tick < read.recording->ticks.size(); ++tick) {
    for (const RecordedEvent& event : TickEvents(*read.recording, tick)) {
      fuzz::Check(event.kind != EventKind::Native ||
                  event.textArg < static_cast<int>(event.args.size()));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  CheckRead(bytes);
  // The same bytes with the checksum they need, so that mutations reach past it.
  const std::uint64_t hash = Fnv1a(kFnvStart, data, size);
  for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<char>(hash >> (8 * i)));
  CheckRead(std::move(bytes));
  return 0;
}
