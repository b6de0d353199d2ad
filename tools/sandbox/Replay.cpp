#include "Replay.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>

#include "Observe.h"
#include "Slots.h"
#include "World.h"
#include "hook/NativeHashes.h"
#include "input/KeyStateTable.h"
#include "melee/PedChecks.h"
#include "melee/TickState.h"
#include "plugin/DllMain.h"
#include "record/Recorder.h"

namespace sandbox {
namespace {

namespace rec = scuffler::recording;

// The first call that was not the recorded one.
struct Divergence {
  std::string what;
};

// The 32 bits a check reads of the last answer the tick gave each native, by the ped it asked
// about (its first argument; 0 for a native asked of no ped), and of IS_PED_IN_COMBAT by the ped
// second in the pair. Indexed as the calls are answered: a tick of a crowded town asks thousands.
struct TickAnswers {
  std::unordered_map<std::uint64_t, std::unordered_map<std::int32_t, std::int32_t>> byPed;
  std::unordered_map<std::int32_t, std::int32_t> inCombatWith;

  void Clear() {
    for (auto& entry : byPed) entry.second.clear();
    inCombatWith.clear();
  }
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
  if (isFloat) return FormatNumber(FloatOf(slot));
  if (slot > 0xFFFFFFFFu) return Hex(slot);
  return std::to_string(Low32(slot));
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
  rec::TickReader reader;    // the tick's events not yet answered
  rec::RecordedEvent event;  // the next one, when `pending`
  bool pending = false;
  std::uint32_t tickNumber = 0;
  int callNumber = 0;
  World world;                             // positions as the recording's answers gave them
  std::vector<std::int32_t> listed;        // the peds the last ped list held
  std::vector<std::int32_t> seenThisTick;  // peds whose positions the search asked
  TickAnswers answered;                    // what the tick's native calls answered

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
    for (;; pending = false) {
      if (!pending && !rec::NextEvent(reader, event)) return nullptr;
      pending = true;
      if (event.kind == rec::EventKind::Native || event.kind == rec::EventKind::Peds) {
        return &event;
      }
      if (event.kind == rec::EventKind::Settings) CheckSettings(event.settings);
    }
  }

  // The call NextCall gave is answered.
  void Answered() { pending = false; }

  void Remember(std::int32_t ped, const std::uint64_t* result) {
    const sim::Vec3 at = PointOf(result);
    WorldPed& known = FindOrAdd(world, {ped, at, false, true});
    known.position = at;
    known.placed = true;
    seenThisTick.push_back(ped);
  }
};

void AnswerNative(const sim::Call& call, std::uint64_t* result, void* context) {
  Replay& replay = *static_cast<Replay*>(context);
  ++replay.callNumber;
  const rec::RecordedEvent* const event = replay.NextCall();
  const int textArg = call.hash == scuffler::hash::kGetHashKey ? 0 : -1;
  // Put into words only when it differs: most calls match, and a replay makes millions.
  const auto asked = [&call, textArg] {
    return CallText(call.hash, call.args, textArg, call.text);
  };
  if (event == nullptr)
    replay.Diverge("the code asked " + asked() + ", the recording has no more calls in this tick");
  bool same = event->kind == rec::EventKind::Native && event->hash == call.hash &&
              event->args.size() == call.args.size() && event->textArg == textArg;
  for (std::size_t i = 0; same && i < call.args.size(); ++i) {
    same =
        static_cast<int>(i) == textArg ? event->text == call.text : event->args[i] == call.args[i];
  }
  if (!same)
    replay.Diverge("the recording has " + EventText(*event) + ", the code asked " + asked());
  std::copy(std::begin(event->result), std::end(event->result), result);
  const std::int32_t answer = Low32(result[0]);
  replay.answered.byPed[call.hash][call.args.empty() ? 0 : Low32(call.args[0])] = answer;
  if (call.hash == scuffler::hash::kIsPedInCombat && call.args.size() == 2) {
    replay.answered.inCombatWith[Low32(call.args[1])] = answer;
  }
  if (call.hash == scuffler::hash::kGetEntityCoords && !call.args.empty()) {
    replay.Remember(Low32(call.args[0]), result);
  }
  replay.Answered();
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
  for (const std::int32_t handle : replay.listed) Find(replay.world, handle)->listed = false;
  replay.listed = event->peds;
  for (const std::int32_t handle : event->peds) {
    FindOrAdd(replay.world, {handle, {}, true, false}).listed = true;
  }
  const int reported = event->reported;
  replay.Answered();
  return reported;
}

// The answer the tick last gave to `check` asked of `ped`, or none when it never asked it.
std::optional<std::int32_t> LastAnswer(const TickAnswers& answers, const scuffler::PedCheck& check,
                                       std::int32_t ped) {
  const auto native = answers.byPed.find(check.hash);
  if (native == answers.byPed.end()) return std::nullopt;
  const auto answer =
      native->second.find(check.arguments == scuffler::CheckArguments::None ? 0 : ped);
  if (answer == native->second.end()) return std::nullopt;
  return answer->second;
}

std::string NameOf(std::uint64_t hash) {
  const scuffler::NativeInfo* const native = scuffler::FindNative(hash);
  return native != nullptr ? native->name : Hex(hash);
}

// The plug-in's checks of `ped`, read off the tick's answers in the plug-in's order: the first
// that an answer fails, or "" when none does. A check the tick never asked cannot be read: the
// walk goes past it, and a failure found later names those it passed ("X, though Y before it
// were not asked"); `unasked` says whether any was.
template <std::size_t N>
std::string FirstFailed(const TickAnswers& calls, const scuffler::PedCheck (&checks)[N],
                        std::int32_t ped, bool& unasked) {
  std::string notAsked;
  unasked = false;
  for (const scuffler::PedCheck& check : checks) {
    const std::optional<std::int32_t> answer = LastAnswer(calls, check, ped);
    if (!answer) {
      notAsked += (notAsked.empty() ? "" : ", ") + NameOf(check.hash);
      unasked = true;
    } else if (scuffler::Fails(check, *answer)) {
      return NameOf(check.hash) +
             (notAsked.empty() ? "" : ", though " + notAsked + " before it were not asked");
    }
  }
  return "";
}

// Every ped of the tick's ped list but the player, read through the plug-in's eligibility table
// from the tick's answers; its distance from the position the search asked, if it did.
std::vector<ListedPed> ListedPedsFromAnswers(const Replay& replay, std::int32_t player) {
  std::vector<ListedPed> peds;
  const std::unordered_set<std::int32_t> searched(replay.seenThisTick.begin(),
                                                  replay.seenThisTick.end());
  for (const std::int32_t handle : replay.listed) {
    if (handle == player) continue;
    bool unasked = false;
    std::string failed =
        FirstFailed(replay.answered, scuffler::kEligibilityChecks, handle, unasked);
    std::optional<float> distance;
    if (searched.count(handle) != 0) {
      distance = DistanceTo(replay.world, player, handle);
    }
    if (failed.empty()) failed = unasked ? kNotAsked : kEligible;
    peds.push_back({handle, failed, distance});
  }
  return peds;
}

// The replay's reason why no one was acted on, in the live run's words, from the answers the
// recording gave this tick rather than from asking again.
std::string WhyFromAnswers(void* context, bool targetOnly) {
  const Replay& replay = *static_cast<const Replay*>(context);
  const scuffler::TickState& state = scuffler::gTickState;
  bool playerUnasked = false;
  const std::string player =
      FirstFailed(replay.answered, scuffler::kReadinessChecks, state.playerPed, playerUnasked);
  if (!targetOnly && !player.empty()) return "the player is not ready: " + player;
  const auto ped = [&replay](std::int32_t handle, bool pair) {
    bool unasked = false;
    std::string failed =
        FirstFailed(replay.answered, scuffler::kEligibilityChecks, handle, unasked);
    if (failed.empty() && unasked) return std::string("no check failed, some were not asked");
    // The pair check, asked of the player with the target second: the target passes on 0.
    const auto inCombat = replay.answered.inCombatWith.find(handle);
    if (failed.empty() && pair && inCombat != replay.answered.inCombatWith.end() &&
        inCombat->second != 0) {
      failed = NameOf(scuffler::hash::kIsPedInCombat);
    }
    return failed.empty() ? std::string("fit now") : failed;
  };
  std::string reason =
      state.targetPed == 0
          ? DescribeNoTarget(ListedPedsFromAnswers(replay, state.playerPed))
          : "target ped " + std::to_string(state.targetPed) + ": " + ped(state.targetPed, true);
  if (targetOnly) return reason;
  reason += state.engagedPed == 0 ? ", no engaged ped"
                                  : ", engaged ped " + std::to_string(state.engagedPed) + ": " +
                                        ped(state.engagedPed, false);
  return reason;
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

ReplayResult RunReplay(const rec::Recording& recording, std::ostream& trace, TickFunction tick,
                       std::uint32_t until, bool peds) {
  sim::Reset();
  // As in the game, but a save writes no file.
  scuffler::SetRecordingSink(scuffler::kDiscardingSink);
  Replay replay;
  replay.recording = &recording;
  const sim::Responder responder{&AnswerNative, &AnswerPeds, &replay};
  ReplayResult result;
  result.totals.ticks = static_cast<int>(recording.ticks.size());
  result.totals.spanMs = static_cast<int>(recording.spanMs);
  const std::size_t ticks = recording.ticks.size();
  trace << "recording of " << ticks << (ticks == 1 ? " tick" : " ticks") << " over "
        << recording.spanMs << " ms (iRecordSeconds " << recording.seconds << "), made by Scuffler "
        << recording.pluginVersion << ", replayed by Scuffler " << scuffler::PluginVersion()
        << "; its first tick is the plug-in's tick " << recording.firstTick << "\n";
  // This version's code runs on answers another version was given.
  if (recording.pluginVersion != scuffler::PluginVersion()) {
    trace << "the versions differ: a difference in behaviour may come from that\n";
  }
  DllMain(kModule, 1, nullptr);  // the keyboard callback, for the recorded releases
  sim::SetResponder(&responder);
  // The plug-in as the first tick found it. A value its load did not convert kept the one from
  // before, which is what the load left: so the first tick's recorded Settings are exact.
  scuffler::gTickState = scuffler::TickState{};
  for (rec::TickReader first = rec::ReadTick(recording, 0); rec::NextEvent(first, replay.event);) {
    if (replay.event.kind == rec::EventKind::Settings) {
      scuffler::gSettings = replay.event.settings;
      break;
    }
  }
  std::string current = recording.baseBytes;
  std::size_t count = recording.ticks.size();
  if (until >= recording.firstTick && until - recording.firstTick + 1 < count) {
    count = until - recording.firstTick + 1;
    result.totals.ticks = static_cast<int>(count);
    result.totals.spanMs =
        static_cast<int>(recording.ticks[count - 1].clock - recording.ticks[0].clock);
    result.totals.stoppedAfter = static_cast<int>(until);
  }
  try {
    for (std::size_t index = 0; index < count; ++index) {
      replay.pending = false;
      replay.callNumber = 0;
      replay.seenThisTick.clear();
      replay.answered.Clear();
      replay.tickNumber = recording.firstTick + static_cast<std::uint32_t>(index);
      // The releases the tick's key tests found, delivered at its clock; no other key is held.
      sim::SetTime(recording.ticks[index].clock);
      for (scuffler::KeyState& slot : scuffler::gKeyStateTable) scuffler::ClearKeySlot(slot);
      std::vector<std::int32_t> released;
      bool filePlaced = false;
      for (replay.reader = rec::ReadTick(recording, index);
           rec::NextEvent(replay.reader, replay.event);) {
        const rec::RecordedEvent& event = replay.event;
        if (event.kind == rec::EventKind::SettingsFile && !filePlaced) {
          PlaceSettingsFile(event, current, replay);
          filePlaced = true;
        }
        if (event.kind == rec::EventKind::KeyTest && event.released) {
          sim::SendKey(static_cast<std::uint32_t>(event.key), true, true);
          released.push_back(event.key);
        }
      }
      replay.reader = rec::ReadTick(recording, index);
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
      for (const std::int32_t key : released) {
        const auto code = static_cast<std::uint32_t>(key);
        if (code < scuffler::kKeySlotCount && !SlotCleared(code)) {
          replay.Diverge("the recording has a release of " + std::to_string(key) +
                         " taken, the code never took it");
        }
      }
      for (const std::string& line :
           Observe(index == 0 ? nullptr : &settingsBefore, stateBefore, slotsBefore, replay.world,
                   result.totals, &WhyFromAnswers, &replay)) {
        trace << TickPrefix(static_cast<int>(replay.tickNumber)) << line << '\n';
      }
      if (peds && !released.empty()) {
        for (const ListedPed& ped : ListedPedsFromAnswers(replay, scuffler::gTickState.playerPed)) {
          trace << TickPrefix(static_cast<int>(replay.tickNumber)) << "listed "
                << DescribeListedPed(ped) << '\n';
        }
      }
    }
  } catch (const Divergence& divergence) {
    result.matched = false;
    result.divergence = divergence.what;
  }
  sim::SetResponder(nullptr);
  DllMain(kModule, 0, nullptr);
  scuffler::StopRecording();
  scuffler::SetRecordingSink(scuffler::kFolderSink);
  std::error_code ignored;
  std::filesystem::remove_all(kReplayIni, ignored);
  // The map of the last tick replayed, from the positions the recording answered with; a listed
  // ped whose position no answer gave is named below it rather than drawn where it may not stand.
  MapView& view = result.lastTick;
  view.tick = static_cast<int>(replay.tickNumber);
  view.player = scuffler::gTickState.playerPed;
  view.target = scuffler::gTickState.targetPed;
  view.engaged = scuffler::gTickState.engagedPed;
  view.maxDistance = scuffler::gSettings.MAX_DISTANCE;
  const std::unordered_set<std::int32_t> searched(replay.seenThisTick.begin(),
                                                  replay.seenThisTick.end());
  for (const WorldPed& ped : replay.world.peds) {
    if (ped.handle == view.player) {
      view.playerPosition = ped.position;
      continue;
    }
    if (!ped.placed && !ped.listed) continue;
    const bool eligible = searched.count(ped.handle) != 0;
    // A hollow ped's check, from the last tick's answers: "not asked" when they hold none.
    bool unasked = false;
    std::string failed =
        eligible ? ""
                 : FirstFailed(replay.answered, scuffler::kEligibilityChecks, ped.handle, unasked);
    if (!eligible && failed.empty()) failed = kNotAsked;
    (ped.placed ? view.peds : view.unplaced)
        .push_back({ped.handle, ped.position, ped.listed, eligible, failed});
  }
  if (result.matched) trace << Summary(result.totals);
  return result;
}

}  // namespace sandbox
