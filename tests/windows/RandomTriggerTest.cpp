// The random trigger through the real loader: on every tick on which the player, on a controller,
// has just pressed the special-ability action, one of the five actions, picked by the game's random
// native, is started against the nearest eligible ped, unless Scuffler.ini turns it off.
#include "GameFolder.h"
#include "Harness.h"
#include "hook/NativeHashes.h"

namespace {

using namespace wintest;
namespace hash = scuffler::hash;

void PressSpecialAbilityOnController() {
  SimHostSetAnswer(hash::kIsUsingKeyboardAndMouse, 0);
  SimHostSetAnswer(hash::kIsControlJustPressed, 1);
}

HMODULE StartPlugin() {
  StandardWorld();
  HMODULE plugin = LoadPlugin();
  CHECK(plugin != nullptr);
  return plugin;
}

void KeyboardOrNoPressStartsNothing() {
  HMODULE plugin = StartPlugin();
  if (plugin == nullptr) return;
  SimHostSetAnswer(hash::kGetRandomIntInRange, 3);
  CHECK_EQ(SimHostRunScriptTicks(3), 1);
  CHECK(TakeActions().empty());
  // A controller without the press, or the press on keyboard and mouse, starts nothing.
  SimHostSetAnswer(hash::kIsUsingKeyboardAndMouse, 0);
  CHECK_EQ(SimHostRunScriptTicks(2), 1);
  CHECK(TakeActions().empty());
  SimHostSetAnswer(hash::kIsUsingKeyboardAndMouse, 1);
  SimHostSetAnswer(hash::kIsControlJustPressed, 1);
  CHECK_EQ(SimHostRunScriptTicks(2), 1);
  CHECK(TakeActions().empty());
  FreeLibrary(plugin);
}

void SpecialAbilityOnControllerStartsThePickedActionEveryTick() {
  HMODULE plugin = StartPlugin();
  if (plugin == nullptr) return;
  PressSpecialAbilityOnController();
  SimHostSetAnswer(hash::kGetRandomIntInRange, 3);
  TakeCalls();
  CHECK_EQ(SimHostRunScriptTicks(1), 1);
  CHECK_EQ(TakeActions(),
           std::vector<SimHostAction>{ActionAgainst(kTarget, "AR_KICK_MID_FAR_V01")});

  // The pick is asked of the game's random native over the five actions: (0, 5).
  int picks = 0;
  for (const SimHostCall& call : TakeCalls()) {
    if (call.op != sim::Op::Native || call.hash != hash::kGetRandomIntInRange) continue;
    ++picks;
    CHECK_EQ(call.argCount, 2);
    CHECK_EQ(call.args[0], 0u);
    CHECK_EQ(call.args[1], 5u);
  }
  CHECK_EQ(picks, 1);

  SimHostSetAnswer(hash::kGetRandomIntInRange, 0);
  CHECK_EQ(SimHostRunScriptTicks(2), 1);
  const SimHostAction combo = ActionAgainst(kTarget, "AR_ATT_COMBO_V2_PT3_LEFTSIDE");
  CHECK_EQ(TakeActions(), (std::vector<SimHostAction>{combo, combo}));
  FreeLibrary(plugin);
}

// Scuffler.ini turns the controller's random move off from the next tick, and back on.
void TheSettingTurnsItOffAndOnBetweenTicks() {
  HMODULE plugin = StartPlugin();
  if (plugin == nullptr) return;
  PressSpecialAbilityOnController();
  SimHostSetAnswer(hash::kGetRandomIntInRange, 3);
  const std::vector<SimHostAction> kick{ActionAgainst(kTarget, "AR_KICK_MID_FAR_V01")};
  CHECK_EQ(SimHostRunScriptTicks(1), 1);
  CHECK_EQ(TakeActions(), kick);
  WriteFile(L"Scuffler.ini", "[Scuffler]\r\niControllerRandomKick = 0\r\n");
  CHECK_EQ(SimHostRunScriptTicks(2), 1);
  CHECK(TakeActions().empty());
  WriteFile(L"Scuffler.ini", "[Scuffler]\r\niControllerRandomKick = 1\r\n");
  CHECK_EQ(SimHostRunScriptTicks(1), 1);
  CHECK_EQ(TakeActions(), kick);
  RemoveFile(L"Scuffler.ini");
  FreeLibrary(plugin);
}

}  // namespace

int main() {
  EnterGameFolder();
  Run("KeyboardOrNoPressStartsNothing", &KeyboardOrNoPressStartsNothing);
  Run("SpecialAbilityOnControllerStartsThePickedActionEveryTick",
      &SpecialAbilityOnControllerStartsThePickedActionEveryTick);
  Run("TheSettingTurnsItOffAndOnBetweenTicks", &TheSettingTurnsItOffAndOnBetweenTicks);
  return Finish();
}
