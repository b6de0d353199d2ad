#include "melee/PedChecks.h"

#include "hook/NativeBridge.h"
#include "hook/NativeHashes.h"
#include "melee/TickState.h"

namespace scuffler {

namespace {

// A check result is true when any of its 32 bits is set, not only its low byte.
bool IsSet(std::int32_t checkResult) { return checkResult != 0; }

bool Asks(std::uint64_t hash, std::int32_t ped) { return IsSet(CallNativeInt(hash, ped)); }

// Neither mounted nor in a vehicle: asked of targets and of the player alike.
bool OnFoot(std::int32_t ped) {
  return !Asks(hash::kIsPedOnMount, ped) && !IsSet(CallNativeInt(hash::kIsPedInAnyVehicle, ped, 0));
}

bool PauseMenuClosed() { return !IsSet(CallNativeInt(hash::kIsPauseMenuActive)); }

}  // namespace

bool IsEligibleTarget(std::int32_t ped) {
  return Asks(hash::kDoesEntityExist, ped) && Asks(hash::kIsPedHuman, ped) &&
         !Asks(hash::kIsEntityDead, ped) && !Asks(hash::kIsPedFatallyInjured, ped) && OnFoot(ped) &&
         !Asks(hash::kIsEntityInWater, ped) && !Asks(hash::kIsPedIncapacitated, ped) &&
         !Asks(hash::kIsPedRagdoll, ped) && PauseMenuClosed() && !IsSet(PedCheck11(ped));
}

bool IsPlayerReady() {
  const std::int32_t player = gTickState.playerPed;
  return OnFoot(player) && !Asks(hash::kGetPedIsGrappling, player) && PauseMenuClosed();
}

float SquaredDistance(float x1, float y1, float z1, float x2, float y2, float z2) {
  return CallNativeFloat(hash::kVdist2, x1, y1, z1, x2, y2, z2);
}

std::int32_t PedCheck11(std::int32_t ped) {
  return CallNativeInt(hash::kGetPedConfigFlag, ped, hash::kPcfKnockedout, 1);
}

std::uint64_t StartMeleeAction(std::int32_t actor, std::int32_t target, std::uint32_t actionHash) {
  // The sixth argument is the integer 1, not the float 1.0.
  return CallNativeU64(hash::kTaskPutPedDirectlyIntoMelee, actor, target, actionHash, 0, 0, 1, 0);
}

}  // namespace scuffler
