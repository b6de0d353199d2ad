// The random trigger through the real loader: on every tick on which both of the game's gate
// natives allow it, one of the five actions, picked by the game's random native, is started
// against the nearest eligible ped.
#include "GameFolder.h"
#include "Harness.h"
#include "hook/NativeHashes.h"

namespace {

using namespace wintest;
namespace hash = scuffler::hash;

void OpenGates() {
  SimHostSetAnswer(hash::kRandomGateA, 0);
  SimHostSetAnswer(hash::kRandomGateB, 1);
}

HMODULE StartPlugin() {
  StandardWorld();
  HMODULE plugin = LoadPlugin();
  CHECK(plugin != nullptr);
  return plugin;
}

void ClosedGatesStartNothing() {
  HMODULE plugin = StartPlugin();
  if (plugin == nullptr) return;
  SimHostSetAnswer(hash::kRandomInt, 3);
  CHECK_EQ(SimHostRunScriptTicks(3), 1);
  CHECK(TakeActions().empty());
  // Each gate alone keeps the trigger shut.
  SimHostSetAnswer(hash::kRandomGateA, 0);
  CHECK_EQ(SimHostRunScriptTicks(2), 1);
  CHECK(TakeActions().empty());
  SimHostSetAnswer(hash::kRandomGateA, 1);
  SimHostSetAnswer(hash::kRandomGateB, 1);
  CHECK_EQ(SimHostRunScriptTicks(2), 1);
  CHECK(TakeActions().empty());
  FreeLibrary(plugin);
}

void OpenGatesStartThePickedActionEveryTick() {
  HMODULE plugin = StartPlugin();
  if (plugin == nullptr) return;
  OpenGates();
  SimHostSetAnswer(hash::kRandomInt, 3);
  TakeCalls();
  CHECK_EQ(SimHostRunScriptTicks(1), 1);
  CHECK_EQ(TakeActions(),
           std::vector<SimHostAction>{ActionAgainst(kTarget, "AR_KICK_MID_FAR_V01")});

  // The pick is asked of the game's random native over the five actions: (0, 5).
  int picks = 0;
  for (const SimHostCall& call : TakeCalls()) {
    if (call.op != sim::Op::Native || call.hash != hash::kRandomInt) continue;
    ++picks;
    CHECK_EQ(call.argCount, 2);
    CHECK_EQ(call.args[0], 0u);
    CHECK_EQ(call.args[1], 5u);
  }
  CHECK_EQ(picks, 1);

  SimHostSetAnswer(hash::kRandomInt, 0);
  CHECK_EQ(SimHostRunScriptTicks(2), 1);
  const SimHostAction combo = ActionAgainst(kTarget, "AR_ATT_COMBO_V2_PT3_LEFTSIDE");
  CHECK_EQ(TakeActions(), (std::vector<SimHostAction>{combo, combo}));
  FreeLibrary(plugin);
}

}  // namespace

int main() {
  EnterGameFolder();
  Run("ClosedGatesStartNothing", &ClosedGatesStartNothing);
  Run("OpenGatesStartThePickedActionEveryTick", &OpenGatesStartThePickedActionEveryTick);
  return Finish();
}
