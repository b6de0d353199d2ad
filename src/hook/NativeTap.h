// What may watch the plug-in's talk with the game: each native call as it returns, and each ped
// list worldGetAllPeds gives. The recorder installs a tap while it records; nothing else does.
//
// Off (gNativeTap null), each call costs one test of that pointer. Script context only: the tap
// is set and called on the script's thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace scuffler {

struct NativeTap {
  // The native `hash` with `count` pushed `slots` (the one at `textSlot`, when it is not -1,
  // being the C string `text`) and the raw `result` it gave.
  void (*native)(std::uint64_t hash, const std::uint64_t* slots, std::size_t count, int textSlot,
                 const char* text, const std::uint64_t* result);
  // worldGetAllPeds's answer: the count it returned and the buffer it filled.
  void (*peds)(const int* peds, int reported);
};

// The tap in place, or null.
inline const NativeTap* gNativeTap = nullptr;

}  // namespace scuffler
