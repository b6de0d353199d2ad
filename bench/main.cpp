// The benchmark program. Without arguments (or with Google Benchmark's own flags) it runs the
// benchmarks and prints the LoadSettings ratios; with --check it runs only the exact checks and
// exits non-zero when one fails; with --replay [MB] it times the replay of a recording of ever-new
// peds (64 MB unless told).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "Benchmarks.h"
#include "ScratchDirectories.h"

int main(int argc, char** argv) {
  const bench::ScratchDirectories directories;
  if (argc == 2 && std::strcmp(argv[1], "--check") == 0) {
    return bench::RunChecks(directories) == 0 ? 0 : 1;
  }
  if ((argc == 2 || argc == 3) && std::strcmp(argv[1], "--replay") == 0) {
    const std::size_t megabytes = argc == 3 ? std::strtoul(argv[2], nullptr, 10) : 64;
    return bench::RunReplayBenchmark(directories, megabytes);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::RegisterTickBenchmarks(directories);
  bench::RegisterSettingsBenchmarks(directories);
  benchmark::RunSpecifiedBenchmarks();
  bench::PrintSettingsRatios(directories);
  bench::PrintRecordingOverhead(directories);
  benchmark::Shutdown();
  return 0;
}
