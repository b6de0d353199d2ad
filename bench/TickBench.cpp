// One full tick through the simulated hook. It runs without a Scuffler.ini, so LoadSettings is one
// failed open alone and the figures are those of the search and the triggers; the
// settings benchmarks measure the file. The time includes the simulated hook's own work (it logs
// every native call), which is the larger share.
#include <benchmark/benchmark.h>

#include <string>

#include "Benchmarks.h"
#include "Crowd.h"
#include "SimHook.h"
#include "melee/ScriptLoop.h"

namespace bench {
namespace {

void Tick(benchmark::State& state, const ScratchDirectories& directories) {
  const int peds = static_cast<int>(state.range(0));
  directories.EnterWithoutIni();
  BuildCrowd(peds);
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
}

}  // namespace

void RegisterTickBenchmarks(const ScratchDirectories& directories) {
  benchmark::RegisterBenchmark("Tick", Tick, std::cref(directories))
      ->ArgName("peds")
      ->Arg(0)
      ->Arg(64)
      ->Arg(1024)
      ->Unit(benchmark::kMicrosecond);
}

}  // namespace bench
