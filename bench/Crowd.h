// The worlds the benchmark runs ticks in, and what a tick costs there in native calls and in the
// plug-in's own heap allocations.
//
// A crowd is the player's ped at the origin with n peds around it, every one eligible and within
// MAX_DISTANCE, no key released and the player on keyboard and mouse: the search visits
// every ped in full and no trigger starts an action.
#pragma once

#include <cstdint>

namespace bench {

// Empties the simulated world, puts the plug-in's settings, tick state, key table and recorder
// back to their state at load, and builds a crowd of `peds` (0 to 1024, the plug-in's buffer size).
void BuildCrowd(int peds);

// The native calls a tick must make in a crowd of `peds`:
//   2 (player and engaged ped) + 2 (the search's player query and position)
//   + 14 per listed ped (player query, 11 eligibility checks, position, distance)
//   + 1 (IS_USING_KEYBOARD_AND_MOUSE, true; the key triggers ask nothing without a release).
std::uint64_t ExpectedNativesPerTick(int peds);

struct TickCost {
  std::uint64_t natives = 0;      // native calls the hook received
  std::uint64_t allocations = 0;  // heap allocations made by the plug-in itself
  std::uint64_t fileOpens = 0;    // opens of Scuffler.ini
};

// Opens of Scuffler.ini by the plug-in since the program started (counted in HookWrappers.cpp).
std::uint64_t SettingsFileOpens();

// Runs `step` once and returns its cost. Empties the hook's call log before and after.
TickCost Measure(void (*step)());

// One tick without LoadSettings: RunTick's other three steps.
void TickWithoutSettings();

}  // namespace bench
