#include "melee/Triggers.h"

#include "hook/NativeBridge.h"
#include "hook/NativeHashes.h"
#include "input/KeyStateTable.h"
#include "melee/PedChecks.h"
#include "melee/TickState.h"

namespace scuffler {

namespace {

std::uint32_t ActionHash(const MeleeAction& action) {
  return static_cast<std::uint32_t>(CallNativeInt(hash::kGetHashKey, action.name));
}

}  // namespace

std::int32_t ChooseActionTarget() {
  const std::int32_t target = gTickState.targetPed;
  if (target != 0 && IsEligibleTarget(target) &&
      CallNativeInt(hash::kIsPedInCombat, gTickState.playerPed, target) == 0 && IsPlayerReady()) {
    return target;
  }
  const std::int32_t engaged = gTickState.engagedPed;
  if (engaged != 0 && IsEligibleTarget(engaged) && IsPlayerReady()) return engaged;
  return 0;
}

void RunKeyTrigger(const MeleeAction& action) {
  // Consumed before the target is chosen: a release starts at most one action, even none.
  if (!ConsumeKeyRelease(gSettings.*action.keyCode)) return;
  const std::int32_t target = ChooseActionTarget();
  if (target == 0) return;
  StartMeleeAction(gTickState.playerPed, target, ActionHash(action));
}

void RunRandomTrigger() {
  // Turned off in Scuffler.ini: not even the gates are asked.
  if (!gSettings.iControllerRandomKick) return;
  // The controller's binding: on keyboard and mouse the five keys are the bindings instead.
  if (CallNativeInt(hash::kIsUsingKeyboardAndMouse, 0) != 0) return;
  if (CallNativeInt(hash::kIsControlJustPressed, 0, hash::kInputSpecialAbilityAction) == 0) return;
  std::uint32_t actionHashList[kMeleeActionCount];
  for (std::size_t row = 0; row < kMeleeActionCount; ++row) {
    actionHashList[row] = ActionHash(kMeleeActions[row]);
  }
  const std::int32_t pick =
      CallNativeInt(hash::kGetRandomIntInRange, 0, static_cast<std::int32_t>(kMeleeActionCount));
  // The game's bounds are not trusted with an array index.
  if (pick < 0 || pick >= static_cast<std::int32_t>(kMeleeActionCount)) return;
  const std::int32_t target = ChooseActionTarget();
  if (target == 0) return;
  StartMeleeAction(gTickState.playerPed, target, actionHashList[pick]);
}

void RunTriggers() {
  for (const int trigger : kTriggerOrder) {
    if (trigger == kRandomTrigger) {
      RunRandomTrigger();
    } else {
      RunKeyTrigger(kMeleeActions[trigger]);
    }
  }
}

}  // namespace scuffler
