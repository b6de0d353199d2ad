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
// `settingsBefore` is null on the first tick, which shows every setting. `canAskAgain`: the
// plug-in's checks may be asked again to say why a release found no one (not in a replay, which
// answers only the calls the recording holds).
std::vector<std::string> Observe(const scuffler::Settings* settingsBefore,
                                 const scuffler::TickState& stateBefore,
                                 const KeySlotsBefore& slotsBefore, const World& world,
                                 RunTotals& totals, bool canAskAgain);

}  // namespace sandbox
