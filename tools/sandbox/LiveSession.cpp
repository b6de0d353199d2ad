#include "Session.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Observe.h"
#include "RecordRun.h"
#include "World.h"
#include "input/KeyStateTable.h"
#include "melee/PedChecks.h"
#include "melee/TickState.h"
#include "plugin/DllMain.h"
#include "record/Recorder.h"

namespace sandbox {
namespace {

constexpr const char* kIniFile = "Scuffler.ini";

// An answer's calls in turn: the earlier ones, then the one that holds.
std::vector<std::int32_t> InTurn(const NativeAnswer& answer) {
  std::vector<std::int32_t> values = answer.earlier;
  values.push_back(*answer.value);
  return values;
}

void SetPedAnswers(std::int32_t handle, const std::vector<NativeAnswer>& answers) {
  for (const NativeAnswer& answer : answers) {
    if (answer.value) sim::SetPedAnswers(handle, answer.hash, InTurn(answer));
  }
}

void PlacePed(World& world, const PedSpec& ped) {
  FindOrAdd(world, {ped.handle, ped.position, ped.listed, true});
  sim::AddPed(ped.handle, ped.position, ped.listed);
  SetPedAnswers(ped.handle, ped.answers);
}

// `text`, then comment lines up to `size` bytes in all.
std::string Padded(std::string text, std::size_t size) {
  if (text.size() >= size) return text;
  if (!text.empty() && text.back() != '\n') text += '\n';
  constexpr std::size_t kLine = 64;
  while (text.size() < size) {
    const std::size_t line = std::min(kLine, size - text.size());
    text += line == 1 ? "\n" : ";" + std::string(line - 2, ' ') + "\n";
  }
  return text;
}

void WriteIni(const IniChange& change) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::remove_all(kIniFile, error);
  // Deleting a file that is not there is no change; anything else is a real failure.
  if (error || fs::exists(kIniFile, error)) throw std::runtime_error("cannot delete Scuffler.ini");
  if (change.unreadable) {
    // A folder of the name opens as the file does, and then cannot be read.
    if (!fs::create_directory(kIniFile, error)) {
      throw std::runtime_error("cannot make an unreadable Scuffler.ini");
    }
    return;
  }
  if (!change.text) return;
  std::ofstream file(kIniFile, std::ios::binary | std::ios::trunc);
  file << Padded(*change.text, change.paddedTo);
  if (!file.flush()) throw std::runtime_error("cannot write Scuffler.ini");
}

// Applies one change to the simulated world; returns its trace line, or "" for changes the
// plug-in's own lines will show.
std::string Apply(const Event& event, World& world) {
  if (const auto* key = std::get_if<KeyEvent>(&event.change)) {
    if (key->motion == KeyMotion::Press) sim::SendKey(key->key, false, false);
    if (key->motion == KeyMotion::Release) sim::SendKey(key->key, true, true);
    if (key->motion == KeyMotion::Tap) sim::TapKey(key->key);
    return DescribeKey(*key, event.ms);
  }
  if (const auto* change = std::get_if<PedChange>(&event.change)) {
    WorldPed& ped = *Find(world, change->handle);
    if (change->position) ped.position = *change->position;
    if (change->listed) ped.listed = *change->listed;
    sim::AddPed(ped.handle, ped.position, ped.listed);
    SetPedAnswers(ped.handle, change->answers);
    return DescribePedChange(*change);
  }
  if (const auto* engaged = std::get_if<EngagedChange>(&event.change)) {
    sim::SetEngaged(engaged->ped);
    return "";
  }
  if (const auto* answers = std::get_if<WorldAnswers>(&event.change)) {
    for (const NativeAnswer& answer : answers->answers) {
      if (answer.value) {
        sim::SetAnswers(answer.hash, InTurn(answer));
      } else {
        sim::ClearAnswer(answer.hash);
      }
    }
    return DescribeWorldAnswers(*answers);
  }
  const auto& ini = std::get<IniChange>(event.change);
  WriteIni(ini);
  return DescribeIniChange(ini);
}

std::vector<std::uint32_t> Unique(std::vector<std::uint32_t> keys) {
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

// Why a release made for this tick is still waiting in its slot after the tick, if it is.
std::optional<std::string> UnusedRelease(std::uint32_t key) {
  const scuffler::KeyState& slot = scuffler::gKeyStateTable[key];
  if (slot.releasedFlag.load() == 0) return std::nullopt;
  bool bound = false;
  for (const scuffler::MeleeAction& row : scuffler::kMeleeActions) {
    bound = bound || scuffler::gSettings.*row.keyCode == static_cast<std::int32_t>(key);
  }
  return DescribeUnusedRelease(static_cast<std::int32_t>(key), bound,
                               sim::Time() - slot.stampTime.load());
}

// The settings file's bytes; none when it is missing or cannot be read (a folder of its name).
std::optional<std::string> ReadIni() {
  std::error_code error;
  if (!std::filesystem::is_regular_file(kIniFile, error)) return std::nullopt;
  std::ifstream file(kIniFile, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// --record, before a tick whose settings file is new (the first, or one the scenario wrote): sets
// iRecordSeconds as a player would before recording when the file leaves recording off. A file
// deleted since changes nothing, as the plug-in keeps its Settings then.
std::optional<std::string> TurnRecordingOn(int tick) {
  const std::optional<std::string> text = ReadIni();
  if ((tick != 1 && !text) || TurnsRecordingOn(text)) return std::nullopt;
  WriteIni(IniChange{WithRecordingOn(text)});
  return "Scuffler.ini leaves recording off: --record sets iRecordSeconds = " +
         std::to_string(kRecordSecondsAdded) + " in the run's copy, as a player would";
}

// The session's own sink while --record saves at the last tick: passes the save on and notes it.
struct LastSave {
  const RecordRequest* request = nullptr;
  bool offered = false;
  bool kept = false;
};

bool PassOn(const scuffler::ByteRun* runs, std::size_t count, void* context) {
  LastSave& save = *static_cast<LastSave*>(context);
  save.offered = true;
  save.kept = save.request->sink.save(runs, count, save.request->sink.context);
  return save.kept;
}

MapView LastTick(int tick, const World& world, std::int32_t playerHandle) {
  MapView view;
  view.tick = tick;
  view.player = playerHandle;
  view.target = scuffler::gTickState.targetPed;
  view.engaged = scuffler::gTickState.engagedPed;
  view.maxDistance = scuffler::gSettings.MAX_DISTANCE;
  for (const WorldPed& ped : world.peds) {
    if (ped.handle == playerHandle) {
      view.playerPosition = ped.position;
      continue;
    }
    // Asked of the plug-in itself, in the world of the last tick.
    const std::size_t failed = scuffler::FirstFailingEligibilityCheck(ped.handle);
    const bool eligible = failed == scuffler::kEligibilityCheckCount;
    view.peds.push_back(
        {ped.handle, ped.position, ped.listed, eligible,
         eligible ? "" : scuffler::FindNative(scuffler::kEligibilityChecks[failed].hash)->name});
  }
  sim::TakeCalls();
  return view;
}

}  // namespace

bool WritesIni(const Scenario& scenario) {
  return std::any_of(scenario.events.begin(), scenario.events.end(), [](const Event& event) {
    return std::holds_alternative<IniChange>(event.change);
  });
}

SessionResult RunSession(const Scenario& scenario, std::ostream& trace, const RecordRequest* record,
                         int until, bool peds) {
  // --until and the trace count ticks as the scenario numbers them.
  const int offset = scenario.firstTick - 1;
  if (until > 0 && until <= offset) {
    throw std::runtime_error("--until " + std::to_string(until) +
                             " is before the scenario's first tick, " +
                             std::to_string(scenario.firstTick));
  }
  if (until > 0) until -= offset;
  const int last = until > 0 && until < scenario.ticks ? until : scenario.ticks;
  sim::Reset();
  World world;
  sim::SetPlayer(scenario.player.handle, scenario.player.position);
  PlacePed(world, scenario.player);
  for (const PedSpec& ped : scenario.peds) PlacePed(world, ped);

  trace << Header(scenario);
  // As in the game, but a save writes no file (with --record, but the last tick's).
  scuffler::SetRecordingSink(scuffler::kDiscardingSink);
  LastSave lastSave{record};
  SessionResult result;
  result.totals.ticks = last;
  if (last < scenario.ticks) result.totals.stoppedAfter = last + offset;
  result.totals.tickMs = scenario.tickMs;
  if (!scenario.tickClocks.empty()) {
    result.totals.spanMs = static_cast<int>(TickClock(scenario, last) - TickClock(scenario, 1));
  }
  DllMain(kModule, 1, nullptr);
  if (scenario.settings) scuffler::gSettings = *scenario.settings;

  // The game's clock wraps like the real one.
  const auto clock = [&scenario](int tick, int ms) {
    return TickClock(scenario, tick) + static_cast<std::uint32_t>(ms);
  };
  auto event = scenario.events.begin();
  for (int tick = 1; tick <= last; ++tick) {
    std::vector<std::string> lines;
    std::vector<std::uint32_t> releasedKeys;
    bool iniWritten = false;
    for (; event != scenario.events.end() && event->tick == tick; ++event) {
      if (const auto* key = std::get_if<KeyEvent>(&event->change);
          key != nullptr && key->motion != KeyMotion::Press) {
        releasedKeys.push_back(key->key);
      }
      iniWritten = iniWritten || std::holds_alternative<IniChange>(event->change);
      sim::SetTime(clock(tick - 1, event->ms));
      const std::string line = Apply(*event, world);
      if (!line.empty()) lines.push_back(line);
    }
    sim::SetTime(clock(tick, 0));
    if (record != nullptr && (tick == 1 || iniWritten)) {
      if (const std::optional<std::string> line = TurnRecordingOn(tick)) lines.push_back(*line);
    }
    if (record != nullptr && tick == last) {
      // The game's way to save: the save key let go, here just before the last tick. The key is
      // the one the settings held after the tick before.
      const KeyEvent save{KeyMotion::Tap,
                          static_cast<std::uint32_t>(scuffler::gSettings.iSaveRecordingKey)};
      sim::TapKey(save.key);
      releasedKeys.push_back(save.key);
      lines.push_back(DescribeKey(save, 0) + " (--record)");
      scuffler::SetRecordingSink({&PassOn, &lastSave});
    }

    const scuffler::Settings settingsBefore = scuffler::gSettings;
    const scuffler::TickState stateBefore = scuffler::gTickState;
    const KeySlotsBefore slotsBefore = PendingReleases();
    sim::TakeCalls();
    sim::TakeActions();
    if (!sim::RunScriptTicks(1)) throw std::runtime_error("the plug-in's script stopped running");
    for (std::string& line : Observe(tick == 1 ? nullptr : &settingsBefore, stateBefore,
                                     slotsBefore, world, result.totals, &AskWhyNoOne, &world)) {
      lines.push_back(std::move(line));
    }
    if (lastSave.offered) {
      // The save the game would write, written: said in place of the line that says none is.
      const std::string none = DescribeSaveKey(scuffler::gSettings.iSaveRecordingKey);
      std::replace(lines.begin(), lines.end(), none,
                   DescribeSaveKeyWritten(scuffler::gSettings.iSaveRecordingKey, record->name,
                                          lastSave.kept));
    }
    if (peds && !releasedKeys.empty()) {
      for (const ListedPed& ped : ListedPedsLive(world, scenario.player.handle)) {
        lines.push_back("listed " + DescribeListedPed(ped));
      }
    }
    for (const std::uint32_t key : Unique(releasedKeys)) {
      if (const std::optional<std::string> line = UnusedRelease(key)) lines.push_back(*line);
    }
    for (const std::string& line : lines) trace << TickPrefix(tick + offset) << line << '\n';
  }

  result.saveOffered = lastSave.offered;
  result.saveKept = lastSave.kept;
  result.lastTick = LastTick(last + offset, world, scenario.player.handle);
  DllMain(kModule, 0, nullptr);
  scuffler::StopRecording();
  scuffler::SetRecordingSink(scuffler::kFolderSink);
  if (WritesIni(scenario)) {
    std::error_code ignored;
    std::filesystem::remove_all(kIniFile, ignored);
  }
  trace << Summary(result.totals);
  return result;
}

}  // namespace sandbox
