// Keys through the real loader: a release delivered by the hook and seen by the next tick within
// 100 ms of kernel32's tick count starts the bound action against the nearest eligible ped; one
// seen later starts nothing.
#include "GameFolder.h"
#include "Harness.h"
#include "hook/NativeHashes.h"

namespace {

using namespace wintest;

struct DefaultBinding {
  std::uint32_t key;
  const char* action;
};

// The five default keys and the actions they start.
constexpr DefaultBinding kDefaultBindings[] = {
    {71, "AR_ATT_COMBO_V2_PT3_LEFTSIDE"},          // G
    {38, "AR_ATTACK_COUNTER_FROM_DODGELEFT_V1"},   // up arrow
    {40, "AR_ATTACK_COUNTER_FROM_DODGERIGHT_V2"},  // down arrow
    {39, "AR_KICK_MID_FAR_V01"},                   // right arrow
    {37, "AR_KICK_LOW_FAR_V01"},                   // left arrow
};

HMODULE StartPlugin() {
  StandardWorld();
  HMODULE plugin = LoadPlugin();
  CHECK(plugin != nullptr);
  if (plugin != nullptr) CHECK_EQ(SimHostRunScriptTicks(1), 1);
  return plugin;
}

void AReleaseWithinTheWindowStartsTheBoundActionAgainstTheNearestEligiblePed() {
  HMODULE plugin = StartPlugin();
  if (plugin == nullptr) return;
  CHECK(TakeActions().empty());
  for (const DefaultBinding& binding : kDefaultBindings) {
    bool inWindow = false;
    const std::vector<SimHostAction> actions = TapWithinWindow(binding.key, inWindow);
    CHECK(inWindow);
    CHECK_EQ(actions, std::vector<SimHostAction>{ActionAgainst(kTarget, binding.action)});
  }
  FreeLibrary(plugin);
}

void AReleaseIsUsedOnce() {
  HMODULE plugin = StartPlugin();
  if (plugin == nullptr) return;
  bool inWindow = false;
  CHECK_EQ(TapWithinWindow(38, inWindow).size(), 1u);
  CHECK(inWindow);
  CHECK_EQ(SimHostRunScriptTicks(1), 1);
  CHECK(TakeActions().empty());
  FreeLibrary(plugin);
}

void AHeldKeyStartsNothing() {
  HMODULE plugin = StartPlugin();
  if (plugin == nullptr) return;
  SimHostSendKey(38, 0, 0);
  SimHostSendKey(38, 0, 1);  // auto-repeat
  CHECK_EQ(SimHostRunScriptTicks(2), 1);
  CHECK(TakeActions().empty());
  FreeLibrary(plugin);
}

void AReleasePastTheWindowStartsNothing() {
  HMODULE plugin = StartPlugin();
  if (plugin == nullptr) return;
  for (const DefaultBinding& binding : kDefaultBindings) {
    CHECK(TapPastWindow(binding.key).empty());
  }
  CHECK_EQ(SimHostRunScriptTicks(1), 1);
  CHECK(TakeActions().empty());
  FreeLibrary(plugin);
}

void WithNoEligiblePedInRangeTheEngagedPedIsTheTarget() {
  HMODULE plugin = StartPlugin();
  if (plugin == nullptr) return;
  SimHostSetPedAnswer(kTarget, scuffler::hash::kDoesEntityExist, 0);
  SimHostSetPedAnswer(kFarther, scuffler::hash::kDoesEntityExist, 0);
  bool inWindow = false;
  CHECK(TapWithinWindow(40, inWindow).empty());
  SimHostSetEngaged(kOutOfRange);
  const std::vector<SimHostAction> actions = TapWithinWindow(40, inWindow);
  CHECK(inWindow);
  CHECK_EQ(actions, std::vector<SimHostAction>{
                        ActionAgainst(kOutOfRange, "AR_ATTACK_COUNTER_FROM_DODGERIGHT_V2")});
  FreeLibrary(plugin);
}

}  // namespace

int main() {
  EnterGameFolder();
  Run("AReleaseWithinTheWindowStartsTheBoundActionAgainstTheNearestEligiblePed",
      &AReleaseWithinTheWindowStartsTheBoundActionAgainstTheNearestEligiblePed);
  Run("AReleaseIsUsedOnce", &AReleaseIsUsedOnce);
  Run("AHeldKeyStartsNothing", &AHeldKeyStartsNothing);
  Run("AReleasePastTheWindowStartsNothing", &AReleasePastTheWindowStartsNothing);
  Run("WithNoEligiblePedInRangeTheEngagedPedIsTheTarget",
      &WithNoEligiblePedInRangeTheEngagedPedIsTheTarget);
  return Finish();
}
