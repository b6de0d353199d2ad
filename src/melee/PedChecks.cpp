#include "melee/PedChecks.h"

#include "hook/NativeBridge.h"
#include "hook/NativeHashes.h"
#include "melee/TickState.h"

namespace scuffler {

namespace {

// A check result is true when any of its 32 bits is set, not only its low byte.
bool IsSet(std::int32_t checkResult) { return checkResult != 0; }

bool Asks(std::uint64_t hash, std::int32_t ped) { return IsSet(CallNativeInt(hash, ped)); }

// These two are asked of targets and of the player alike.
bool FreeToAct(std::int32_t ped) {
  return !Asks(hash::kEligibilityCheck5, ped) &&
         !IsSet(CallNativeInt(hash::kEligibilityCheck6, ped, 0));
}

bool WorldAllows() { return !IsSet(CallNativeInt(hash::kWorldCheck)); }

}  // namespace

bool IsEligibleTarget(std::int32_t ped) {
  return Asks(hash::kEligibilityCheck1, ped) && Asks(hash::kEligibilityCheck2, ped) &&
         !Asks(hash::kEligibilityCheck3, ped) && !Asks(hash::kEligibilityCheck4, ped) &&
         FreeToAct(ped) && !Asks(hash::kEligibilityCheck7, ped) &&
         !Asks(hash::kEligibilityCheck8, ped) && !Asks(hash::kEligibilityCheck9, ped) &&
         WorldAllows() && !IsSet(PedCheck11(ped));
}

bool IsPlayerReady() {
  const std::int32_t player = gTickState.playerPed;
  return FreeToAct(player) && !Asks(hash::kPlayerCheck, player) && WorldAllows();
}

float SquaredDistance(float x1, float y1, float z1, float x2, float y2, float z2) {
  return CallNativeFloat(hash::kSquaredDistance, x1, y1, z1, x2, y2, z2);
}

std::int32_t PedCheck11(std::int32_t ped) { return CallNativeInt(hash::kPedCheck11, ped, 11, 1); }

std::uint64_t StartMeleeAction(std::int32_t actor, std::int32_t target, std::uint32_t actionHash) {
  // The sixth argument is the integer 1, not the float 1.0.
  return CallNativeU64(hash::kStartMeleeAction, actor, target, actionHash, 0, 0, 1, 0);
}

}  // namespace scuffler
