#include "record/Recorder.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "hook/NativeHashes.h"
#include "input/KeyStateTable.h"
#include "platform/Platform.h"
#include "platform/PlatformFile.h"
#include "record/RecordingFormat.h"
#include "settings/Settings.h"

namespace scuffler {

bool gRecorderOn = false;

namespace {

namespace rec = recording;

// The block: the settings file as of the oldest kept tick, the file as last recorded, then the
// ring of ticks. The two copies sit outside the ring so that dropping a tick never loses the
// bytes a later tick says are unchanged.
constexpr std::size_t kFileArea = rec::kLargestKeptFile;

struct Kept {
  unsigned char* block = nullptr;
  unsigned char* base = nullptr;
  unsigned char* latest = nullptr;
  unsigned char* ring = nullptr;
  std::size_t capacity = 0;
  std::size_t head = 0;     // where the oldest tick starts
  std::size_t used = 0;     // bytes from head on, the open tick's included
  std::size_t tail = 0;     // where the next byte goes: head + used, wrapped
  std::uint32_t ticks = 0;  // complete ticks
  bool open = false;        // a tick is being recorded
  std::size_t openAt = 0;   // where the open tick's length field lies
  std::size_t openUsed = 0;
  std::uint32_t lastClock = 0;
  bool baseKnown = false;
  std::size_t baseSize = 0;
  bool latestKnown = false;
  std::size_t latestSize = 0;
};

Kept gKept;
RecorderMode gMode = RecorderMode::Game;
std::uint32_t gTicksRun = 0;

// Room for one native call: tag, hash, count, each slot, the text, the result.
constexpr std::size_t kLargestCall =
    1 + 8 + 1 + rec::kMostArguments * 10 + 1 + rec::kLargestText + 12;
// Room for the ped list: tag, count, every handle the buffer can hold.
constexpr std::size_t kLargestPedList = 1 + 5 + 1024 * 5;
unsigned char gPedScratch[kLargestPedList];
// Where an event is put together when it would not lie in one run at the ring's end.
unsigned char gScratch[kLargestCall];

void CopyIn(std::size_t at, const unsigned char* from, std::size_t size) {
  const std::size_t first = std::min(size, gKept.capacity - at);
  std::memcpy(gKept.ring + at, from, first);
  std::memcpy(gKept.ring, from + first, size - first);
}

std::size_t Wrapped(std::size_t at) { return at >= gKept.capacity ? at - gKept.capacity : at; }

void CopyOut(std::size_t at, unsigned char* to, std::size_t size) {
  at %= gKept.capacity;
  const std::size_t first = std::min(size, gKept.capacity - at);
  std::memcpy(to, gKept.ring + at, first);
  std::memcpy(to + first, gKept.ring, size - first);
}

std::uint32_t OldestClock() {
  unsigned char clock[4];
  CopyOut(gKept.head + 4, clock, 4);
  return rec::GetU32(clock);
}

// Drops the oldest complete tick; the file bytes it introduced become the base.
void DropOldest() {
  unsigned char head[9];
  CopyOut(gKept.head, head, sizeof head);
  const std::uint32_t length = rec::GetU32(head);
  if (length >= 5 && head[8] == rec::kTagFileBytes) {
    unsigned char size[4];
    CopyOut(gKept.head + 9, size, 4);
    gKept.baseSize = rec::GetU32(size);
    CopyOut(gKept.head + 13, gKept.base, gKept.baseSize);
    gKept.baseKnown = true;
  }
  gKept.head = Wrapped(gKept.head + 4 + length);
  gKept.used -= 4 + length;
  --gKept.ticks;
}

// Drops the oldest ticks until `size` more bytes fit; when even an empty ring cannot take them,
// gives the open tick up, as it cannot be replayed in part, and returns false.
bool MakeRoom(std::size_t size) {
  while (gKept.used + size > gKept.capacity && gKept.ticks > 0) DropOldest();
  if (gKept.used + size <= gKept.capacity) return true;
  gKept.used -= gKept.openUsed;
  gKept.tail = gKept.head;
  gKept.openUsed = 0;
  gKept.open = false;
  // The given-up tick may have brought new bytes: the next tick's "same" means those.
  gKept.baseKnown = gKept.latestKnown;
  gKept.baseSize = gKept.latestSize;
  std::memcpy(gKept.base, gKept.latest, gKept.latestSize);
  return false;
}

// Where to write an event of at most `most` bytes: the ring itself when they lie in one run
// there, which saves a copy on every native call; else the scratch buffer. Null when the tick
// was given up.
unsigned char* Room(std::size_t most) {
  if (!gKept.open || !MakeRoom(most)) return nullptr;
  return gKept.tail + most <= gKept.capacity ? gKept.ring + gKept.tail : gScratch;
}

// Adds the `size` bytes written at `at`, which Room gave.
void Commit(const unsigned char* at, std::size_t size) {
  if (at == gScratch) CopyIn(gKept.tail, gScratch, size);
  gKept.tail = Wrapped(gKept.tail + size);
  gKept.used += size;
  gKept.openUsed += size;
}

// Appends `size` bytes to the open tick.
void Append(const unsigned char* bytes, std::size_t size) {
  if (!gKept.open || !MakeRoom(size)) return;
  CopyIn(gKept.tail, bytes, size);
  gKept.tail = Wrapped(gKept.tail + size);
  gKept.used += size;
  gKept.openUsed += size;
}

void StartRecording() {
  auto* const block = new (std::nothrow) unsigned char[kRecorderBlockBytes];
  if (block == nullptr) return;  // no memory: recording stays off, the game goes on
  gKept = Kept{};
  gKept.block = block;
  gKept.base = block;
  gKept.latest = block + kFileArea;
  gKept.ring = block + 2 * kFileArea;
  gKept.capacity = kRecorderBlockBytes - 2 * kFileArea;
  // Touched once now, so that no tick pays for the system's first use of a page.
  std::memset(block, 0, kRecorderBlockBytes);
  gRecorderOn = true;
}

// --- Saving ------------------------------------------------------------------------------------

constexpr char kFilePrefix[] = "Scuffler-recording-";
constexpr char kFileSuffix[] = ".bin";
constexpr std::size_t kMostListed = 64;
constexpr std::uint32_t kFilesKept = 5;

struct Listed {
  std::uint32_t numbers[kMostListed];
  std::size_t count = 0;
  std::uint32_t highest = 0;
};

// The number N of a name Scuffler-recording-N.bin, or 0.
std::uint32_t RecordingNumber(const char* name) {
  const std::size_t prefix = sizeof kFilePrefix - 1;
  if (std::strncmp(name, kFilePrefix, prefix) != 0) return 0;
  std::uint32_t number = 0;
  const char* at = name + prefix;
  for (int digits = 0; *at >= '0' && *at <= '9'; ++at, ++digits) {
    if (digits == 9) return 0;
    number = number * 10 + static_cast<std::uint32_t>(*at - '0');
  }
  return std::strcmp(at, kFileSuffix) == 0 ? number : 0;
}

void NoteRecording(const char* name, void* context) {
  Listed& listed = *static_cast<Listed*>(context);
  const std::uint32_t number = RecordingNumber(name);
  if (number == 0) return;
  listed.highest = std::max(listed.highest, number);
  if (listed.count < kMostListed) listed.numbers[listed.count++] = number;
}

struct Writer {
  PlatformFile file;
  std::uint64_t hash = rec::kFnvStart;
  bool ok = true;
};

void Write(Writer& writer, const unsigned char* bytes, std::size_t size) {
  if (!writer.ok || size == 0) return;
  writer.hash = rec::Fnv1a(writer.hash, bytes, size);
  writer.ok = WriteAll(writer.file, bytes, size);
}

void WriteKept(Writer& writer) {
  static constexpr char kVersion[] = SCUFFLER_VERSION;
  constexpr std::size_t version = sizeof kVersion - 1;
  static_assert(version < 64, "the version fits its length byte and the header");
  unsigned char header[8 + 2 + 1 + 64 + 4 * 4 + 1 + 4];
  unsigned char* out = std::copy(std::begin(rec::kMagic), std::end(rec::kMagic), header);
  *out++ = static_cast<unsigned char>(rec::kFormatVersion);
  *out++ = static_cast<unsigned char>(rec::kFormatVersion >> 8);
  *out++ = static_cast<unsigned char>(version);
  out = std::copy(kVersion, kVersion + version, out);
  out = rec::PutU32(out, gKept.ticks);
  out = rec::PutU32(out, gTicksRun - gKept.ticks + 1);
  out = rec::PutU32(out, gKept.lastClock - OldestClock());
  out = rec::PutU32(out, static_cast<std::uint32_t>(gSettings.iRecordSeconds));
  *out++ = gKept.baseKnown ? 1 : 0;
  out = rec::PutU32(out, static_cast<std::uint32_t>(gKept.baseKnown ? gKept.baseSize : 0));
  Write(writer, header, static_cast<std::size_t>(out - header));
  if (gKept.baseKnown) Write(writer, gKept.base, gKept.baseSize);
  // The ticks lie in one run of the ring, which may wrap once.
  const std::size_t first = std::min(gKept.used, gKept.capacity - gKept.head);
  Write(writer, gKept.ring + gKept.head, first);
  Write(writer, gKept.ring, gKept.used - first);
  unsigned char trailer[8];
  const std::uint64_t hash = writer.hash;
  for (int i = 0; i < 8; ++i) trailer[i] = static_cast<unsigned char>(hash >> (8 * i));
  Write(writer, trailer, sizeof trailer);
}

void Save() {
  EndRecordedTick();
  if (gKept.ticks == 0) return;
  Listed listed;
  if (!ListCurrentFolder(&NoteRecording, &listed)) return;
  const std::uint32_t number = listed.highest + 1;
  char name[40];
  char scratch[48];
  RecordingFileName(number, name);
  std::strcpy(scratch, name);
  std::strcat(scratch, ".tmp");
  // Written beside and renamed: a failed save (read-only folder, full disk) leaves no partial
  // file under the real name, and the game never learns of it.
  Writer writer{CreateForWriting(scratch)};
  if (!IsOpen(writer.file)) return;
  WriteKept(writer);
  CloseFile(writer.file);
  if (!writer.ok || !ReplaceFileWith(scratch, name)) {
    RemoveFileNamed(scratch);
    return;
  }
  for (std::size_t i = 0; i < listed.count; ++i) {
    if (listed.numbers[i] + kFilesKept <= number) {
      RecordingFileName(listed.numbers[i], name);
      RemoveFileNamed(name);
    }
  }
}

}  // namespace

void SetRecorderMode(RecorderMode mode) {
  gMode = mode;
  if (mode == RecorderMode::Sandbox) StopRecording();
}

void BeginRecordedTick() {
  ++gTicksRun;
  if (!gRecorderOn) return;
  EndRecordedTick();
  const std::uint32_t now = static_cast<std::uint32_t>(GetTickCount());
  const auto keep = static_cast<std::uint32_t>(gSettings.iRecordSeconds) * 1000u;
  while (gKept.ticks > 0 && now - OldestClock() >= keep) DropOldest();
  gKept.open = true;
  gKept.openUsed = 0;
  gKept.openAt = gKept.tail;
  unsigned char start[8];
  rec::PutU32(start, 0);
  rec::PutU32(start + 4, now);
  Append(start, sizeof start);
  gKept.lastClock = now;
}

void EndRecordedTick() {
  if (!gKept.open) return;
  unsigned char length[4];
  rec::PutU32(length, static_cast<std::uint32_t>(gKept.openUsed - 4));
  CopyIn(gKept.openAt, length, 4);
  gKept.open = false;
  ++gKept.ticks;
}

void RecordNative(std::uint64_t hash, const std::uint64_t* slots, std::size_t count, int textSlot,
                  const char* text, const std::uint64_t* result) {
  unsigned char* const call = Room(kLargestCall);
  if (call == nullptr) return;
  unsigned char* out = call;
  const std::uint8_t row = NativeIndex(hash);
  if (row == kUnlistedNative) {
    *out++ = rec::kTagUnlistedNative;
    for (int i = 0; i < 8; ++i) *out++ = static_cast<unsigned char>(hash >> (8 * i));
  } else {
    *out++ = row;
  }
  count = std::min(count, rec::kMostArguments);
  *out++ = static_cast<unsigned char>(count | static_cast<std::size_t>(textSlot + 1) << 4);
  for (std::size_t i = 0; i < count; ++i) {
    if (static_cast<int>(i) != textSlot) {
      out = rec::PutVarint(out, slots[i]);
      continue;
    }
    // The text, never its address: an address means nothing in another process.
    std::size_t length = 0;
    while (text != nullptr && length < rec::kLargestText && text[length] != '\0') ++length;
    *out++ = static_cast<unsigned char>(length);
    out = std::copy(text, text + length, out);
  }
  switch (row == kUnlistedNative ? ResultShape::U64 : kNatives[row].result) {
    case ResultShape::Int32:
      out = rec::PutVarint(out, static_cast<std::uint32_t>(result[0]));
      break;
    case ResultShape::Float:
      out = rec::PutU32(out, static_cast<std::uint32_t>(result[0]));
      break;
    case ResultShape::Point:
      for (int i = 0; i < 3; ++i) out = rec::PutU32(out, static_cast<std::uint32_t>(result[i]));
      break;
    case ResultShape::U64:
      out = rec::PutVarint(out, result[0]);
      break;
  }
  Commit(call, static_cast<std::size_t>(out - call));
}

void RecordPeds(const int* peds, int reported, int capacity) {
  if (!gKept.open) return;
  unsigned char* out = gPedScratch;
  *out++ = rec::kTagPeds;
  out = rec::PutVarint(out, static_cast<std::uint32_t>(reported));
  const int written = std::min(std::max(reported, 0), std::min(capacity, 1024));
  for (int i = 0; i < written; ++i) out = rec::PutVarint(out, static_cast<std::uint32_t>(peds[i]));
  Append(gPedScratch, static_cast<std::size_t>(out - gPedScratch));
}

bool TestKeyRelease(std::int32_t keyCode) {
  const bool released = ConsumeKeyRelease(keyCode);
  if (gRecorderOn && gKept.open) {
    unsigned char test[6];
    test[0] = released ? rec::kTagKeyReleased : rec::kTagKeyNotReleased;
    unsigned char* const end = rec::PutVarint(test + 1, static_cast<std::uint32_t>(keyCode));
    Append(test, static_cast<std::size_t>(end - test));
  }
  return released;
}

void RecordSettingsFile(bool opened, const char* bytes, std::size_t size) {
  if (!gKept.open) return;
  unsigned char event[5];
  const auto* const from = reinterpret_cast<const unsigned char*>(bytes);
  if (!opened || bytes == nullptr || size > rec::kLargestKeptFile) {
    event[0] = !opened            ? rec::kTagFileMissing
               : bytes == nullptr ? rec::kTagFileUnreadable
                                  : rec::kTagFileTooLarge;
    if (event[0] == rec::kTagFileTooLarge) gKept.latestKnown = false;
    Append(event, 1);
    return;
  }
  if (gKept.latestKnown && size == gKept.latestSize && std::memcmp(gKept.latest, from, size) == 0) {
    event[0] = rec::kTagFileSame;
    Append(event, 1);
    return;
  }
  event[0] = rec::kTagFileBytes;
  rec::PutU32(event + 1, static_cast<std::uint32_t>(size));
  Append(event, sizeof event);
  Append(from, size);
  std::memcpy(gKept.latest, from, size);
  gKept.latestSize = size;
  gKept.latestKnown = true;
}

void RecordSettingsAndApply() {
  if (gRecorderOn && gKept.open) {
    unsigned char record[rec::kLargestSettingsRecord];
    const unsigned char* const end = rec::PutSettings(record, gSettings);
    Append(record, static_cast<std::size_t>(end - record));
  }
  if (gMode == RecorderMode::Sandbox) return;
  const bool wanted = RecordingWanted(gSettings);
  if (wanted && !gRecorderOn) StartRecording();
  if (!wanted && gRecorderOn) StopRecording();
}

void RunSaveKey() {
  const bool wanted = gMode == RecorderMode::Sandbox ? RecordingWanted(gSettings) : gRecorderOn;
  if (!wanted || !TestKeyRelease(gSettings.*kSaveKeySetting)) return;
  if (gRecorderOn) Save();
}

void RecordingFileName(std::uint32_t number, char* name) {
  // By hand: the C library's formatted printing would add more to the plug-in than all of this.
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number != 0);
  name = std::copy(kFilePrefix, kFilePrefix + sizeof kFilePrefix - 1, name);
  while (count > 0) *name++ = digits[--count];
  std::strcpy(name, kFileSuffix);
}

void StopRecording() {
  delete[] gKept.block;
  gKept = Kept{};
  gRecorderOn = false;
}

std::uint32_t RecordedTickCount() { return gKept.ticks; }

std::uint32_t TicksRun() { return gTicksRun; }

}  // namespace scuffler
