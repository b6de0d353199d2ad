// What one tick learns about the world, for the triggers of the same tick.
//
// Script context only: the tick loop is the only writer; readers read afresh at every use.
#pragma once

#include <cstdint>

namespace scuffler {

struct TickState {
  std::int32_t playerPed = 0;   // the player's ped
  std::int32_t engagedPed = 0;  // the ped the game reports as engaged with the player, or 0
  std::int32_t targetPed = 0;   // nearest eligible ped within MAX_DISTANCE this tick, or 0
};

extern TickState gTickState;

}  // namespace scuffler
