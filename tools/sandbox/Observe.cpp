#include "Observe.h"

#include <algorithm>
#include <cmath>

#include "Slots.h"
#include "hook/NativeHashes.h"
#include "melee/PedChecks.h"
#include "melee/TickState.h"
#include "melee/Triggers.h"
#include "settings/Settings.h"

namespace sandbox {
namespace {

// The recorded call of the native `hash`, or null.
const sim::Call* FindCall(const std::vector<sim::Call>& calls, std::uint64_t hash) {
  const auto it = std::find_if(calls.begin(), calls.end(), [hash](const sim::Call& call) {
    return call.op == sim::Op::Native && call.hash == hash;
  });
  return it == calls.end() ? nullptr : &*it;
}

// Which triggers fired in the tick, in the plug-in's own tick order: a key trigger fired when it
// is the first in that order bound to a key whose release, pending before the tick, the tick used
// up; the random trigger when the plug-in asked the game for its pick.
std::vector<TriggerOutcome> FiredTriggers(const KeySlotsBefore& before,
                                          const std::vector<sim::Call>& calls) {
  std::vector<TriggerOutcome> fired;
  bool taken[scuffler::kKeySlotCount] = {};
  for (const int trigger : scuffler::kTriggerOrder) {
    if (trigger == scuffler::kRandomTrigger) {
      if (const sim::Call* draw = FindCall(calls, scuffler::hash::kGetRandomIntInRange)) {
        const std::int32_t pick = Low32(draw->result[0]);
        fired.push_back({trigger, 0, pick, 0, "", ""});
      }
      continue;
    }
    const std::int32_t key = scuffler::gSettings.*scuffler::kMeleeActions[trigger].keyCode;
    const auto code = static_cast<std::uint32_t>(key);
    if (code < scuffler::kKeySlotCount && before.released[code] && SlotCleared(code) &&
        !taken[code]) {
      taken[code] = true;
      fired.push_back({trigger, key, 0, 0, "", ""});
    }
  }
  return fired;
}

// Whether the save key's release, pending before the tick, was used up by the save key itself:
// the game would have written a recording there.
bool SavedByTheGame(const KeySlotsBefore& before, const std::vector<TriggerOutcome>& fired) {
  const auto code = static_cast<std::uint32_t>(scuffler::gSettings.iSaveRecordingKey);
  if (scuffler::gSettings.iRecordSeconds <= 0 || code >= scuffler::kKeySlotCount) return false;
  const bool takenByAMove =
      std::any_of(fired.begin(), fired.end(), [code](const TriggerOutcome& o) {
        return o.row != scuffler::kRandomTrigger && static_cast<std::uint32_t>(o.key) == code;
      });
  return before.released[code] && SlotCleared(code) && !takenByAMove;
}

// The public name of the last native the plug-in asked since the call log was last taken: where a
// chain of checks that failed stopped.
std::string LastNativeAsked() {
  const std::vector<sim::Call> calls = sim::TakeCalls();
  for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
    if (call->op != sim::Op::Native) continue;
    const scuffler::NativeInfo* const native = scuffler::FindNative(call->hash);
    return native != nullptr ? native->name : "an unlisted native";
  }
  return "no native";
}

// Why the plug-in found no one to act on, in the world as the tick left it: its own checks asked
// again, each naming the native it stopped at. The player's readiness first, as neither ped is
// taken without it; then the target and the engaged ped, each asked alone.
std::string WhyNoOneToActOn(const World& world, bool targetOnly) {
  scuffler::TickState& state = scuffler::gTickState;
  const scuffler::TickState tick = state;
  sim::TakeCalls();
  if (!targetOnly && !scuffler::IsPlayerReady()) {
    return "the player is not ready: " + LastNativeAsked();
  }
  const auto askAlone = [&state](std::int32_t target, std::int32_t engaged) {
    state.targetPed = target;
    state.engagedPed = engaged;
    const bool taken = scuffler::ChooseActionTarget() != 0;
    const std::string stoppedAt = LastNativeAsked();
    return taken ? std::string("fit now") : stoppedAt;
  };
  std::string reason = tick.targetPed == 0 ? DescribeNoTarget(ListedPedsLive(world, tick.playerPed))
                                           : "target ped " + std::to_string(tick.targetPed) + ": " +
                                                 askAlone(tick.targetPed, 0);
  if (targetOnly) {
    state = tick;
    return reason;
  }
  reason += tick.engagedPed == 0 ? ", no engaged ped"
                                 : ", engaged ped " + std::to_string(tick.engagedPed) + ": " +
                                       askAlone(0, tick.engagedPed);
  state = tick;
  return reason;
}

const char* ActionOf(const TriggerOutcome& outcome) {
  if (outcome.row != scuffler::kRandomTrigger) return scuffler::kMeleeActions[outcome.row].name;
  if (outcome.pick < 0 || outcome.pick >= static_cast<std::int32_t>(kActionRows)) return nullptr;
  return scuffler::kMeleeActions[outcome.pick].name;
}

std::size_t RowOfAction(const std::string& name) {
  for (std::size_t row = 0; row < kActionRows; ++row) {
    if (name == scuffler::kMeleeActions[row].name) return row;
  }
  return kActionRows;
}

}  // namespace

float DistanceTo(const World& world, std::int32_t from, std::int32_t to) {
  const WorldPed* const fromPed = Find(world, from);
  const WorldPed* const toPed = Find(world, to);
  const sim::Vec3 a = fromPed != nullptr ? fromPed->position : sim::Vec3{};
  const sim::Vec3 b = toPed != nullptr ? toPed->position : sim::Vec3{};
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                   (a.z - b.z) * (a.z - b.z));
}

std::vector<ListedPed> ListedPedsLive(const World& world, std::int32_t player) {
  std::vector<ListedPed> peds;
  for (const WorldPed& ped : world.peds) {
    if (!ped.listed || ped.handle == player) continue;
    const std::size_t failed = scuffler::FirstFailingEligibilityCheck(ped.handle);
    if (failed < scuffler::kEligibilityCheckCount) {
      peds.push_back(
          {ped.handle, scuffler::FindNative(scuffler::kEligibilityChecks[failed].hash)->name, {}});
    } else {
      peds.push_back({ped.handle, kEligible, DistanceTo(world, player, ped.handle)});
    }
  }
  sim::TakeCalls();
  return peds;
}

std::string AskWhyNoOne(void* world, bool targetOnly) {
  return WhyNoOneToActOn(*static_cast<const World*>(world), targetOnly);
}

KeySlotsBefore PendingReleases() {
  KeySlotsBefore slots;
  for (std::uint32_t code = 0; code < scuffler::kKeySlotCount; ++code) {
    slots.released[code] = scuffler::gKeyStateTable[code].releasedFlag.load() != 0;
  }
  return slots;
}

bool SlotCleared(std::uint32_t code) {
  const scuffler::KeyState& slot = scuffler::gKeyStateTable[code];
  return slot.stampTime.load() == 0 && slot.altFlag.load() == 0 && slot.wasDownFlag.load() == 0 &&
         slot.releasedFlag.load() == 0;
}

// What the plug-in did in the tick that just ran, as trace lines; counts actions into `totals`.
std::vector<std::string> Observe(const scuffler::Settings* settingsBefore,
                                 const scuffler::TickState& stateBefore,
                                 const KeySlotsBefore& slotsBefore, const World& world,
                                 RunTotals& totals, WhyNoOne why, void* whyContext) {
  std::vector<std::string> lines;
  const scuffler::TickState& state = scuffler::gTickState;
  // The first tick shows every setting it loaded; later ones, what changed.
  if (settingsBefore == nullptr) {
    lines.push_back(DescribeAllSettings(scuffler::gSettings));
  } else if (auto line = DescribeSettings(*settingsBefore, scuffler::gSettings)) {
    lines.push_back(*line);
  }
  if (auto line = DescribeEngaged(stateBefore.engagedPed, state.engagedPed)) lines.push_back(*line);
  const float distance = DistanceTo(world, state.playerPed, state.targetPed);
  if (auto line = DescribeTarget(stateBefore.targetPed, state.targetPed, distance)) {
    lines.push_back(*line);
  }

  const std::vector<sim::StartedAction> actions = sim::TakeActions();
  std::size_t next = 0;
  // Each fired trigger started at most one action, in tick order; one whose action is not next
  // found no one to act on.
  const std::vector<TriggerOutcome> fired = FiredTriggers(slotsBefore, sim::TakeCalls());
  for (TriggerOutcome outcome : fired) {
    const char* action = ActionOf(outcome);
    if (action != nullptr && next < actions.size() &&
        sim::ActionName(actions[next].actionHash) == action) {
      outcome.target = actions[next].target;
      outcome.role = outcome.target == state.targetPed ? "the target"
                     : outcome.target == state.engagedPed
                         ? "the engaged ped (" + why(whyContext, true) + ")"
                         : "neither target nor engaged";
      ++next;
    } else if (action != nullptr) {
      outcome.reason = why(whyContext, false);
      if (outcome.row != scuffler::kRandomTrigger) ++totals.releasesWithoutTarget;
    }
    lines.push_back(DescribeTrigger(outcome));
  }
  if (SavedByTheGame(slotsBefore, fired)) {
    lines.push_back(DescribeSaveKey(scuffler::gSettings.iSaveRecordingKey));
  }
  for (std::size_t i = next; i < actions.size(); ++i) {
    lines.push_back("started " + sim::ActionName(actions[i].actionHash) + " on ped " +
                    std::to_string(actions[i].target));
  }
  for (const sim::StartedAction& action : actions) {
    const std::size_t row = RowOfAction(sim::ActionName(action.actionHash));
    if (row < kActionRows) ++totals.started[row];
  }
  return lines;
}

}  // namespace sandbox
