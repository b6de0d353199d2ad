// The layout of a recording file, stated once: the recorder in the plug-in writes it and the
// sandbox's reader reads it (docs/recording.md describes it for people).
//
//   header   magic (8 bytes), format version (u16), the plug-in's version (u8 length, text),
//            tick count (u32), the first tick's number since the plug-in loaded (u32), the time
//            from the first tick to the last in ms (u32), iRecordSeconds when saved (u32), and
//            the settings file's bytes in force before the first tick: u8 known, u32 length,
//            bytes
//   ticks    each: payload length (u32), then the payload: the tick's clock read (u32) and its
//            events in the order the plug-in made them
//   trailer  FNV-1a (u64) of every byte before it
//
// Integers are little-endian; "varint" is 7 bits a byte, low first, high bit set on all but the
// last. An event opens with a tag byte: below kNativeCount, a native call of that row of kNatives
// (then: argument count in the low nibble and 1 + the text argument's place in the high one,
// each argument a varint slot or, for the text, a u8 length and its bytes, then the result as
// its ResultShape says: Int32 a varint of 32 bits, Float 4 bytes, Point 12 bytes, U64 a varint).
// The other tags are listed below.
//
// Constants and pure functions: any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "settings/Settings.h"

namespace scuffler::recording {

inline constexpr unsigned char kMagic[8] = {'S', 'c', 'u', 'f', 'R', 'e', 'c', 0x1A};
constexpr std::uint16_t kFormatVersion = 1;

enum Tag : std::uint8_t {
  // A native kNatives does not list: u64 hash, then as a listed one whose result is a U64.
  kTagUnlistedNative = 0xE0,
  // worldGetAllPeds: the count it returned (varint of its 32 bits), then KeptPeds(count) handles
  // (each a varint of 32 bits).
  kTagPeds = 0xE1,
  kTagKeyReleased = 0xE2,     // a key test that answered true: the code (varint of 32 bits)
  kTagKeyNotReleased = 0xE3,  // one that answered false: the code
  // The settings file, first in every tick but the clock.
  kTagFileMissing = 0xE4,     // it did not open
  kTagFileSame = 0xE5,        // it opened and held the bytes it held before
  kTagFileBytes = 0xE6,       // it opened and held other bytes: u32 length, the bytes
  kTagFileUnreadable = 0xE7,  // it opened but could not be read whole
  kTagFileTooLarge = 0xE8,    // it held more than kLargestKeptFile bytes, which are not kept
  // The Settings after the load: each row of kSettingFields in order, a key code or seconds as a
  // varint of 32 bits, a distance as 4 bytes, a switch as 1 byte.
  kTagSettings = 0xE9,
};

// The most ped handles a ped list keeps: the plug-in's buffer. The hook may report more, which
// the plug-in never reads.
constexpr int kMostPeds = 1024;

// How many handles a ped list that reported `reported` keeps: the writer's and the reader's one
// rule.
constexpr int KeptPeds(std::int32_t reported) {
  return reported < 0 ? 0 : reported > kMostPeds ? kMostPeds : reported;
}

// The largest settings file a recording keeps the bytes of.
constexpr std::size_t kLargestKeptFile = 1u << 20;
// The largest text argument kept; the plug-in's are action names of under 40 bytes.
constexpr std::size_t kLargestText = 255;
// Most arguments a native call may have in a recording (the low nibble).
constexpr std::size_t kMostArguments = 15;
// The size of a recording file no reader need accept: the recorder's block and a little more.
constexpr std::size_t kLargestFile = 80u << 20;

// The most bytes one settings record takes.
constexpr std::size_t kLargestSettingsRecord = 1 + 9 * 5;

inline unsigned char* PutVarint(unsigned char* out, std::uint64_t value) {
  // Most values a tick records are flags and ped handles: one or two bytes, written straight.
  if (value < 0x80) {
    *out = static_cast<unsigned char>(value);
    return out + 1;
  }
  if (value < 0x4000) {
    out[0] = static_cast<unsigned char>(value | 0x80);
    out[1] = static_cast<unsigned char>(value >> 7);
    return out + 2;
  }
  while (value >= 0x80) {
    *out++ = static_cast<unsigned char>(value | 0x80);
    value >>= 7;
  }
  *out++ = static_cast<unsigned char>(value);
  return out;
}

inline unsigned char* PutU32(unsigned char* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) *out++ = static_cast<unsigned char>(value >> (8 * i));
  return out;
}

inline std::uint32_t GetU32(const unsigned char* in) {
  return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
         static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}

inline std::uint32_t FloatBits(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Writes the settings record of `settings`, tag included; returns the end.
unsigned char* PutSettings(unsigned char* out, const Settings& settings);

// Reads a settings record's body (after its tag) from [in, end) into `settings`; null when it
// is cut short or malformed, else the end of what it read.
const unsigned char* GetSettings(const unsigned char* in, const unsigned char* end,
                                 Settings& settings);

// Reads a varint from [in, end) into `value`; null when it is cut short or longer than 64 bits.
const unsigned char* GetVarint(const unsigned char* in, const unsigned char* end,
                               std::uint64_t& value);

// FNV-1a over `size` bytes, continuing from `hash` (start with kFnvStart).
constexpr std::uint64_t kFnvStart = 0xCBF29CE484222325ull;
std::uint64_t Fnv1a(std::uint64_t hash, const unsigned char* bytes, std::size_t size);

}  // namespace scuffler::recording
