// LoadSettings with the shipped settings file, and the two references it is judged against, all
// on the same copy of the shipped Scuffler.ini (CR LF line ends) in the same run: the floor (the
// file access any loader of this file must do) and libinih parsing the same file into a small map.
#include <benchmark/benchmark.h>
#include <ini.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "Benchmarks.h"
#include "ini/OrderedNameMap.h"
#include "platform/PlatformFile.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"

namespace bench {
namespace {

constexpr char kFileName[] = "Scuffler.ini";
constexpr std::uint64_t kKeysInDefaultFile = scuffler::kSettingCount;  // it names every setting
// The budgets: LoadSettings may cost this much more than the file access it cannot avoid, and
// must cost this much less than the reference parser.
constexpr double kBudgetOverFloor = 1.15;
constexpr double kBudgetOverInih = 0.8;

// What any loader of the file must do, with the file API the plug-in uses: one open, its size,
// one read of the whole file into a buffer kept from the last call, one close.
std::size_t OpenSizeReadClose() {
  static std::string bytes;
  scuffler::PlatformFile file = scuffler::OpenForReading(kFileName);
  if (!scuffler::IsOpen(file)) return 0;
  std::uint64_t size = 0;
  std::size_t got = 0;
  if (scuffler::QueryFileSize(file, size)) {
    bytes.resize(static_cast<std::size_t>(size));
    scuffler::ReadFileAt(file, 0, bytes.data(), bytes.size(), got);
  }
  scuffler::CloseFile(file);
  return got;
}

using Values = std::map<std::string, std::string>;

int StoreValue(void* user, const char* section, const char* name, const char* value) {
  (*static_cast<Values*>(user))[std::string(section) + '.' + name] = value;
  return 1;
}

std::size_t ParseWithInih(Values& values) {
  values.clear();
  return ini_parse(kFileName, StoreValue, &values) == 0 ? values.size() : 0;
}

std::uint64_t KeysLoaded() {
  const scuffler::IniSection* section = scuffler::FindValue(scuffler::SettingsDocument, "Scuffler");
  return section != nullptr ? scuffler::EntryCount(*section) : 0;
}

void LoadSettings(benchmark::State& state, const ScratchDirectories& directories) {
  directories.EnterWithDefaultIni();
  // The usual tick: the file has not changed since the last one read it.
  scuffler::LoadSettings();
  const std::uint64_t before = AllocationCount();
  scuffler::LoadSettings();
  const std::uint64_t allocations = AllocationCount() - before;
  if (KeysLoaded() != kKeysInDefaultFile) state.SkipWithError("Scuffler.ini did not load");
  for (auto _ : state) {
    scuffler::LoadSettings();
  }
  state.counters["allocs"] = static_cast<double>(allocations);
}

void Floor(benchmark::State& state, const ScratchDirectories& directories) {
  directories.EnterWithDefaultIni();
  if (OpenSizeReadClose() == 0) state.SkipWithError("Scuffler.ini did not read");
  for (auto _ : state) {
    benchmark::DoNotOptimize(OpenSizeReadClose());
  }
}

void Inih(benchmark::State& state, const ScratchDirectories& directories) {
  directories.EnterWithDefaultIni();
  Values values;
  if (ParseWithInih(values) != kKeysInDefaultFile) state.SkipWithError("ini_parse failed");
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseWithInih(values));
  }
}

// Median wall time of `samples`, in microseconds.
double MedianMicroseconds(std::vector<double>& samples) {
  const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
  std::nth_element(samples.begin(), middle, samples.end());
  return *middle;
}

}  // namespace

void RegisterSettingsBenchmarks(const ScratchDirectories& directories) {
  benchmark::RegisterBenchmark("LoadSettings", LoadSettings, std::cref(directories))
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Floor", Floor, std::cref(directories))
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Inih", Inih, std::cref(directories))->Unit(benchmark::kMicrosecond);
}

void PrintSettingsRatios(const ScratchDirectories& directories) {
  // The three run in turns, each call timed on its own, and the ratios are those of the medians:
  // a shared machine's load then weighs on all three alike, where back-to-back benchmarks would
  // each see a different moment.
  constexpr int kRounds = 3000;
  directories.EnterWithDefaultIni();
  Values values;
  std::vector<double> load, floor, inih;
  load.reserve(kRounds);
  floor.reserve(kRounds);
  inih.reserve(kRounds);
  using Clock = std::chrono::steady_clock;
  const auto time = [](std::vector<double>& samples, auto&& call) {
    const Clock::time_point start = Clock::now();
    call();
    samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  };
  for (int round = 0; round < kRounds; ++round) {
    time(floor, [] { benchmark::DoNotOptimize(OpenSizeReadClose()); });
    time(load, [] { scuffler::LoadSettings(); });
    time(inih, [&values] { benchmark::DoNotOptimize(ParseWithInih(values)); });
  }
  const double loadTime = MedianMicroseconds(load);
  const double floorTime = MedianMicroseconds(floor);
  const double inihTime = MedianMicroseconds(inih);
  std::printf(
      "\nIn turns, %d rounds, median per call: LoadSettings %.2f us, floor %.2f us, "
      "inih %.2f us\n",
      kRounds, loadTime, floorTime, inihTime);
  std::printf("LoadSettings / floor: %.2fx (budget %.2fx: %s)\n", loadTime / floorTime,
              kBudgetOverFloor, loadTime <= kBudgetOverFloor * floorTime ? "within" : "OVER");
  std::printf("LoadSettings / inih:  %.2fx (budget %.2fx: %s)\n", loadTime / inihTime,
              kBudgetOverInih, loadTime <= kBudgetOverInih * inihTime ? "within" : "OVER");
}

}  // namespace bench
