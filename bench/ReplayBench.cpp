// bench --replay [MB]: a recording in which every tick brings 1,023 new peds, made by the plug-in's
// own tick with recording on, read and replayed; prints how long both take against the budget of
// 10 s for a 64 MB file. The replay finds peds by index, so its time grows with the file's size.
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>

#include "Benchmarks.h"
#include "Replay.h"
#include "SimHook.h"
#include "input/KeyStateTable.h"
#include "melee/ScriptLoop.h"
#include "melee/TickState.h"
#include "record/Recorder.h"
#include "record/RecordingReader.h"
#include "settings/Settings.h"

namespace bench {
namespace {

constexpr int kNewPedsPerTick = 1023;
constexpr double kBudgetSeconds = 10;
constexpr double kBudgetMegabytes = 64;

// Keeps the one recording saved, in memory.
bool KeepInMemory(const scuffler::ByteRun* runs, std::size_t count, void* context) {
  std::string& saved = *static_cast<std::string*>(context);
  saved.clear();
  for (std::size_t i = 0; i < count; ++i) {
    saved.append(reinterpret_cast<const char*>(runs[i].bytes), runs[i].size);
  }
  return true;
}

// One tick among peds none of which the last tick saw.
void TickAmongNewPeds(int tick) {
  const std::int32_t first = 1000 + tick * kNewPedsPerTick;
  for (int i = 0; i < kNewPedsPerTick; ++i) sim::RemovePed(first - kNewPedsPerTick + i);
  for (int i = 0; i < kNewPedsPerTick; ++i) {
    sim::AddPed(first + i, {static_cast<float>(i % 9), static_cast<float>(i % 7), 0});
  }
  sim::AdvanceTime(16);
  scuffler::RunTick();
  sim::TakeCalls();
}

std::string Record(std::size_t megabytes) {
  sim::Reset();
  scuffler::StopRecording();
  scuffler::gSettings = scuffler::Settings{};
  scuffler::gSettings.iRecordSeconds = 60;
  scuffler::gTickState = scuffler::TickState{};
  sim::SetPlayer(1, {0, 0, 0});
  std::string saved;
  scuffler::SetRecordingSink({&KeepInMemory, &saved});
  // A few ticks saved once tell what a tick takes; then as many as the size asks, or the block
  // holds.
  int tick = 0;
  for (; tick < 4; ++tick) TickAmongNewPeds(tick);
  keyboardHandlerRegister(scuffler::RecordKeyMessage);
  sim::TapKey(145);
  TickAmongNewPeds(tick++);
  const std::size_t perTick = saved.size() / 5 + 1;
  const std::size_t ticks = std::min(megabytes << 20, scuffler::kRecorderBlockBytes) / perTick;
  while (static_cast<std::size_t>(tick) < ticks) TickAmongNewPeds(tick++);
  sim::TapKey(145);
  TickAmongNewPeds(tick);
  keyboardHandlerUnregister(scuffler::RecordKeyMessage);
  scuffler::StopRecording();
  scuffler::SetRecordingSink(scuffler::kFolderSink);
  return saved;
}

}  // namespace

int RunReplayBenchmark(const ScratchDirectories& directories, std::size_t megabytes) {
  directories.EnterWithoutIni();
  std::string file = Record(megabytes);
  const double size = static_cast<double>(file.size()) / (1 << 20);
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  scuffler::recording::ReadRecording read = scuffler::recording::ParseRecording(std::move(file));
  if (!read.recording) {
    std::printf("FAILED  the recording does not read: %s\n", read.error.c_str());
    return 1;
  }
  std::ostringstream trace;
  const sandbox::ReplayResult result =
      sandbox::RunReplay(*read.recording, trace, &scuffler::RunTick);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (!result.matched) {
    std::printf("FAILED  the replay diverged: %s\n", result.divergence.c_str());
    return 1;
  }
  const double at64 = seconds / size * kBudgetMegabytes;
  std::printf(
      "replay of %zu ticks with %d new peds each, %.1f MB: %.2f s to read and replay, %.1f MB/s; "
      "a %.0f MB file at this rate: %.1f s, %s the budget of %.0f s\n",
      read.recording->ticks.size(), kNewPedsPerTick, size, seconds, size / seconds,
      kBudgetMegabytes, at64, at64 <= kBudgetSeconds ? "within" : "OVER", kBudgetSeconds);
  return 0;
}

}  // namespace bench
