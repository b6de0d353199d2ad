// Eligibility and readiness predicates, and the typed natives the search and triggers use.
//
// Script context only. No native result is tested for an error: a check result counts as true
// when any of its 32 bits is set. Nothing here keeps state or allocates.
#pragma once

#include <cstdint>

#include <cstddef>

#include "hook/NativeHashes.h"

namespace scuffler {

// What a check pushes besides nothing: the ped; the ped and 0; the ped, PCF_Knockedout and 1.
enum class CheckArguments : std::uint8_t { None, Ped, PedAndZero, PedKnockedOutFlag };

// One check of a ped, as data: the native asked, its arguments, and the answer that fails it (any
// of its 32 bits set, or none). The plug-in runs these tables; the sandbox reads the same rows to
// say which check a recorded answer failed.
struct PedCheck {
  std::uint64_t hash;
  CheckArguments arguments;
  bool failsWhenSet;
};

// Whether `answer` to `check` fails it.
constexpr bool Fails(const PedCheck& check, std::int32_t answer) {
  return (answer != 0) == check.failsWhenSet;
}

constexpr std::size_t kEligibilityCheckCount = 11;
// Whether a ped may be fought, in the order asked.
inline constexpr PedCheck kEligibilityChecks[kEligibilityCheckCount] = {
    {hash::kDoesEntityExist, CheckArguments::Ped, false},
    {hash::kIsPedHuman, CheckArguments::Ped, false},
    {hash::kIsEntityDead, CheckArguments::Ped, true},
    {hash::kIsPedFatallyInjured, CheckArguments::Ped, true},
    {hash::kIsPedOnMount, CheckArguments::Ped, true},
    {hash::kIsPedInAnyVehicle, CheckArguments::PedAndZero, true},
    {hash::kIsEntityInWater, CheckArguments::Ped, true},
    {hash::kIsPedIncapacitated, CheckArguments::Ped, true},
    {hash::kIsPedRagdoll, CheckArguments::Ped, true},
    {hash::kIsPauseMenuActive, CheckArguments::None, true},
    {hash::kGetPedConfigFlag, CheckArguments::PedKnockedOutFlag, true},
};

constexpr std::size_t kReadinessCheckCount = 4;
// Whether the player can start an action, in the order asked.
inline constexpr PedCheck kReadinessChecks[kReadinessCheckCount] = {
    {hash::kIsPedOnMount, CheckArguments::Ped, true},
    {hash::kIsPedInAnyVehicle, CheckArguments::PedAndZero, true},
    {hash::kGetPedIsGrappling, CheckArguments::Ped, true},
    {hash::kIsPauseMenuActive, CheckArguments::None, true},
};

// Asks kEligibilityChecks of `ped` in order and stops at the first that fails: its index, or
// kEligibilityCheckCount when none does.
std::size_t FirstFailingEligibilityCheck(std::int32_t ped);

// Asks kReadinessChecks of the player's ped (read once from gTickState) in order and stops at the
// first that fails: its index, or kReadinessCheckCount when none does.
std::size_t FirstFailingReadinessCheck();

// Whether `ped` passes every eligibility check. Handle 0 is not special-cased; the first check
// answers for it.
bool IsEligibleTarget(std::int32_t ped);

// Whether the player's ped passes every readiness check: it can start an action now.
bool IsPlayerReady();

// Squared distance between (x1, y1, z1) and (x2, y2, z2), as the game computes it.
float SquaredDistance(float x1, float y1, float z1, float x2, float y2, float z2);

// The last eligibility check: GET_PED_CONFIG_FLAG(ped, PCF_Knockedout, 1); 0 passes.
std::int32_t PedCheck11(std::int32_t ped);

// Starts the named melee action `actionHash` of `actor` against `target`.
std::uint64_t StartMeleeAction(std::int32_t actor, std::int32_t target, std::uint32_t actionHash);

}  // namespace scuffler
