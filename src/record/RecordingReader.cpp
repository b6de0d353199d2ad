#include "record/RecordingReader.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "hook/NativeHashes.h"
#include "record/RecordingFormat.h"

namespace scuffler::recording {
namespace {

using Byte = unsigned char;

// A malformed file: what is wrong, and where.
struct Malformed {
  std::string what;
};

struct Cursor {
  const Byte* at;
  const Byte* end;
  std::size_t offset(const Byte* start) const { return static_cast<std::size_t>(at - start); }
};

[[noreturn]] void Fail(const std::string& what) { throw Malformed{what}; }

const Byte* Take(Cursor& in, std::size_t size, const char* what) {
  if (static_cast<std::size_t>(in.end - in.at) < size) Fail(std::string("cut short in ") + what);
  const Byte* const start = in.at;
  in.at += size;
  return start;
}

std::uint32_t U32(Cursor& in, const char* what) { return GetU32(Take(in, 4, what)); }

std::uint64_t Varint(Cursor& in, const char* what) {
  std::uint64_t value = 0;
  const Byte* const after = GetVarint(in.at, in.end, value);
  if (after == nullptr) Fail(std::string("a malformed number in ") + what);
  in.at = after;
  return value;
}

std::uint32_t Varint32(Cursor& in, const char* what) {
  const std::uint64_t value = Varint(in, what);
  if (value > 0xFFFFFFFFu) Fail(std::string("a number too large in ") + what);
  return static_cast<std::uint32_t>(value);
}

void ReadNative(Cursor& in, Byte tag, RecordedEvent& event) {
  event.kind = EventKind::Native;
  ResultShape shape = ResultShape::U64;
  if (tag == kTagUnlistedNative) {
    const Byte* const hash = Take(in, 8, "a native call");
    for (int i = 0; i < 8; ++i) event.hash |= static_cast<std::uint64_t>(hash[i]) << (8 * i);
  } else {
    event.hash = kNatives[tag].hash;
    shape = kNatives[tag].result;
  }
  const Byte counts = *Take(in, 1, "a native call");
  const std::size_t count = counts & 0x0F;
  event.textArg = (counts >> 4) - 1;
  if (event.textArg >= static_cast<int>(count)) Fail("a text argument past the arguments");
  for (std::size_t i = 0; i < count; ++i) {
    if (static_cast<int>(i) == event.textArg) {
      const Byte length = *Take(in, 1, "a text argument");
      const Byte* const text = Take(in, length, "a text argument");
      event.text.assign(reinterpret_cast<const char*>(text), length);
      event.args.push_back(0);
    } else {
      event.args.push_back(Varint(in, "a native's argument"));
    }
  }
  switch (shape) {
    case ResultShape::Int32:
      event.result[0] = Varint32(in, "a native's result");
      break;
    case ResultShape::Float:
      event.result[0] = U32(in, "a native's result");
      break;
    case ResultShape::Point:
      for (std::uint64_t& part : event.result) part = U32(in, "a native's result");
      break;
    case ResultShape::U64:
      event.result[0] = Varint(in, "a native's result");
      break;
  }
}

void ReadEvent(Cursor& in, bool& bytesKnown, RecordedEvent& event) {
  event.hash = 0;
  event.args.clear();
  event.textArg = -1;
  event.text.clear();
  std::fill(std::begin(event.result), std::end(event.result), 0);
  event.reported = 0;
  event.peds.clear();
  event.key = 0;
  event.released = false;
  event.file = FileState::Missing;
  event.bytes.clear();
  const Byte tag = *Take(in, 1, "an event");
  if (tag < kNativeCount || tag == kTagUnlistedNative) {
    ReadNative(in, tag, event);
    return;
  }
  switch (tag) {
    case kTagPeds: {
      event.kind = EventKind::Peds;
      event.reported = static_cast<std::int32_t>(Varint32(in, "the ped list"));
      for (int i = KeptPeds(event.reported); i > 0; --i) {
        event.peds.push_back(static_cast<std::int32_t>(Varint32(in, "the ped list")));
      }
      return;
    }
    case kTagKeyReleased:
    case kTagKeyNotReleased:
      event.kind = EventKind::KeyTest;
      event.released = tag == kTagKeyReleased;
      event.key = static_cast<std::int32_t>(Varint32(in, "a key test"));
      return;
    case kTagFileMissing:
    case kTagFileSame:
    case kTagFileUnreadable:
    case kTagFileTooLarge:
      event.kind = EventKind::SettingsFile;
      event.file = tag == kTagFileMissing    ? FileState::Missing
                   : tag == kTagFileSame     ? FileState::Same
                   : tag == kTagFileTooLarge ? FileState::TooLarge
                                             : FileState::Unreadable;
      if (event.file == FileState::Same && !bytesKnown) {
        Fail("a settings file said unchanged before any bytes of it");
      }
      if (event.file == FileState::TooLarge) bytesKnown = false;
      return;
    case kTagFileBytes: {
      event.kind = EventKind::SettingsFile;
      event.file = FileState::Bytes;
      const std::uint32_t size = U32(in, "the settings file");
      if (size > kLargestKeptFile) Fail("a settings file larger than a recording keeps");
      const Byte* const bytes = Take(in, size, "the settings file");
      event.bytes.assign(reinterpret_cast<const char*>(bytes), size);
      bytesKnown = true;
      return;
    }
    case kTagSettings: {
      event.kind = EventKind::Settings;
      const Byte* const after = GetSettings(in.at, in.end, event.settings);
      if (after == nullptr) Fail("malformed settings");
      in.at = after;
      return;
    }
    default:
      Fail("an unknown event " + std::to_string(tag));
  }
}

Recording Read(std::string text) {
  const auto* const start = reinterpret_cast<const Byte*>(text.data());
  if (text.size() > kLargestFile) Fail("larger than any recording");
  if (text.size() < sizeof kMagic || std::memcmp(start, kMagic, sizeof kMagic) != 0) {
    Fail("not a Scuffler recording");
  }
  if (text.size() < sizeof kMagic + 2 + 8) Fail("cut short in the header");
  const Byte* const trailer = start + text.size() - 8;
  std::uint64_t stored = 0;
  for (int i = 0; i < 8; ++i) stored |= static_cast<std::uint64_t>(trailer[i]) << (8 * i);
  Cursor in{start + sizeof kMagic, trailer};
  Recording recording;
  const Byte* const version = Take(in, 2, "the header");
  recording.formatVersion = static_cast<std::uint16_t>(version[0] | version[1] << 8);
  if (recording.formatVersion != kFormatVersion) {
    Fail("format version " + std::to_string(recording.formatVersion) + ", this sandbox reads " +
         std::to_string(kFormatVersion));
  }
  if (Fnv1a(kFnvStart, start, text.size() - 8) != stored) Fail("its checksum does not match");
  const Byte length = *Take(in, 1, "the header");
  const Byte* const plugin = Take(in, length, "the header");
  recording.pluginVersion.assign(reinterpret_cast<const char*>(plugin), length);
  const std::uint32_t ticks = U32(in, "the header");
  recording.firstTick = U32(in, "the header");
  recording.spanMs = U32(in, "the header");
  recording.seconds = U32(in, "the header");
  const Byte known = *Take(in, 1, "the header");
  if (known > 1) Fail("a malformed header");
  recording.baseKnown = known == 1;
  const std::uint32_t baseSize = U32(in, "the header");
  if (baseSize > kLargestKeptFile || (!recording.baseKnown && baseSize != 0)) {
    Fail("a malformed header");
  }
  const Byte* const base = Take(in, baseSize, "the settings file");
  recording.baseBytes.assign(reinterpret_cast<const char*>(base), baseSize);
  // Each tick takes at least 8 bytes, and a tick a millisecond is more than a game runs: both
  // bound the count before anything is reserved.
  if (ticks > static_cast<std::size_t>(in.end - in.at) / 8) Fail("cut short in the ticks");
  if (ticks > std::uint64_t{recording.spanMs} + kTicksBeyondSpan) {
    Fail("more ticks than its span of " + std::to_string(recording.spanMs) + " ms can hold");
  }
  recording.ticks.reserve(ticks);
  bool bytesKnown = recording.baseKnown;
  RecordedEvent event;
  for (std::uint32_t t = 0; t < ticks; ++t) {
    const std::uint32_t size = U32(in, "a tick");
    if (size < 4) Fail("a tick without its clock");
    Cursor tick{Take(in, size, "a tick"), nullptr};
    tick.end = tick.at + size;
    RecordedTick& out = recording.ticks.emplace_back();
    out.clock = U32(tick, "a tick");
    out.begin = static_cast<std::uint32_t>(tick.offset(start));
    out.size = size - 4;
    while (tick.at != tick.end) ReadEvent(tick, bytesKnown, event);
  }
  if (in.at != in.end) Fail("bytes after the last tick");
  recording.file = std::move(text);
  return recording;
}

}  // namespace

ReadRecording ParseRecording(std::string bytes) {
  try {
    return {Read(std::move(bytes)), ""};
  } catch (const Malformed& malformed) {
    return {std::nullopt, malformed.what};
  }
}

TickReader ReadTick(const Recording& recording, std::size_t index) {
  if (index >= recording.ticks.size()) return {};
  const RecordedTick& tick = recording.ticks[index];
  const auto* const start = reinterpret_cast<const Byte*>(recording.file.data()) + tick.begin;
  return {start, start + tick.size};
}

bool NextEvent(TickReader& reader, RecordedEvent& event) {
  if (reader.at == reader.end) return false;
  Cursor in{reader.at, reader.end};
  bool known = true;  // checked when the file was read
  try {
    ReadEvent(in, known, event);
  } catch (const Malformed&) {
    // Cannot happen for a tick ParseRecording checked; ends the tick all the same.
    reader.at = reader.end;
    return false;
  }
  reader.at = in.at;
  return true;
}

std::vector<RecordedEvent> TickEvents(const Recording& recording, std::size_t index) {
  std::vector<RecordedEvent> events;
  TickReader reader = ReadTick(recording, index);
  for (RecordedEvent event; NextEvent(reader, event);) events.push_back(event);
  return events;
}

}  // namespace scuffler::recording
