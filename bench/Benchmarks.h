// The benchmark program's parts: the timed benchmarks, registered with Google Benchmark, and the
// exact checks that ctest runs (bench --check).
#pragma once

#include <cstddef>

#include "ScratchDirectories.h"

namespace bench {

// One full tick (RunTick, no Scuffler.ini present) with 0, 64 and 1024 eligible peds in range,
// with its native calls and the plug-in's allocations per tick as counters.
// TickRecording: the same with the recorder on.
void RegisterTickBenchmarks(const ScratchDirectories& directories);

// Turns the recorder on (iRecordSeconds 60) or off through a settings load without a file.
void SetRecording(bool on);

// Times ticks at 64 peds with the recorder off and on in turns and prints what recording adds,
// against its budget of 10%.
void PrintRecordingOverhead(const ScratchDirectories& directories);

// LoadSettings on a copy of the shipped Scuffler.ini, beside the floor (one open, size, read and
// close of the file, as any loader must) and libinih's ini_parse of the same file.
void RegisterSettingsBenchmarks(const ScratchDirectories& directories);

// Times the same three in turns and prints LoadSettings / floor and LoadSettings / inih.
void PrintSettingsRatios(const ScratchDirectories& directories);

// The counts that must hold exactly: native calls per tick, one open of Scuffler.ini per tick, and
// no allocation in a steady tick, LoadSettings included. Prints each; returns the number that
// failed.
int RunChecks(const ScratchDirectories& directories);

// Records about `megabytes` of ticks that each bring 1,023 new peds, reads and replays them, and
// prints the time against the budget of 10 s for 64 MB. Returns 1 when the replay does not match.
int RunReplayBenchmark(const ScratchDirectories& directories, std::size_t megabytes);

}  // namespace bench
