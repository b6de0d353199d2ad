// What may watch the plug-in's talk with the game: each native call as it returns, and each ped
// list worldGetAllPeds gives. The recorder installs a tap while it records; nothing else does.
//
// Off (gNativeTap null), each call costs one test of that pointer. Script context only: the tap
// is set and called on the script's thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "hook/NativeHashes.h"

namespace scuffler {

// What is known of a native call where it is made, at compile time: its row in kNatives
// (kUnlistedNative when the list does not hold it), its argument count, 1 + the place of its
// string argument (0 for none) and the shape of its result.
struct CallShape {
  std::uint8_t row;
  std::uint8_t count;
  std::uint8_t textPlace;
  ResultShape result;
};

struct NativeTap {
  // The native `hash` of `shape`, with its pushed `slots` (the string argument's being `text`)
  // and the raw `result` it gave.
  void (*native)(std::uint64_t hash, CallShape shape, const std::uint64_t* slots, const char* text,
                 const std::uint64_t* result);
  // worldGetAllPeds's answer: the count it returned and the buffer it filled.
  void (*peds)(const int* peds, int reported);
};

// The tap in place, or null.
inline const NativeTap* gNativeTap = nullptr;

}  // namespace scuffler
