#include "Session.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "hook/NativeHashes.h"
#include "input/KeyStateTable.h"
#include "melee/PedChecks.h"
#include "melee/TickState.h"
#include "melee/Triggers.h"
#include "plugin/DllMain.h"
#include "record/Recorder.h"

namespace sandbox {
namespace {

constexpr const char* kIniFile = "Scuffler.ini";

// Any nonzero value: the sim only compares module handles.
const HINSTANCE kModule = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x5C0F0000));

// The sandbox's own copy of where everyone stands, for distances and the map.
struct WorldPed {
  std::int32_t handle = 0;
  sim::Vec3 position;
  bool listed = true;
};

WorldPed* FindInWorld(std::vector<WorldPed>& world, std::int32_t handle) {
  const auto it = std::find_if(world.begin(), world.end(),
                               [handle](const WorldPed& ped) { return ped.handle == handle; });
  return it == world.end() ? nullptr : &*it;
}

void SetPedAnswers(std::int32_t handle, const std::vector<NativeAnswer>& answers) {
  for (const NativeAnswer& answer : answers) {
    if (answer.value) sim::SetPedAnswer(handle, answer.hash, *answer.value);
  }
}

void PlacePed(std::vector<WorldPed>& world, const PedSpec& ped) {
  world.push_back({ped.handle, ped.position, ped.listed});
  sim::AddPed(ped.handle, ped.position, ped.listed);
  SetPedAnswers(ped.handle, ped.answers);
}

void WriteIni(const IniChange& change) {
  if (!change.text) {
    if (std::remove(kIniFile) != 0) {
      // Deleting a file that is not there is no change; anything else is a real failure.
      if (std::ifstream(kIniFile).good()) throw std::runtime_error("cannot delete Scuffler.ini");
    }
    return;
  }
  std::ofstream file(kIniFile, std::ios::binary | std::ios::trunc);
  file << *change.text;
  if (!file.flush()) throw std::runtime_error("cannot write Scuffler.ini");
}

// Applies one change to the simulated world; returns its trace line, or "" for changes the
// plug-in's own lines will show.
std::string Apply(const Event& event, std::vector<WorldPed>& world) {
  if (const auto* key = std::get_if<KeyEvent>(&event.change)) {
    if (key->motion == KeyMotion::Press) sim::SendKey(key->key, false, false);
    if (key->motion == KeyMotion::Release) sim::SendKey(key->key, true, true);
    if (key->motion == KeyMotion::Tap) sim::TapKey(key->key);
    return DescribeKey(*key, event.ms);
  }
  if (const auto* change = std::get_if<PedChange>(&event.change)) {
    WorldPed& ped = *FindInWorld(world, change->handle);
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
        sim::SetAnswer(answer.hash, *answer.value);
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

float DistanceTo(const std::vector<WorldPed>& world, std::int32_t from, std::int32_t to) {
  sim::Vec3 a;
  sim::Vec3 b;
  for (const WorldPed& ped : world) {
    if (ped.handle == from) a = ped.position;
    if (ped.handle == to) b = ped.position;
  }
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                   (a.z - b.z) * (a.z - b.z));
}

struct KeySlotsBefore {
  bool released[scuffler::kKeySlotCount] = {};
};

KeySlotsBefore PendingReleases() {
  KeySlotsBefore slots;
  for (std::uint32_t code = 0; code < scuffler::kKeySlotCount; ++code) {
    slots.released[code] = scuffler::gKeyStateTable[code].releasedFlag.load() != 0;
  }
  return slots;
}

bool SlotCleared(std::uint32_t code) {
  const scuffler::KeyState& slot = scuffler::gKeyStateTable[code];
  return slot.stampTime.load() == 0 && slot.altFlag.load() == 0 && slot.wasDownFlag.load() == 0 &&
         slot.releasedFlag.load() == 0;
}

// The recorded call of the native `hash`, or null.
const sim::Call* FindCall(const std::vector<sim::Call>& calls, std::uint64_t hash) {
  const auto it = std::find_if(calls.begin(), calls.end(), [hash](const sim::Call& call) {
    return call.op == sim::Op::Native && call.hash == hash;
  });
  return it == calls.end() ? nullptr : &*it;
}

// Which triggers fired in the tick, in the plug-in's own tick order: a key trigger fired when it
// is the first in that order bound to a key whose release, pending before the tick, the tick used
// up; the random trigger when the plug-in asked the game for its pick.
std::vector<TriggerOutcome> FiredTriggers(const KeySlotsBefore& before,
                                          const std::vector<sim::Call>& calls) {
  std::vector<TriggerOutcome> fired;
  bool taken[scuffler::kKeySlotCount] = {};
  for (const int trigger : scuffler::kTriggerOrder) {
    if (trigger == scuffler::kRandomTrigger) {
      if (const sim::Call* draw = FindCall(calls, scuffler::hash::kGetRandomIntInRange)) {
        const auto pick = static_cast<std::int32_t>(static_cast<std::uint32_t>(draw->result[0]));
        fired.push_back({trigger, 0, pick, 0, "", ""});
      }
      continue;
    }
    const std::int32_t key = scuffler::gSettings.*scuffler::kMeleeActions[trigger].keyCode;
    const auto code = static_cast<std::uint32_t>(key);
    if (code < scuffler::kKeySlotCount && before.released[code] && SlotCleared(code) &&
        !taken[code]) {
      taken[code] = true;
      fired.push_back({trigger, key, 0, 0, "", ""});
    }
  }
  return fired;
}

// Whether the save key's release, pending before the tick, was used up by the save key itself:
// the game would have written a recording there.
bool SavedByTheGame(const KeySlotsBefore& before, const std::vector<TriggerOutcome>& fired) {
  const auto code = static_cast<std::uint32_t>(scuffler::gSettings.iSaveRecordingKey);
  if (scuffler::gSettings.iRecordSeconds <= 0 || code >= scuffler::kKeySlotCount) return false;
  const bool takenByAMove =
      std::any_of(fired.begin(), fired.end(), [code](const TriggerOutcome& o) {
        return o.row != scuffler::kRandomTrigger && static_cast<std::uint32_t>(o.key) == code;
      });
  return before.released[code] && SlotCleared(code) && !takenByAMove;
}

// The public name of the last native the plug-in asked since the call log was last taken: where a
// chain of checks that failed stopped.
std::string LastNativeAsked() {
  const std::vector<sim::Call> calls = sim::TakeCalls();
  for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
    if (call->op != sim::Op::Native) continue;
    const scuffler::NativeInfo* const native = scuffler::FindNative(call->hash);
    return native != nullptr ? native->name : "an unlisted native";
  }
  return "no native";
}

// Why the plug-in found no one to act on, in the world as the tick left it: its own checks asked
// again, each naming the native it stopped at. The player's readiness first, as neither ped is
// taken without it; then the target and the engaged ped, each asked alone.
std::string WhyNoOneToActOn() {
  scuffler::TickState& state = scuffler::gTickState;
  const scuffler::TickState tick = state;
  sim::TakeCalls();
  if (!scuffler::IsPlayerReady()) return "the player is not ready: " + LastNativeAsked();
  const auto askAlone = [&state](std::int32_t target, std::int32_t engaged) {
    state.targetPed = target;
    state.engagedPed = engaged;
    const bool taken = scuffler::ChooseActionTarget() != 0;
    const std::string stoppedAt = LastNativeAsked();
    return taken ? std::string("fit now") : stoppedAt;
  };
  std::string reason = tick.targetPed == 0 ? "no target"
                                           : "target ped " + std::to_string(tick.targetPed) + ": " +
                                                 askAlone(tick.targetPed, 0);
  reason += tick.engagedPed == 0 ? ", no engaged ped"
                                 : ", engaged ped " + std::to_string(tick.engagedPed) + ": " +
                                       askAlone(0, tick.engagedPed);
  state = tick;
  return reason;
}

const char* ActionOf(const TriggerOutcome& outcome) {
  if (outcome.row != scuffler::kRandomTrigger) return scuffler::kMeleeActions[outcome.row].name;
  if (outcome.pick < 0 || outcome.pick >= static_cast<std::int32_t>(kActionRows)) return nullptr;
  return scuffler::kMeleeActions[outcome.pick].name;
}

std::size_t RowOfAction(const std::string& name) {
  for (std::size_t row = 0; row < kActionRows; ++row) {
    if (name == scuffler::kMeleeActions[row].name) return row;
  }
  return kActionRows;
}

// What the plug-in did in the tick that just ran, as trace lines; counts actions into `totals`.
std::vector<std::string> Observe(const scuffler::Settings* settingsBefore,
                                 const scuffler::TickState& stateBefore,
                                 const KeySlotsBefore& slotsBefore,
                                 const std::vector<WorldPed>& world, RunTotals& totals,
                                 bool canAskAgain) {
  std::vector<std::string> lines;
  const scuffler::TickState& state = scuffler::gTickState;
  // The first tick shows every setting it loaded; later ones, what changed.
  if (settingsBefore == nullptr) {
    lines.push_back(DescribeAllSettings(scuffler::gSettings));
  } else if (auto line = DescribeSettings(*settingsBefore, scuffler::gSettings)) {
    lines.push_back(*line);
  }
  if (auto line = DescribeEngaged(stateBefore.engagedPed, state.engagedPed)) lines.push_back(*line);
  const float distance = DistanceTo(world, state.playerPed, state.targetPed);
  if (auto line = DescribeTarget(stateBefore.targetPed, state.targetPed, distance)) {
    lines.push_back(*line);
  }

  const std::vector<sim::StartedAction> actions = sim::TakeActions();
  std::size_t next = 0;
  // Each fired trigger started at most one action, in tick order; one whose action is not next
  // found no one to act on.
  const std::vector<TriggerOutcome> fired = FiredTriggers(slotsBefore, sim::TakeCalls());
  for (TriggerOutcome outcome : fired) {
    const char* action = ActionOf(outcome);
    if (action != nullptr && next < actions.size() &&
        sim::ActionName(actions[next].actionHash) == action) {
      outcome.target = actions[next].target;
      outcome.role = outcome.target == state.targetPed    ? "the target"
                     : outcome.target == state.engagedPed ? "the engaged ped"
                                                          : "neither target nor engaged";
      ++next;
    } else if (action != nullptr) {
      // A replay answers only the calls the recording holds: it cannot ask again.
      if (canAskAgain) outcome.reason = WhyNoOneToActOn();
      if (outcome.row != scuffler::kRandomTrigger) ++totals.releasesWithoutTarget;
    }
    lines.push_back(DescribeTrigger(outcome));
  }
  if (SavedByTheGame(slotsBefore, fired)) {
    lines.push_back(DescribeSaveKey(scuffler::gSettings.iSaveRecordingKey));
  }
  for (std::size_t i = next; i < actions.size(); ++i) {
    lines.push_back("started " + sim::ActionName(actions[i].actionHash) + " on ped " +
                    std::to_string(actions[i].target));
  }
  for (const sim::StartedAction& action : actions) {
    const std::size_t row = RowOfAction(sim::ActionName(action.actionHash));
    if (row < kActionRows) ++totals.started[row];
  }
  return lines;
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

MapView LastTick(int tick, const std::vector<WorldPed>& world, std::int32_t playerHandle) {
  MapView view;
  view.tick = tick;
  view.player = playerHandle;
  view.target = scuffler::gTickState.targetPed;
  view.engaged = scuffler::gTickState.engagedPed;
  view.maxDistance = scuffler::gSettings.MAX_DISTANCE;
  for (const WorldPed& ped : world) {
    if (ped.handle == playerHandle) {
      view.playerPosition = ped.position;
      continue;
    }
    // Asked of the plug-in itself, in the world of the last tick.
    view.peds.push_back(
        {ped.handle, ped.position, ped.listed, scuffler::IsEligibleTarget(ped.handle)});
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

SessionResult RunSession(const Scenario& scenario, std::ostream& trace) {
  sim::Reset();
  std::vector<WorldPed> world;
  sim::SetPlayer(scenario.player.handle, scenario.player.position);
  PlacePed(world, scenario.player);
  for (const PedSpec& ped : scenario.peds) PlacePed(world, ped);

  trace << Header(scenario);
  // As in the game, but a session keeps no recording and writes none.
  scuffler::SetRecorderMode(scuffler::RecorderMode::Sandbox);
  SessionResult result;
  result.totals.ticks = scenario.ticks;
  result.totals.tickMs = scenario.tickMs;
  DllMain(kModule, 1, nullptr);

  // Tick t runs at t tick lengths on the game's clock, which wraps like the real one.
  const auto clock = [&scenario](int tick, int ms) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(tick) *
                                          static_cast<std::uint64_t>(scenario.tickMs) +
                                      static_cast<std::uint64_t>(ms));
  };
  auto event = scenario.events.begin();
  for (int tick = 1; tick <= scenario.ticks; ++tick) {
    std::vector<std::string> lines;
    std::vector<std::uint32_t> releasedKeys;
    for (; event != scenario.events.end() && event->tick == tick; ++event) {
      if (const auto* key = std::get_if<KeyEvent>(&event->change);
          key != nullptr && key->motion != KeyMotion::Press) {
        releasedKeys.push_back(key->key);
      }
      sim::SetTime(clock(tick - 1, event->ms));
      const std::string line = Apply(*event, world);
      if (!line.empty()) lines.push_back(line);
    }
    sim::SetTime(clock(tick, 0));

    const scuffler::Settings settingsBefore = scuffler::gSettings;
    const scuffler::TickState stateBefore = scuffler::gTickState;
    const KeySlotsBefore slotsBefore = PendingReleases();
    sim::TakeCalls();
    sim::TakeActions();
    if (!sim::RunScriptTicks(1)) throw std::runtime_error("the plug-in's script stopped running");
    for (std::string& line : Observe(tick == 1 ? nullptr : &settingsBefore, stateBefore,
                                     slotsBefore, world, result.totals, true)) {
      lines.push_back(std::move(line));
    }
    for (const std::uint32_t key : Unique(releasedKeys)) {
      if (const std::optional<std::string> line = UnusedRelease(key)) lines.push_back(*line);
    }
    for (const std::string& line : lines) trace << TickPrefix(tick) << line << '\n';
  }

  result.lastTick = LastTick(scenario.ticks, world, scenario.player.handle);
  DllMain(kModule, 0, nullptr);
  if (WritesIni(scenario)) std::remove(kIniFile);
  trace << Summary(result.totals);
  return result;
}

}  // namespace sandbox

namespace sandbox {
namespace {

namespace rec = scuffler::recording;

// The first call that was not the recorded one.
struct Divergence {
  std::string what;
};

std::string Hex(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
  return text;
}

std::string SlotText(std::uint64_t hash, std::size_t index, std::uint64_t slot) {
  const bool isFloat =
      hash == scuffler::hash::kVdist2 ||
      (hash == scuffler::hash::kTaskPutPedDirectlyIntoMelee && (index == 3 || index == 4));
  if (isFloat) {
    const auto bits = static_cast<std::uint32_t>(slot);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return FormatNumber(value);
  }
  if (slot > 0xFFFFFFFFu) return Hex(slot);
  return std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(slot)));
}

// A native call by its public name, as a modder reads it: PED::IS_PED_RAGDOLL(1002).
std::string CallText(std::uint64_t hash, const std::vector<std::uint64_t>& args, int textArg,
                     const std::string& text) {
  const scuffler::NativeInfo* const native = scuffler::FindNative(hash);
  std::string out = native != nullptr ? std::string(native->space) + "::" + native->name
                                      : "the native " + Hex(hash);
  out += "(";
  for (std::size_t i = 0; i < args.size(); ++i) {
    out += (i == 0 ? "" : ", ");
    out += static_cast<int>(i) == textArg ? "\"" + text + "\"" : SlotText(hash, i, args[i]);
  }
  return out + ")";
}

std::string EventText(const rec::RecordedEvent& event) {
  switch (event.kind) {
    case rec::EventKind::Native:
      return CallText(event.hash, event.args, event.textArg, event.text);
    case rec::EventKind::Peds:
      return "worldGetAllPeds";
    case rec::EventKind::KeyTest:
      return "a test of key " + std::to_string(event.key);
    case rec::EventKind::SettingsFile:
      return "a read of Scuffler.ini";
    case rec::EventKind::Settings:
      break;
  }
  return "the settings after the load";
}

struct Replay {
  const rec::Recording* recording = nullptr;
  std::vector<rec::RecordedEvent> events;
  std::size_t next = 0;
  std::uint32_t tickNumber = 0;
  int callNumber = 0;
  std::vector<WorldPed> world;             // positions as the recording's answers gave them
  std::vector<std::int32_t> seenThisTick;  // peds whose positions the search asked
  std::vector<std::int32_t> placed;        // peds whose position any tick's answers gave

  [[noreturn]] void Diverge(const std::string& what) const {
    throw Divergence{"tick " + std::to_string(tickNumber) + ", call " + std::to_string(callNumber) +
                     ": " + what};
  }

  void CheckSettings(const scuffler::Settings& recorded) const {
    if (const auto line = DescribeSettings(recorded, scuffler::gSettings)) {
      Diverge("the settings after the load differ, as recorded -> here: " +
              line->substr(std::strlen("settings: ")));
    }
  }

  // The next call the recording holds, past the events the replay does not answer here (the
  // key tests, the file, the settings, which are checked as they pass); null when none is left.
  const rec::RecordedEvent* NextCall() {
    while (next < events.size()) {
      const rec::RecordedEvent& event = events[next];
      if (event.kind == rec::EventKind::Native || event.kind == rec::EventKind::Peds) {
        return &event;
      }
      if (event.kind == rec::EventKind::Settings) CheckSettings(event.settings);
      ++next;
    }
    return nullptr;
  }

  void Remember(std::int32_t ped, const std::uint64_t* result) {
    sim::Vec3 at;
    const auto part = [result](int i) {
      const auto bits = static_cast<std::uint32_t>(result[i]);
      float value;
      std::memcpy(&value, &bits, sizeof value);
      return value;
    };
    at = {part(0), part(1), part(2)};
    WorldPed* const known = FindInWorld(world, ped);
    if (known != nullptr) {
      known->position = at;
    } else {
      world.push_back({ped, at, false});
    }
    seenThisTick.push_back(ped);
    if (std::find(placed.begin(), placed.end(), ped) == placed.end()) placed.push_back(ped);
  }
};

void AnswerNative(const sim::Call& call, std::uint64_t* result, void* context) {
  Replay& replay = *static_cast<Replay*>(context);
  ++replay.callNumber;
  const rec::RecordedEvent* const event = replay.NextCall();
  const int textArg = call.hash == scuffler::hash::kGetHashKey ? 0 : -1;
  const std::string asked = CallText(call.hash, call.args, textArg, call.text);
  if (event == nullptr)
    replay.Diverge("the code asked " + asked + ", the recording has no more calls in this tick");
  bool same = event->kind == rec::EventKind::Native && event->hash == call.hash &&
              event->args.size() == call.args.size() && event->textArg == textArg;
  for (std::size_t i = 0; same && i < call.args.size(); ++i) {
    same =
        static_cast<int>(i) == textArg ? event->text == call.text : event->args[i] == call.args[i];
  }
  if (!same) replay.Diverge("the recording has " + EventText(*event) + ", the code asked " + asked);
  std::copy(std::begin(event->result), std::end(event->result), result);
  if (call.hash == scuffler::hash::kGetEntityCoords && !call.args.empty()) {
    replay.Remember(static_cast<std::int32_t>(static_cast<std::uint32_t>(call.args[0])), result);
  }
  ++replay.next;
}

int AnswerPeds(int* peds, int capacity, void* context) {
  Replay& replay = *static_cast<Replay*>(context);
  ++replay.callNumber;
  const rec::RecordedEvent* const event = replay.NextCall();
  if (event == nullptr || event->kind != rec::EventKind::Peds) {
    replay.Diverge(
        "the code asked worldGetAllPeds, the recording has " +
        (event != nullptr ? EventText(*event) : std::string("no more calls in this tick")));
  }
  const int room = peds != nullptr ? std::max(capacity, 0) : 0;
  for (int i = 0; i < std::min(room, static_cast<int>(event->peds.size())); ++i) {
    peds[i] = event->peds[static_cast<std::size_t>(i)];
  }
  for (WorldPed& ped : replay.world) ped.listed = false;
  for (const std::int32_t handle : event->peds) {
    if (WorldPed* const known = FindInWorld(replay.world, handle)) {
      known->listed = true;
    } else {
      replay.world.push_back({handle, {}, true});
    }
  }
  ++replay.next;
  return event->reported;
}

constexpr const char* kReplayIni = "Scuffler.ini";

// Makes Scuffler.ini in the working directory what the tick found: the bytes, none, or a folder
// (a file that opens but cannot be read).
void PlaceSettingsFile(const rec::RecordedEvent& file, std::string& current, Replay& replay) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  fs::remove_all(kReplayIni, ignored);
  switch (file.file) {
    case rec::FileState::Missing:
      return;
    case rec::FileState::Unreadable:
      fs::create_directory(kReplayIni, ignored);
      return;
    case rec::FileState::TooLarge:
      replay.Diverge(
          "the settings file held more than a recording keeps, so it cannot be replayed");
    case rec::FileState::Bytes:
      current = file.bytes;
      break;
    case rec::FileState::Same:
      break;
  }
  std::ofstream out(kReplayIni, std::ios::binary | std::ios::trunc);
  out << current;
  if (!out.flush()) throw std::runtime_error("cannot write Scuffler.ini in the private folder");
}

}  // namespace

ReplayResult RunReplay(const rec::Recording& recording, std::ostream& trace, TickFunction tick) {
  sim::Reset();
  scuffler::SetRecorderMode(scuffler::RecorderMode::Sandbox);
  Replay replay;
  replay.recording = &recording;
  const sim::Responder responder{&AnswerNative, &AnswerPeds, &replay};
  ReplayResult result;
  result.totals.ticks = static_cast<int>(recording.ticks.size());
  result.totals.spanMs = static_cast<int>(recording.spanMs);
  const std::size_t ticks = recording.ticks.size();
  trace << "recording of " << ticks << (ticks == 1 ? " tick" : " ticks") << " over "
        << recording.spanMs << " ms (iRecordSeconds " << recording.seconds << "), made by Scuffler "
        << recording.pluginVersion << "; its first tick is the plug-in's tick "
        << recording.firstTick << "\n";
  DllMain(kModule, 1, nullptr);  // the keyboard callback, for the recorded releases
  sim::SetResponder(&responder);
  // The plug-in as the first tick found it. A value its load did not convert kept the one from
  // before, which is what the load left: so the first tick's recorded Settings are exact.
  scuffler::gTickState = scuffler::TickState{};
  if (!recording.ticks.empty()) {
    for (const rec::RecordedEvent& event : rec::TickEvents(recording, 0)) {
      if (event.kind == rec::EventKind::Settings) {
        scuffler::gSettings = event.settings;
        break;
      }
    }
  }
  std::string current = recording.baseBytes;
  try {
    for (std::size_t index = 0; index < recording.ticks.size(); ++index) {
      replay.events = rec::TickEvents(recording, index);
      replay.next = 0;
      replay.callNumber = 0;
      replay.seenThisTick.clear();
      replay.tickNumber = recording.firstTick + static_cast<std::uint32_t>(index);
      for (const rec::RecordedEvent& event : replay.events) {
        if (event.kind == rec::EventKind::SettingsFile) {
          PlaceSettingsFile(event, current, replay);
          break;
        }
      }
      // The releases the tick's key tests found, delivered at its clock; no other key is held.
      sim::SetTime(recording.ticks[index].clock);
      for (scuffler::KeyState& slot : scuffler::gKeyStateTable) scuffler::ClearKeySlot(slot);
      for (const rec::RecordedEvent& event : replay.events) {
        if (event.kind == rec::EventKind::KeyTest && event.released) {
          sim::SendKey(static_cast<std::uint32_t>(event.key), true, true);
        }
      }
      const scuffler::Settings settingsBefore = scuffler::gSettings;
      const scuffler::TickState stateBefore = scuffler::gTickState;
      const KeySlotsBefore slotsBefore = PendingReleases();
      sim::TakeCalls();
      sim::TakeActions();
      tick();
      ++replay.callNumber;
      if (const rec::RecordedEvent* const left = replay.NextCall()) {
        replay.Diverge("the code made no more calls, the recording has " + EventText(*left));
      }
      for (const rec::RecordedEvent& event : replay.events) {
        const auto code = static_cast<std::uint32_t>(event.key);
        if (event.kind == rec::EventKind::KeyTest && event.released &&
            code < scuffler::kKeySlotCount && !SlotCleared(code)) {
          replay.Diverge("the recording has a release of " + std::to_string(event.key) +
                         " taken, the code never took it");
        }
      }
      for (const std::string& line : Observe(index == 0 ? nullptr : &settingsBefore, stateBefore,
                                             slotsBefore, replay.world, result.totals, false)) {
        trace << TickPrefix(static_cast<int>(replay.tickNumber)) << line << '\n';
      }
    }
  } catch (const Divergence& divergence) {
    result.matched = false;
    result.divergence = divergence.what;
  }
  sim::SetResponder(nullptr);
  DllMain(kModule, 0, nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(kReplayIni, ignored);
  // The map of the last tick replayed, from the positions the recording answered with; a ped
  // whose position no answer gave is left off rather than drawn where it may not stand.
  MapView& view = result.lastTick;
  view.tick = static_cast<int>(replay.tickNumber);
  view.player = scuffler::gTickState.playerPed;
  view.target = scuffler::gTickState.targetPed;
  view.engaged = scuffler::gTickState.engagedPed;
  view.maxDistance = scuffler::gSettings.MAX_DISTANCE;
  for (const WorldPed& ped : replay.world) {
    if (ped.handle == view.player) {
      view.playerPosition = ped.position;
      continue;
    }
    if (std::find(replay.placed.begin(), replay.placed.end(), ped.handle) == replay.placed.end()) {
      continue;
    }
    const bool searched = std::find(replay.seenThisTick.begin(), replay.seenThisTick.end(),
                                    ped.handle) != replay.seenThisTick.end();
    view.peds.push_back({ped.handle, ped.position, ped.listed, searched});
  }
  if (result.matched) trace << Summary(result.totals);
  return result;
}

}  // namespace sandbox
