// Typed native calls over nativeInit / nativePush64 / nativeCall.
//
// Every native the plug-in makes goes through CallNative: one nativeInit with the hash, one
// nativePush64 per argument in order, one nativeCall. Each argument fills a zeroed 64-bit slot:
// 32-bit integers are zero-extended (never sign-extended), a float puts its 32 bits in the low
// half, a string passes its pointer. The result is read at once, before the next native call
// can overwrite it. A tap in place (NativeTap.h) is told of each call as it returns; without one,
// that costs one test. Nothing here tests results for errors. Script context only.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "hook/NativeHashes.h"
#include "hook/NativeTap.h"
#include "hook/ScriptHook.h"

namespace scuffler {

// A position read from a native result: floats at byte offsets 0, 8 and 16.
struct WorldPoint {
  float x;
  float y;
  float z;
};

namespace bridge {

inline std::uint64_t ToSlot(std::int32_t value) { return static_cast<std::uint32_t>(value); }
inline std::uint64_t ToSlot(std::uint32_t value) { return value; }
inline std::uint64_t ToSlot(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}
inline std::uint64_t ToSlot(const char* text) {
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(text));
}

// The place of the one string argument among `Args`, or -1.
template <typename... Args>
constexpr int TextSlot() {
  constexpr bool isText[] = {std::is_same_v<Args, const char*>..., false};
  for (int i = 0; i < static_cast<int>(sizeof...(Args)); ++i) {
    if (isText[i]) return i;
  }
  return -1;
}

inline const char* TextOf(const char* text) { return text; }
template <typename T>
const char* TextOf(T /*value*/) {
  return nullptr;
}

// The string among `args`, or null.
template <typename... Args>
const char* FindText(Args... args) {
  const char* text = nullptr;
  ((text = text != nullptr ? text : TextOf(args)), ...);
  return text;
}

template <typename T>
T ReadAt(const std::uint64_t* result, std::size_t byteOffset) {
  T value;
  std::memcpy(&value, reinterpret_cast<const unsigned char*>(result) + byteOffset, sizeof value);
  return value;
}

}  // namespace bridge

// Calls the native `hash` with `args` pushed in order; returns the raw result.
template <typename... Args>
const std::uint64_t* CallNative(std::uint64_t hash, Args... args) {
  static_assert(
      (... && (std::is_same_v<Args, std::int32_t> || std::is_same_v<Args, std::uint32_t> ||
               std::is_same_v<Args, float> || std::is_same_v<Args, const char*>)),
      "native arguments are int32, uint32, float or a C string");
  static_assert((0 + ... + (std::is_same_v<Args, const char*> ? 1 : 0)) <= 1,
                "a recording keeps the text of one string argument per call");
  static_assert(sizeof...(Args) <= 15, "a recording keeps at most 15 arguments");
  nativeInit(hash);
  (nativePush64(bridge::ToSlot(args)), ...);
  const std::uint64_t* const result = nativeCall();
  if (gNativeTap != nullptr) {
    const std::uint64_t slots[] = {bridge::ToSlot(args)..., 0};
    const std::uint8_t row = NativeIndex(hash);  // folded where the hash is a constant
    const CallShape shape{row, static_cast<std::uint8_t>(sizeof...(Args)),
                          static_cast<std::uint8_t>(bridge::TextSlot<Args...>() + 1),
                          row == kUnlistedNative ? ResultShape::U64 : kNatives[row].result};
    gNativeTap->native(hash, shape, slots, bridge::FindText(args...), result);
  }
  return result;
}

// The 32-bit integer in the first 4 bytes of the result.
template <typename... Args>
std::int32_t CallNativeInt(std::uint64_t hash, Args... args) {
  return bridge::ReadAt<std::int32_t>(CallNative(hash, args...), 0);
}

// The float in the first 4 bytes of the result.
template <typename... Args>
float CallNativeFloat(std::uint64_t hash, Args... args) {
  return bridge::ReadAt<float>(CallNative(hash, args...), 0);
}

// The 64-bit value in the first 8 bytes of the result.
template <typename... Args>
std::uint64_t CallNativeU64(std::uint64_t hash, Args... args) {
  return bridge::ReadAt<std::uint64_t>(CallNative(hash, args...), 0);
}

// Three floats at byte offsets 0, 8 and 16 of the result.
template <typename... Args>
WorldPoint CallNativePoint(std::uint64_t hash, Args... args) {
  const std::uint64_t* result = CallNative(hash, args...);
  return {bridge::ReadAt<float>(result, 0), bridge::ReadAt<float>(result, 8),
          bridge::ReadAt<float>(result, 16)};
}

// worldGetAllPeds into `peds`, which holds `capacity` handles; returns the count the hook
// reported, which may exceed `capacity`, and tells the tap in place.
inline int GetAllPeds(int* peds, int capacity) {
  const int reported = worldGetAllPeds(peds, capacity);
  if (gNativeTap != nullptr) gNativeTap->peds(peds, reported);
  return reported;
}

}  // namespace scuffler
