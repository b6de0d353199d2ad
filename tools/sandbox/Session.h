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

}  // namespace sandbox
