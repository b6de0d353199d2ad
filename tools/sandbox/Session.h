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
#include "record/RecordingSink.h"

namespace sandbox {

// --record: the run ends with the recording the plug-in saves at its last tick.
struct RecordRequest {
  scuffler::RecordingSink sink;  // takes the last tick's save; earlier saves write nothing
  std::string name;              // the recording's file, as the trace names it
};

struct SessionResult {
  RunTotals totals;
  MapView lastTick;
  bool saveOffered = false;  // with --record: the plug-in saved at the last tick...
  bool saveKept = false;     // ...and the sink kept it
};

// Writes the trace to `trace`, the summary included. With `record`, the settings file is edited
// at each tick that finds it not turning recording on (RecordRun.h), and the save key is released
// before the last tick, whose save goes to `record->sink`; the settings file is then the working
// directory's, which the caller makes a private copy. Throws std::runtime_error when Scuffler.ini
// cannot be written or deleted.
// With `until` above 0 and below the scenario's ticks, the run stops after tick `until`, which is
// then its last (the one --record saves at and the map draws). With `peds`, each tick with a key
// release lists every ped the game listed (--peds).
SessionResult RunSession(const Scenario& scenario, std::ostream& trace,
                         const RecordRequest* record = nullptr, int until = 0, bool peds = false);

// Whether the scenario writes or deletes Scuffler.ini. The session then removes the file it
// leaves behind, so a file that was there before must not be touched at all.
bool WritesIni(const Scenario& scenario);

}  // namespace sandbox
