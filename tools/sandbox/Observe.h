// What the sandbox reads off the plug-in after a tick, for the live run and the replay alike:
// which triggers fired, what they started and on whom, and the trace lines that say so.
//
// Script context of the simulated hook; one run at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Trace.h"
#include "World.h"
#include "input/KeyStateTable.h"
#include "melee/TickState.h"
#include "settings/Settings.h"

namespace sandbox {

struct KeySlotsBefore {
  bool released[scuffler::kKeySlotCount] = {};
};

// The plug-in's module handle in a run: any nonzero value, as the sim only compares them.
inline const HINSTANCE kModule =
    reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x5C0F0000));

// Which key slots hold a release before a tick.
KeySlotsBefore PendingReleases();

// Whether the slot of `code` is all zero: its release was used up.
bool SlotCleared(std::uint32_t code);

// What the plug-in did in the tick that just ran, as trace lines; counts actions into `totals`.
// The distance between two peds of `world`; one it does not know stands at the origin.
float DistanceTo(const World& world, std::int32_t from, std::int32_t to);

// Every ped `world` lists but `player`, asked the plug-in's eligibility checks again (the live
// run's --peds and its no-target reason).
std::vector<ListedPed> ListedPedsLive(const World& world, std::int32_t player);

// Why the plug-in found no one to act on at a release of this tick, in the trace's words; with
// `targetOnly`, only why the target was passed over (an action that went to the engaged ped).
using WhyNoOne = std::string (*)(void* context, bool targetOnly);

// The live run's: the plug-in's own checks asked again in `world` (a const World*) as the tick
// left it.
std::string AskWhyNoOne(void* world, bool targetOnly);

// `settingsBefore` is null on the first tick, which shows every setting. `why` says why a release
// found no one (a replay answers only the calls the recording holds, so it reads the answers
// instead of asking again).
std::vector<std::string> Observe(const scuffler::Settings* settingsBefore,
                                 const scuffler::TickState& stateBefore,
                                 const KeySlotsBefore& slotsBefore, const World& world,
                                 RunTotals& totals, WhyNoOne why, void* whyContext);

}  // namespace sandbox
