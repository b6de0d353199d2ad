#include "Crowd.h"

#include <cmath>

#include "AllocationCounter.h"
#include "SimHook.h"
#include "input/KeyStateTable.h"
#include "melee/ScriptLoop.h"
#include "melee/TickState.h"
#include "melee/Triggers.h"
#include "record/Recorder.h"
#include "settings/Settings.h"

namespace bench {
namespace {

constexpr std::int32_t kPlayer = 1;
constexpr std::int32_t kFirstPed = 1000;

}  // namespace

void BuildCrowd(int peds) {
  sim::Reset();
  scuffler::StopRecording();
  scuffler::gSettings = scuffler::Settings{};
  scuffler::gTickState = scuffler::TickState{};
  for (scuffler::KeyState& slot : scuffler::gKeyStateTable) scuffler::ClearKeySlot(slot);
  // The player stays out of the ped list, so every listed ped is a full candidate.
  sim::SetPlayer(kPlayer, {0, 0, 0});
  // A spiral from 1 to 9 units out: all inside the default MAX_DISTANCE of 10, all different.
  for (int i = 0; i < peds; ++i) {
    const float turn = 2.39996f * static_cast<float>(i);  // the golden angle
    const float radius = 1.0f + 8.0f * static_cast<float>(i) / static_cast<float>(peds);
    sim::AddPed(kFirstPed + i, {radius * std::cos(turn), radius * std::sin(turn), 0});
  }
}

std::uint64_t ExpectedNativesPerTick(int peds) {
  return 2 + 2 + 14 * static_cast<std::uint64_t>(peds) + 1;
}

TickCost Measure(void (*step)()) {
  sim::TakeCalls();
  TickCost cost;
  const std::uint64_t opensBefore = SettingsFileOpens();
  const std::uint64_t before = AllocationCount();
  step();
  cost.allocations = AllocationCount() - before;
  cost.fileOpens = SettingsFileOpens() - opensBefore;
  for (const sim::Call& call : sim::Calls()) {
    if (call.op == sim::Op::Native) ++cost.natives;
  }
  sim::TakeCalls();
  return cost;
}

void TickWithoutSettings() {
  scuffler::RefreshTickState();
  scuffler::FindNearestTarget();
  scuffler::RunTriggers();
}

}  // namespace bench
