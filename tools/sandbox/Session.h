// Runs a scenario through the real plug-in: the world goes into the simulated script hook, the
// plug-in is attached with DllMain as the game's loader would, and the script runs one tick at a
// time while the scenario's changes land between ticks. Every tick that changed anything gets
// its lines in the trace.
//
// One session per process: the plug-in's settings and key table are process-wide, as in the game.
// Scuffler.ini is read from, and written by the scenario's "ini" changes in, the working directory.
#pragma once

#include <ostream>
#include <string>

#include "Scenario.h"
#include "SvgMap.h"
#include "Trace.h"
#include "record/RecordingReader.h"

namespace sandbox {

struct SessionResult {
  RunTotals totals;
  MapView lastTick;
};

// Writes the trace to `trace`, the summary included. Throws std::runtime_error when
// Scuffler.ini cannot be written or deleted.
SessionResult RunSession(const Scenario& scenario, std::ostream& trace);

// Whether the scenario writes or deletes Scuffler.ini. The session then removes the file it
// leaves behind, so a file that was there before must not be touched at all.
bool WritesIni(const Scenario& scenario);

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
// did. Never records. Throws std::runtime_error when Scuffler.ini cannot be written.
ReplayResult RunReplay(const scuffler::recording::Recording& recording, std::ostream& trace,
                       TickFunction tick);

}  // namespace sandbox
