// Turns a recording into a scenario a triager can run live and edit: the recorded ticks as the
// sandbox's own scenario format (docs/sandbox.md), so that the plug-in, run on it, is asked the
// same questions and given the same answers, and so starts the same moves.
//
// What a scenario cannot say is left out, and the docs list it: the distances the game computed
// (the sandbox computes them from the positions), a ped's second position within one tick, a
// native the plug-in does not list, and the order of the game's ped list (peds are listed in the
// order they first appear).
//
// Pure: reads the recording and returns text; any thread.
#pragma once

#include <string>

#include "record/RecordingReader.h"

namespace sandbox {

// The scenario of `recording` as JSON text, one event a line. `source` names the recording in
// the scenario's description.
std::string ScenarioFromRecording(const scuffler::recording::Recording& recording,
                                  const std::string& source);

}  // namespace sandbox
