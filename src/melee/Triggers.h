// The six triggers that start melee actions: five bound to keys, one to the controller's
// special-ability action.
//
// Script context only. They keep no state between ticks; the only state they change is a key
// slot, consumed through ConsumeKeyRelease.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/Settings.h"

namespace scuffler {

// One named melee action and the setting that holds its key code.
struct MeleeAction {
  std::int32_t Settings::*keyCode;
  const char* name;
};

constexpr std::size_t kMeleeActionCount = 5;
// Rows in trigger order; the row number is also the action's place in the random pick.
extern const MeleeAction kMeleeActions[kMeleeActionCount];

// The target of an action this instant: targetPed if it is still eligible, IS_PED_IN_COMBAT
// (player, targetPed) is false and the player is ready; else engagedPed if eligible and the player
// is ready; else 0.
std::int32_t ChooseActionTarget();

// Starts `action` against ChooseActionTarget() when its key was released in the last 100 ms.
// The release is used up even when there is no target.
void RunKeyTrigger(const MeleeAction& action);

// While iControllerRandomKick is on, on a controller (IS_USING_KEYBOARD_AND_MOUSE false), on the
// tick INPUT_SPECIAL_ABILITY_ACTION is just pressed: starts one of the five actions, picked by
// GET_RANDOM_INT_IN_RANGE. While it is off, asks no native at all.
void RunRandomTrigger();

// A trigger: the key trigger of an action row (0 to 4), or kRandomTrigger.
constexpr int kRandomTrigger = -1;

// The six triggers in the order every tick runs them: the key of row 0, the random trigger, then
// the keys of rows 1 to 4. Of two rows bound to one key, the earlier here takes the release.
inline constexpr int kTriggerOrder[] = {0, kRandomTrigger, 1, 2, 3, 4};

// All six, in kTriggerOrder.
void RunTriggers();

}  // namespace scuffler
