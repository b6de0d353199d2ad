#include "melee/ScriptLoop.h"

#include <algorithm>

#include "hook/NativeBridge.h"
#include "hook/NativeHashes.h"
#include "melee/PedChecks.h"
#include "melee/TickState.h"
#include "melee/Triggers.h"
#include "record/Recorder.h"
#include "record/RecordingFormat.h"
#include "settings/Settings.h"

namespace scuffler {

namespace {

// Reused every tick so the search never allocates.
int gPedBuffer[kPedBufferSize];
static_assert(kPedBufferSize == recording::kMostPeds, "a recording keeps what the buffer holds");

std::int32_t PlayerPed() { return CallNativeInt(hash::kPlayerPedId); }

WorldPoint PedPosition(std::int32_t ped) {
  return CallNativePoint(hash::kGetEntityCoords, ped, 0, 0);
}

}  // namespace

void ScriptEntry() noexcept {
  for (;;) {
    RunTick();
    scriptWait(0);
  }
}

void RunTick() {
  BeginRecordedTick();
  LoadTickSettings();
  RefreshTickState();
  FindNearestTarget();
  for (const KeyTester tester : kKeyTesterOrder) {
    if (tester == KeyTester::Triggers) RunTriggers();
    if (tester == KeyTester::SaveKey) RunSaveKey();
  }
  EndRecordedTick();
}

void LoadTickSettings() {
  LoadSettings(IsRecording() ? RecordSettingsFile : nullptr);
  RecordSettings(gSettings);
  ApplyRecordSettings(gSettings);
}

void RefreshTickState() {
  const std::int32_t player = PlayerPed();
  gTickState.playerPed = player;
  gTickState.engagedPed = CallNativeInt(hash::kGetMeleeTargetForPed, player);
}

void FindNearestTarget() {
  const float limit = gSettings.MAX_DISTANCE;
  std::int32_t best = 0;
  const WorldPoint p = PedPosition(PlayerPed());
  // The hook is told the buffer's size; should it report more, the rest was never written.
  const int reported = GetAllPeds(gPedBuffer, kPedBufferSize);
  const int count = std::min(reported, kPedBufferSize);
  float bestDistance = SearchBound(limit);
  for (int i = 0; i < count; ++i) {
    const std::int32_t candidate = gPedBuffer[i];
    if (candidate == PlayerPed() || !IsEligibleTarget(candidate)) continue;
    const WorldPoint c = PedPosition(candidate);
    const float d = SquaredDistance(p.x, p.y, p.z, c.x, c.y, c.z);
    // "Not farther" rather than "nearer": a ped exactly at the limit counts, the later of two
    // equally near peds wins, and a limit that is not a number takes the first ped at once.
    if (!(d > bestDistance)) {
      best = candidate;
      bestDistance = d;
    }
  }
  gTickState.targetPed = best;
}

}  // namespace scuffler
