#include "record/Recorder.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "hook/NativeHashes.h"
#include "hook/NativeTap.h"
#include "input/KeyStateTable.h"
#include "platform/Platform.h"
#include "record/RecordingFormat.h"

namespace scuffler {
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
  // Native calls, the bulk of a tick, go straight to the cursor while the run ahead of it has
  // room for one more: [ring + tail, cursor) is written but not yet counted, and `limit` is where
  // the free run ends. Both null when the next call must ask for room first.
  unsigned char* cursor = nullptr;
  unsigned char* limit = nullptr;
};

Kept gKept;
bool gOn = false;
std::uint32_t gTicksRun = 0;
RecordingSink gSink = kFolderSink;
// The iRecordSeconds last applied: a block that could not be had is asked for again only when
// it changes.
std::int32_t gAppliedSeconds = 0;

#if defined(__GNUC__)
#define NOINLINE __attribute__((noinline))
#define ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define NOINLINE __declspec(noinline)
#define ALWAYS_INLINE __forceinline
#endif

// Room for one native call: tag, hash, count, each slot, the text, the result.
constexpr std::size_t kLargestCall =
    1 + 8 + 1 + rec::kMostArguments * 10 + 1 + rec::kLargestText + 12;
// Room for the ped list: tag, count, every handle the buffer can hold.
constexpr std::size_t kLargestPedList = 1 + 5 + rec::kMostPeds * 5;
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

// Counts the calls written at the cursor into the open tick.
void Settle() {
  if (gKept.cursor == nullptr) return;
  const auto size = static_cast<std::size_t>(gKept.cursor - (gKept.ring + gKept.tail));
  gKept.tail = Wrapped(gKept.tail + size);
  gKept.used += size;
  gKept.openUsed += size;
  gKept.cursor = nullptr;
  gKept.limit = nullptr;
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
  Settle();
  if (!gKept.open || !MakeRoom(most)) return nullptr;
  return gKept.tail + most <= gKept.capacity ? gKept.ring + gKept.tail : gScratch;
}

// Where the next native call goes when the cursor's run is spent: what Room gives, which then,
// unless it is the scratch buffer, becomes the cursor with the free run ahead of it as its limit.
// Out of line, as are the other rare paths, so that the common one saves no registers.
NOINLINE unsigned char* NewCallRun() {
  unsigned char* const at = Room(kLargestCall);
  if (at != nullptr && at != gScratch) {
    gKept.cursor = at;
    gKept.limit = gKept.ring + std::min(gKept.capacity, gKept.tail + (gKept.capacity - gKept.used));
  }
  return at;
}

// Adds the `size` bytes written at `at`, which Room gave.
NOINLINE void Commit(const unsigned char* at, std::size_t size) {
  if (at == gScratch) CopyIn(gKept.tail, gScratch, size);
  gKept.tail = Wrapped(gKept.tail + size);
  gKept.used += size;
  gKept.openUsed += size;
}

// Appends `size` bytes to the open tick.
void Append(const unsigned char* bytes, std::size_t size) {
  Settle();
  if (!gKept.open || !MakeRoom(size)) return;
  CopyIn(gKept.tail, bytes, size);
  gKept.tail = Wrapped(gKept.tail + size);
  gKept.used += size;
  gKept.openUsed += size;
}

void RecordNative(std::uint64_t hash, CallShape shape, const std::uint64_t* slots, const char* text,
                  const std::uint64_t* result);
void RecordPeds(const int* peds, int reported);
void RecordKeyTest(std::int32_t keyCode, bool released);

const NativeTap kRecorderTap{&RecordNative, &RecordPeds};

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
  gOn = true;
  gNativeTap = &kRecorderTap;
  gKeyTestTap = &RecordKeyTest;
}

// Hands the kept ticks to the sink as one recording: header, base, the ring's run (which may wrap
// once) and the checksum.
constexpr char kVersion[] = SCUFFLER_VERSION;

bool SaveKept() {
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
  const std::size_t first = std::min(gKept.used, gKept.capacity - gKept.head);
  ByteRun runs[5] = {
      {header, static_cast<std::size_t>(out - header)},
      {gKept.base, gKept.baseKnown ? gKept.baseSize : 0},
      {gKept.ring + gKept.head, first},
      {gKept.ring, gKept.used - first},
      {nullptr, 0},
  };
  std::uint64_t hash = rec::kFnvStart;
  for (const ByteRun& run : runs) hash = rec::Fnv1a(hash, run.bytes, run.size);
  unsigned char trailer[8];
  for (int i = 0; i < 8; ++i) trailer[i] = static_cast<unsigned char>(hash >> (8 * i));
  runs[4] = {trailer, sizeof trailer};
  return gSink.save(runs, 5, gSink.context);
}

}  // namespace

void SetRecordingSink(const RecordingSink& sink) { gSink = sink; }

void ApplyRecordSettings(const Settings& settings) {
  const std::int32_t seconds = settings.iRecordSeconds;
  if (seconds == gAppliedSeconds) return;
  if (!RecordingWanted(settings)) {
    StopRecording();
  } else if (!gOn) {
    StartRecording();
  }
  gAppliedSeconds = seconds;
}

bool IsRecording() { return gOn; }

void BeginRecordedTick() {
  ++gTicksRun;
  if (!gOn) return;
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
  Settle();
  if (!gKept.open) return;
  unsigned char length[4];
  rec::PutU32(length, static_cast<std::uint32_t>(gKept.openUsed - 4));
  CopyIn(gKept.openAt, length, 4);
  gKept.open = false;
  ++gKept.ticks;
}

namespace {

// A call's result, as much of it as the plug-in reads.
ALWAYS_INLINE unsigned char* PutResult(unsigned char* out, ResultShape shape,
                                       const std::uint64_t* result) {
  switch (shape) {
    case ResultShape::Int32:
      return rec::PutVarint(out, static_cast<std::uint32_t>(result[0]));
    case ResultShape::Float:
      return rec::PutU32(out, static_cast<std::uint32_t>(result[0]));
    case ResultShape::Point:
      for (int i = 0; i < 3; ++i) out = rec::PutU32(out, static_cast<std::uint32_t>(result[i]));
      return out;
    case ResultShape::U64:
      break;
  }
  return rec::PutVarint(out, result[0]);
}

// Any call, the rare kinds included (a native kNatives does not list, a string argument), once
// the cursor's run is spent too.
NOINLINE void RecordAnyNative(std::uint64_t hash, CallShape shape, const std::uint64_t* slots,
                              const char* text, const std::uint64_t* result) {
  unsigned char* call = gKept.cursor;
  if (gKept.limit - call < static_cast<std::ptrdiff_t>(kLargestCall)) {
    call = NewCallRun();
    if (call == nullptr) return;
  }
  unsigned char* out = call;
  if (shape.row == kUnlistedNative) {
    *out++ = rec::kTagUnlistedNative;
    for (int i = 0; i < 8; ++i) *out++ = static_cast<unsigned char>(hash >> (8 * i));
  } else {
    *out++ = shape.row;
  }
  *out++ = static_cast<unsigned char>(shape.count | shape.textPlace << 4);
  for (std::size_t i = 0; i < shape.count; ++i) {
    if (i + 1 != shape.textPlace) {
      out = rec::PutVarint(out, slots[i]);
      continue;
    }
    // The text, never its address: an address means nothing in another process.
    std::size_t length = 0;
    while (text != nullptr && length < rec::kLargestText && text[length] != '\0') ++length;
    *out++ = static_cast<unsigned char>(length);
    out = std::copy(text, text + length, out);
  }
  out = PutResult(out, shape.result, result);
  if (call == gScratch) {
    Commit(call, static_cast<std::size_t>(out - call));
  } else {
    gKept.cursor = out;
  }
}

// Nearly every call: a listed native without a string, with the cursor's run not spent. It calls
// nothing, so that it costs a tick's thousand calls as little as it can.
void RecordNative(std::uint64_t hash, CallShape shape, const std::uint64_t* slots, const char* text,
                  const std::uint64_t* result) {
  unsigned char* out = gKept.cursor;
  if (shape.textPlace != 0 || shape.row == kUnlistedNative ||
      gKept.limit - out < static_cast<std::ptrdiff_t>(kLargestCall)) {
    RecordAnyNative(hash, shape, slots, text, result);
    return;
  }
  *out++ = shape.row;
  *out++ = shape.count;
  for (std::size_t i = 0; i < shape.count; ++i) out = rec::PutVarint(out, slots[i]);
  gKept.cursor = PutResult(out, shape.result, result);
}

void RecordPeds(const int* peds, int reported) {
  if (!gKept.open) return;
  unsigned char* out = gPedScratch;
  *out++ = rec::kTagPeds;
  out = rec::PutVarint(out, static_cast<std::uint32_t>(reported));
  const int kept = rec::KeptPeds(reported);
  for (int i = 0; i < kept; ++i) out = rec::PutVarint(out, static_cast<std::uint32_t>(peds[i]));
  Append(gPedScratch, static_cast<std::size_t>(out - gPedScratch));
}

void RecordKeyTest(std::int32_t keyCode, bool released) {
  if (!gKept.open) return;
  unsigned char test[6];
  test[0] = released ? rec::kTagKeyReleased : rec::kTagKeyNotReleased;
  unsigned char* const end = rec::PutVarint(test + 1, static_cast<std::uint32_t>(keyCode));
  Append(test, static_cast<std::size_t>(end - test));
}

}  // namespace

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

void RecordSettings(const Settings& settings) {
  if (!gKept.open) return;
  unsigned char record[rec::kLargestSettingsRecord];
  const unsigned char* const end = rec::PutSettings(record, settings);
  Append(record, static_cast<std::size_t>(end - record));
}

void RunSaveKey() {
  if (!gOn || !ConsumeKeyRelease(gSettings.*kSaveKeySetting)) return;
  EndRecordedTick();
  if (gKept.ticks > 0) SaveKept();
}

void StopRecording() {
  gNativeTap = nullptr;
  gKeyTestTap = nullptr;
  delete[] gKept.block;
  gKept = Kept{};
  gOn = false;
  gAppliedSeconds = 0;
}

const char* PluginVersion() { return kVersion; }

std::uint32_t RecordedTickCount() { return gKept.ticks; }

std::uint32_t TicksRun() { return gTicksRun; }

}  // namespace scuffler
