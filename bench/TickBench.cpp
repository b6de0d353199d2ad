// One full tick through the simulated hook, with the recorder off and on. It runs without a
// Scuffler.ini, so LoadSettings is one failed open alone and the figures are those of the search
// and the triggers; the settings benchmarks measure the file. The time includes the simulated
// hook's own work (it logs every native call), which is the larger share.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "Benchmarks.h"
#include "Crowd.h"
#include "SimHook.h"
#include "melee/ScriptLoop.h"
#include "record/Recorder.h"
#include "settings/Settings.h"

namespace bench {
namespace {

void Tick(benchmark::State& state, const ScratchDirectories& directories, bool recording) {
  const int peds = static_cast<int>(state.range(0));
  directories.EnterWithoutIni();
  BuildCrowd(peds);
  SetRecording(recording);
  const TickCost cost = Measure(scuffler::RunTick);
  if (cost.natives != ExpectedNativesPerTick(peds)) {
    state.SkipWithError(("native calls per tick: " + std::to_string(cost.natives) + ", expected " +
                         std::to_string(ExpectedNativesPerTick(peds)))
                            .c_str());
  }
  for (auto _ : state) {
    scuffler::RunTick();
    sim::TakeCalls();  // or the hook's log grows with every tick
  }
  state.counters["natives"] = static_cast<double>(cost.natives);
  state.counters["allocs"] = static_cast<double>(cost.allocations);
  SetRecording(false);
}

constexpr double kRecordingBudget = 0.05;  // recording may add 5% to a tick at 64 peds

}  // namespace

void SetRecording(bool on) {
  // No settings file: the load keeps this value, and each tick applies it.
  scuffler::gSettings.iRecordSeconds = on ? 60 : 0;
  scuffler::ApplyRecordSettings(scuffler::gSettings);
}

void RegisterTickBenchmarks(const ScratchDirectories& directories) {
  for (const bool recording : {false, true}) {
    benchmark::RegisterBenchmark(recording ? "TickRecording" : "Tick", Tick, std::cref(directories),
                                 recording)
        ->ArgName("peds")
        ->Arg(0)
        ->Arg(64)
        ->Arg(1024)
        ->Unit(benchmark::kMicrosecond);
  }
}

void PrintRecordingOverhead(const ScratchDirectories& directories) {
  // Blocks of ticks off and on in turns, each tick timed on its own, the medians compared: a
  // shared machine's load then weighs on both alike. The block is taken and given back between
  // blocks, untimed, as a load that turns recording on or off does, and a few ticks run untimed
  // after: touching the whole block once leaves the caches cold.
  constexpr int kBlocks = 40;
  constexpr int kTicksPerBlock = 100;
  constexpr int kWarmUpTicks = 20;
  directories.EnterWithoutIni();
  BuildCrowd(64);
  std::vector<double> off, on;
  using Clock = std::chrono::steady_clock;
  for (int block = 0; block < 2 * kBlocks; ++block) {
    const bool recording = block % 2 == 1;
    SetRecording(recording);
    std::vector<double>& samples = recording ? on : off;
    for (int tick = 0; tick < kWarmUpTicks; ++tick) {
      scuffler::RunTick();
      sim::TakeCalls();
    }
    for (int tick = 0; tick < kTicksPerBlock; ++tick) {
      const Clock::time_point start = Clock::now();
      scuffler::RunTick();
      samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
      sim::TakeCalls();
    }
  }
  SetRecording(false);
  const auto median = [](std::vector<double>& samples) {
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
  };
  const double offTime = median(off);
  const double onTime = median(on);
  const double overhead = onTime / offTime - 1;
  std::printf(
      "\nRecording, 64 peds, in turns, %d ticks each, median per tick: off %.1f us, on %.1f us\n"
      "Recording overhead: %+.1f%% (budget %.0f%%: %s)\n",
      kBlocks * kTicksPerBlock, offTime, onTime, 100 * overhead, 100 * kRecordingBudget,
      overhead <= kRecordingBudget ? "within" : "OVER");
}

}  // namespace bench
