// Replays a recording through the real plug-in: every native, the ped list, each key test and the
// clock are answered from the recording, and each call the plug-in makes is checked against the
// recorded one, in order. Its trace uses the live session's words.
//
// One replay per process at a time: the plug-in's settings and key table are process-wide.
#pragma once

#include <ostream>
#include <string>

#include "SvgMap.h"
#include "Trace.h"
#include "record/RecordingReader.h"

namespace sandbox {

// The tick a replay runs: the plug-in's RunTick, or a test's double of it.
using TickFunction = void (*)();

struct ReplayResult {
  bool matched = true;     // every call of every tick was the recorded one
  std::string divergence;  // else the first that was not: the tick, the call, both sides
  RunTotals totals;
  MapView lastTick;
};

// Runs the recording's ticks through `tick`, answering every native, the ped list, each key test
// and the clock from the recording, and checks that each call is the recorded one, in order.
// Writes the recorded settings file as Scuffler.ini in the working directory, so the caller puts
// it in a private folder. Writes the trace of the ticks that matched; the summary only when all
// did. Its saves write no file. Throws std::runtime_error when Scuffler.ini cannot be written.
// With `until` at or past the recording's first tick and before its last, the replay stops after
// the tick numbered `until`. With `peds`, each tick with a recorded release lists every ped of
// its ped list (--peds).
ReplayResult RunReplay(const scuffler::recording::Recording& recording, std::ostream& trace,
                       TickFunction tick, std::uint32_t until = 0, bool peds = false);

}  // namespace sandbox
