// Recording through the real loader and the real file system: the real Scuffler.asi plays the
// sandbox scenario recorded-session.json (the one the native replay test also runs live), and
// its Scroll Lock release writes Scuffler-recording-1.bin into the game folder. That file must
// equal the committed recorded-session.bin in everything but the clock, which here is the
// machine's; the native suite replays the committed file. A rider, then a ragdolled ped, then a
// move are recorded for the native replay to explain. With the shipped settings file no release
// writes anything. Recordings of a crowded town and of ever-new peds are left in the game
// folder for the native replay.
//
//   RecordingTest [--write-golden PATH]   also copies the fresh recording to PATH
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "GameFolder.h"
#include "Harness.h"
#include "Scenario.h"
#include "record/RecordingFormat.h"
#include "record/RecordingReader.h"

// The sandbox's scenario reader asks the simulated hook which natives take answers; here the
// hook is the substitute DLL, which answers through its host functions.
namespace sim {
bool TakesAnswers(std::uint64_t hash) { return SimHostTakesAnswers(hash) != 0; }
std::int32_t PassingAnswer(std::uint64_t hash) { return SimHostPassingAnswer(hash); }
}  // namespace sim

namespace {

using namespace wintest;
namespace rec = scuffler::recording;

std::string gWriteGolden;

std::string ReadInGameFolder(const wchar_t* relative) {
  std::ifstream file(InGameFolder(relative).c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The recordings in the game folder, by name.
std::vector<std::string> Recordings() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA("Scuffler-recording-*", &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.emplace_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

void RemoveRecordings() {
  for (const std::string& name : Recordings()) DeleteFileA(name.c_str());
}

void SetAnswers(std::int32_t ped, const std::vector<sandbox::NativeAnswer>& answers) {
  for (const sandbox::NativeAnswer& answer : answers) {
    if (answer.value) SimHostSetPedAnswer(ped, answer.hash, *answer.value);
  }
}

// One change of the scenario, as the sandbox makes it, but on the substitute hook and with the
// machine's clock: keys land just before the tick that follows, well inside its window.
void Apply(const sandbox::Event& event) {
  if (const auto* key = std::get_if<sandbox::KeyEvent>(&event.change)) {
    if (key->motion == sandbox::KeyMotion::Press) SimHostSendKey(key->key, 0, 0);
    if (key->motion == sandbox::KeyMotion::Release) SimHostSendKey(key->key, 1, 1);
    if (key->motion == sandbox::KeyMotion::Tap) TapKey(key->key);
  } else if (const auto* ped = std::get_if<sandbox::PedChange>(&event.change)) {
    CHECK(!ped->listed);  // the substitute lists every ped it is given
    if (ped->position)
      SimHostAddPed(ped->handle, ped->position->x, ped->position->y, ped->position->z);
    SetAnswers(ped->handle, ped->answers);
  } else if (const auto* engaged = std::get_if<sandbox::EngagedChange>(&event.change)) {
    SimHostSetEngaged(engaged->ped);
  } else if (const auto* answers = std::get_if<sandbox::WorldAnswers>(&event.change)) {
    for (const sandbox::NativeAnswer& answer : answers->answers) {
      if (answer.value) {
        SimHostSetAnswer(answer.hash, *answer.value);
      } else {
        SimHostClearAnswer(answer.hash);
      }
    }
  } else if (const auto* ini = std::get_if<sandbox::IniChange>(&event.change)) {
    if (ini->text) {
      WriteFile(L"Scuffler.ini", *ini->text);
    } else {
      RemoveFile(L"Scuffler.ini");
    }
  }
}

// Plays the scenario; false when a tick ran so late after its key events that a release may have
// fallen out of the 100 ms window (a stalled machine), so the run says nothing.
bool Play(const sandbox::Scenario& scenario) {
  // What the game's clock and the plug-in's start give here cannot be set.
  CHECK(scenario.tickClocks.empty() && !scenario.settings && scenario.firstTick == 1);
  SimHostReset();
  SimHostSetPlayer(scenario.player.handle, scenario.player.position.x, scenario.player.position.y,
                   scenario.player.position.z);
  SetAnswers(scenario.player.handle, scenario.player.answers);
  for (const sandbox::PedSpec& ped : scenario.peds) {
    CHECK(ped.listed);
    SimHostAddPed(ped.handle, ped.position.x, ped.position.y, ped.position.z);
    SetAnswers(ped.handle, ped.answers);
  }
  HMODULE plugin = LoadPlugin();
  CHECK(plugin != nullptr);
  if (plugin == nullptr) return true;
  bool inWindow = true;
  auto event = scenario.events.begin();
  for (int tick = 1; tick <= scenario.ticks; ++tick) {
    const DWORD before = GetTickCount();
    bool keys = false;
    for (; event != scenario.events.end() && event->tick == tick; ++event) {
      keys = keys || std::holds_alternative<sandbox::KeyEvent>(event->change);
      Apply(*event);
    }
    CHECK_EQ(SimHostRunScriptTicks(1), 1);
    // Only a tick with a key matters: the first, which takes the recorder's block, may be slow.
    inWindow = inWindow && (!keys || GetTickCount() - before < kReleaseWindowMs);
  }
  FreeLibrary(plugin);
  RemoveFile(L"Scuffler.ini");
  return inWindow;
}

// Everything a replay reads, the clocks aside, as text: equal texts, equal recordings.
std::string WithoutClocks(const rec::Recording& recording) {
  std::ostringstream out;
  out << "format " << recording.formatVersion << ", Scuffler " << recording.pluginVersion
      << ", first tick " << recording.firstTick << ", seconds " << recording.seconds << ", base "
      << recording.baseKnown << " [" << recording.baseBytes << "], " << recording.ticks.size()
      << " ticks\n";
  for (std::size_t tick = 0; tick < recording.ticks.size(); ++tick) {
    for (const rec::RecordedEvent& event : rec::TickEvents(recording, tick)) {
      out << tick << ": " << static_cast<int>(event.kind) << " " << event.hash;
      for (const std::uint64_t arg : event.args) out << " " << arg;
      out << " [" << event.text << "] " << event.result[0] << " " << event.result[1] << " "
          << event.result[2] << " " << event.reported;
      for (const std::int32_t ped : event.peds) out << " " << ped;
      out << " key " << event.key << " " << event.released << " file "
          << static_cast<int>(event.file) << " [" << event.bytes << "]";
      unsigned char settings[rec::kLargestSettingsRecord];
      const unsigned char* const end = rec::PutSettings(settings, event.settings);
      for (const unsigned char* at = settings; at != end; ++at) out << " " << int{*at};
      out << "\n";
    }
  }
  return out.str();
}

// Plays the scenario file `name` of the game folder until no release fell out of its window, and
// returns the one recording it saved; "" when there is none.
std::string RecordScenario(const wchar_t* name) {
  RemoveRecordings();
  const std::wstring wide(name);
  const sandbox::ParsedScenario parsed =
      sandbox::ParseScenario(ReadInGameFolder(name), std::string(wide.begin(), wide.end()));
  CHECK_EQ(parsed.error, "");
  if (!parsed.scenario) return "";
  bool inWindow = false;
  for (int attempt = 0; attempt < 5 && !inWindow; ++attempt) {
    RemoveRecordings();
    inWindow = Play(*parsed.scenario);
  }
  CHECK(inWindow);
  CHECK(Recordings() == std::vector<std::string>{"Scuffler-recording-1.bin"});
  const std::string fresh = ReadInGameFolder(L"Scuffler-recording-1.bin");
  RemoveRecordings();
  return fresh;
}

void ReleasingTheSaveKeyWritesTheRecordingOfTheScenario() {
  const std::string fresh = RecordScenario(L"recorded-session.json");
  if (!gWriteGolden.empty()) {
    std::ofstream(gWriteGolden, std::ios::binary) << fresh;
  }
  rec::ReadRecording made = rec::ParseRecording(fresh);
  rec::ReadRecording golden = rec::ParseRecording(ReadInGameFolder(L"recorded-session.bin"));
  CHECK_EQ(made.error, "");
  CHECK_EQ(golden.error, "");
  if (!made.recording || !golden.recording) return;
  CHECK_EQ(made.recording->ticks.size(), 9u);  // ticks 2 to 10
  CHECK(WithoutClocks(*made.recording) == WithoutClocks(*golden.recording));
}

// "G does nothing", twice, then a move: left in the game folder for the native replay
// (windows.replay_wine_recordings), which must name why each release started nothing.
void ARiderThenARagdolledPedAreRecordedForTheReplay() {
  const std::string fresh = RecordScenario(L"rider-then-ragdoll.json");
  const rec::ReadRecording read = rec::ParseRecording(fresh);
  CHECK_EQ(read.error, "");
  std::ofstream("rider-then-ragdoll.bin", std::ios::binary) << fresh;
}

void WithTheShippedSettingsNoReleaseWritesAFile() {
  RemoveRecordings();
  StandardWorld();
  WriteFile(L"Scuffler.ini", ReadInGameFolder(L"shipped\\Scuffler.ini"));
  HMODULE plugin = LoadPlugin();
  CHECK(plugin != nullptr);
  if (plugin == nullptr) return;
  for (int tick = 0; tick < 3; ++tick) {
    TapKey(145);
    CHECK_EQ(SimHostRunScriptTicks(1), 1);
  }
  FreeLibrary(plugin);
  RemoveFile(L"Scuffler.ini");
  CHECK(Recordings().empty());
}

// Saves what the plug-in kept after `ticks` ticks, each begun by `change(tick)`, into `name` in
// the game folder, for the native suite's replay; checks that it reads here too.
void RecordBusyTicks(int ticks, void (*change)(int tick), const char* name) {
  RemoveRecordings();
  WriteFile(L"Scuffler.ini", "[Scuffler]\niRecordSeconds = 60\n");
  HMODULE plugin = LoadPlugin();
  CHECK(plugin != nullptr);
  if (plugin == nullptr) return;
  CHECK_EQ(SimHostRunScriptTicks(1), 1);  // the load that turns recording on
  for (int tick = 1; tick <= ticks; ++tick) {
    change(tick);
    if (tick == ticks) TapKey(145);
    CHECK_EQ(SimHostRunScriptTicks(1), 1);
    SimHostClearCalls();
    SimHostClearActions();
  }
  FreeLibrary(plugin);
  RemoveFile(L"Scuffler.ini");
  CHECK(Recordings() == std::vector<std::string>{"Scuffler-recording-1.bin"});
  const std::string saved = ReadInGameFolder(L"Scuffler-recording-1.bin");
  const rec::ReadRecording read = rec::ParseRecording(saved);
  CHECK_EQ(read.error, "");
  if (read.recording) CHECK_EQ(read.recording->ticks.size(), static_cast<std::size_t>(ticks));
  std::ofstream(name, std::ios::binary) << saved;
  RemoveRecordings();
}

constexpr int kCrowd = 1500;
constexpr int kNewPedsPerTick = 1023;

void ReportTheWholeCrowd(int /*tick*/) {}

// Each tick, 1,023 peds the last tick never saw, and the last tick's gone.
void BringNewPeds(int tick) {
  const std::int32_t first = 1000 + tick * kNewPedsPerTick;
  for (int i = 0; i < kNewPedsPerTick; ++i) SimHostRemovePed(first - kNewPedsPerTick + i);
  for (int i = 0; i < kNewPedsPerTick; ++i) {
    SimHostAddPed(first + i, static_cast<float>(i % 9), static_cast<float>(i % 7), 0);
  }
}

// A town that reports 1,500 peds (more than the plug-in's buffer reads), and 240 ticks of ever-new
// peds: both saved whole, for bench and the native replay (windows.replay_wine_recordings).
void BusyWorldsAreSavedWhole() {
  SimHostReset();
  SimHostSetPlayer(1, 0, 0, 0);
  for (int i = 0; i < kCrowd; ++i) {
    SimHostAddPed(2 + i, static_cast<float>(i % 9), static_cast<float>(i % 5), 0);
  }
  SimHostSetReportedPedCount(kCrowd);
  RecordBusyTicks(3, &ReportTheWholeCrowd, "busy-town.bin");
  SimHostReset();
  SimHostSetPlayer(1, 0, 0, 0);
  RecordBusyTicks(240, &BringNewPeds, "ever-new-peds.bin");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-golden") == 0) gWriteGolden = argv[2];
  EnterGameFolder();
  Run("ReleasingTheSaveKeyWritesTheRecordingOfTheScenario",
      &ReleasingTheSaveKeyWritesTheRecordingOfTheScenario);
  Run("ARiderThenARagdolledPedAreRecordedForTheReplay",
      &ARiderThenARagdolledPedAreRecordedForTheReplay);
  Run("WithTheShippedSettingsNoReleaseWritesAFile", &WithTheShippedSettingsNoReleaseWritesAFile);
  Run("BusyWorldsAreSavedWhole", &BusyWorldsAreSavedWhole);
  return Finish();
}
