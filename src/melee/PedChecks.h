// Eligibility and readiness predicates, and the typed natives the search and triggers use.
//
// Script context only. No native result is tested for an error: a check result counts as true
// when any of its 32 bits is set. Nothing here keeps state or allocates.
#pragma once

#include <cstdint>

namespace scuffler {

// Whether `ped` may be fought: eleven checks in a fixed order, stopping at the first that fails.
// Handle 0 is not special-cased; the first check answers for it.
bool IsEligibleTarget(std::int32_t ped);

// Whether the player's ped (read once from gTickState) can start an action now.
bool IsPlayerReady();

// Squared distance between (x1, y1, z1) and (x2, y2, z2), as the game computes it.
float SquaredDistance(float x1, float y1, float z1, float x2, float y2, float z2);

// The last eligibility check: GET_PED_CONFIG_FLAG(ped, PCF_Knockedout, 1); 0 passes.
std::int32_t PedCheck11(std::int32_t ped);

// Starts the named melee action `actionHash` of `actor` against `target`.
std::uint64_t StartMeleeAction(std::int32_t actor, std::int32_t target, std::uint32_t actionHash);

}  // namespace scuffler
