// Reads a recording file (RecordingFormat.h's layout) back into ticks of events, for the
// sandbox's replay. Never linked into the plug-in.
//
// A file from anyone: every length is checked against what is left, the checksum against the
// bytes, and nothing is trusted with an index; anything wrong comes back as one line of error,
// never a crash. Memory: the file itself, 12 bytes a tick (a tick takes at least 8 in the file,
// and there are at most as many as its span has milliseconds, and a few), and one event at a
// time: at most 2.5 times the file's size. Pure functions; any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/Settings.h"

namespace scuffler::recording {

enum class EventKind : std::uint8_t { Native, Peds, KeyTest, SettingsFile, Settings };

enum class FileState : std::uint8_t { Missing, Same, Bytes, Unreadable, TooLarge };

struct RecordedEvent {
  EventKind kind = EventKind::Native;
  // Native: the hash, the pushed slots (0 in the text's place), the text and the result as the
  // plug-in read it (zeros where it reads nothing).
  std::uint64_t hash = 0;
  std::vector<std::uint64_t> args;
  int textArg = -1;
  std::string text;
  std::uint64_t result[3] = {0, 0, 0};
  // Peds: what worldGetAllPeds returned, and the handles the buffer took.
  std::int32_t reported = 0;
  std::vector<std::int32_t> peds;
  // KeyTest: the code tested and the answer.
  std::int32_t key = 0;
  bool released = false;
  // SettingsFile: what LoadSettings found; the bytes when they changed.
  FileState file = FileState::Missing;
  std::string bytes;
  // Settings: those in force after the load.
  Settings settings;
};

// A tick of the file: its clock and where its events lie in Recording::file (which is under
// kLargestFile, so 32 bits hold any place in it).
struct RecordedTick {
  std::uint32_t clock = 0;
  std::uint32_t begin = 0;
  std::uint32_t size = 0;
};

// The most ticks a recording may hold beyond one a millisecond of its span: ticks that a fast
// machine ran within one reading of the clock.
constexpr std::uint32_t kTicksBeyondSpan = 64;

struct Recording {
  std::uint16_t formatVersion = 0;
  std::string pluginVersion;
  std::uint32_t firstTick = 0;  // the first tick's number since the plug-in loaded
  std::uint32_t spanMs = 0;
  std::uint32_t seconds = 0;  // iRecordSeconds when it was saved
  bool baseKnown = false;     // the settings file's bytes before the first tick are known
  std::string baseBytes;
  std::vector<RecordedTick> ticks;
  std::string file;  // the whole file; the ticks' events are decoded from it when asked
};

struct ReadRecording {
  std::optional<Recording> recording;
  std::string error;  // set when there is none
};

// Checks the whole file, every tick's events included, and keeps it.
ReadRecording ParseRecording(std::string bytes);

// Reads the events of one tick of a recording ParseRecording gave, one at a time.
struct TickReader {
  const unsigned char* at = nullptr;
  const unsigned char* end = nullptr;
};

// A reader at the first event of tick `index` (none when there is no such tick).
TickReader ReadTick(const Recording& recording, std::size_t index);

// The next event into `event`, whose storage is reused; false when the tick has no more.
bool NextEvent(TickReader& reader, RecordedEvent& event);

// Every event of tick `index` at once, for tests and tools that look at a tick whole.
std::vector<RecordedEvent> TickEvents(const Recording& recording, std::size_t index);

}  // namespace scuffler::recording
