#include "ScenarioFromRecording.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <unordered_set>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "SimHook.h"
#include "Slots.h"
#include "hook/NativeHashes.h"
#include "input/KeyNames.h"
#include "melee/PedChecks.h"
#include "record/RecordingFormat.h"
#include "settings/SettingsTable.h"

namespace sandbox {
namespace {

namespace rec = scuffler::recording;
namespace hash = scuffler::hash;
using Json = nlohmann::ordered_json;

// A float as JSON: a number, or the text the settings file would hold for one that is not finite.
Json Number(float value) {
  if (std::isfinite(value)) {
    // The shortest decimal that reads back as the same float: 1.41, not 1.409999966621399.
    for (int digits = 1; digits <= 9; ++digits) {
      char text[32];
      std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
      const double shortest = std::strtod(text, nullptr);
      if (static_cast<float>(shortest) == value) return shortest;
    }
    return static_cast<double>(value);
  }
  return std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf";
}

Json Position(const sim::Vec3& at) {
  return Json::array({Number(at.x), Number(at.y), Number(at.z)});
}

bool SamePosition(const sim::Vec3& a, const sim::Vec3& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every setting as the scenario's "settings" take it.
Json SettingsJson(const scuffler::Settings& settings) {
  Json out = Json::object();
  for (const scuffler::SettingField& field : scuffler::kSettingFields) {
    switch (field.type) {
      case scuffler::SettingType::KeyCode:
        out[field.name] = settings.*field.keyCode;
        break;
      case scuffler::SettingType::Distance:
        out[field.name] = Number(settings.*field.distance);
        break;
      case scuffler::SettingType::Switch:
        out[field.name] = settings.*field.toggle;
        break;
      case scuffler::SettingType::Seconds:
        out[field.name] = settings.*field.seconds;
        break;
    }
  }
  return out;
}

// A settings file that gives exactly `settings`, for one whose bytes a recording did not keep.
Json SettingsLines(const scuffler::Settings& settings) {
  Json lines = Json::array({"[Scuffler]"});
  const Json values = SettingsJson(settings);
  for (const auto& [name, value] : values.items()) {
    lines.push_back(name + " = " + (value.is_string() ? value.get<std::string>() : value.dump()));
  }
  return lines;
}

// The answers one native gave within a tick, as the scenario writes them: one value, or the
// calls' answers in turn with the last one's repeats dropped (it holds after them anyway).
Json InTurn(std::vector<std::int32_t> values) {
  while (values.size() > 1 && values[values.size() - 2] == values.back()) values.pop_back();
  if (values.size() == 1) return values.front();
  return Json(values);
}

// Whether answering `values` in turn needs a new answer when `held` holds now.
bool Changes(const std::vector<std::int32_t>& values, std::int32_t held) {
  for (const std::int32_t value : values) {
    if (value != held) return true;
  }
  return false;
}

// Whether `native` is one of the plug-in's checks, whose answers the reasons for a release that
// found no one are read from.
bool IsCheck(std::uint64_t native) {
  const auto in = [native](const auto& table) {
    for (const scuffler::PedCheck& check : table) {
      if (check.hash == native) return true;
    }
    return false;
  };
  return native == hash::kIsPedInCombat || in(scuffler::kEligibilityChecks) ||
         in(scuffler::kReadinessChecks);
}

// {"name": value}, built field by field (brace lists of JSON values confuse the compiler's
// initialisation checks).
Json Object(const char* name, Json value) {
  Json object = Json::object();
  object[name] = std::move(value);
  return object;
}

struct Ped {
  std::int32_t handle = 0;
  std::optional<sim::Vec3> firstPosition;  // the first the recording gives
  sim::Vec3 position;                      // what the scenario holds now
  bool listed = false;
  std::map<std::uint64_t, std::int32_t> held;  // per native: the answer the scenario holds now
};

// What one tick asked and was answered, gathered from its events.
struct TickAnswers {
  std::map<std::pair<std::int32_t, std::uint64_t>, std::vector<std::int32_t>> byPed;
  std::map<std::uint64_t, std::vector<std::int32_t>> world;
  std::map<std::int32_t, sim::Vec3> positions;  // the first asked of each ped
  std::optional<std::vector<std::int32_t>> listed;
  std::vector<std::int32_t> released;
  std::optional<rec::RecordedEvent> file;
  std::optional<scuffler::Settings> settings;
};

TickAnswers Gather(const rec::Recording& recording, std::size_t index) {
  TickAnswers tick;
  rec::RecordedEvent event;
  for (rec::TickReader reader = rec::ReadTick(recording, index); rec::NextEvent(reader, event);) {
    switch (event.kind) {
      case rec::EventKind::Native: {
        const scuffler::NativeInfo* const native = scuffler::FindNative(event.hash);
        if (native == nullptr) break;  // another version's native: nothing here answers it
        if (event.hash == hash::kGetEntityCoords && !event.args.empty()) {
          tick.positions.emplace(Low32(event.args[0]), PointOf(event.result));
        } else if (!sim::TakesAnswers(event.hash)) {
          break;  // computed from its arguments, as the game computes it
        } else if (native->checkedPed != scuffler::kNoPed &&
                   static_cast<std::size_t>(native->checkedPed) < event.args.size()) {
          const std::int32_t ped = Low32(event.args[static_cast<std::size_t>(native->checkedPed)]);
          if (ped != 0) tick.byPed[{ped, event.hash}].push_back(Low32(event.result[0]));
        } else if (native->checkedPed == scuffler::kNoPed) {
          tick.world[event.hash].push_back(Low32(event.result[0]));
        }
        break;
      }
      case rec::EventKind::Peds:
        tick.listed = event.peds;
        break;
      case rec::EventKind::KeyTest:
        if (event.released) tick.released.push_back(event.key);
        break;
      case rec::EventKind::SettingsFile:
        if (!tick.file) tick.file = event;
        break;
      case rec::EventKind::Settings:
        if (!tick.settings) tick.settings = event.settings;
        break;
    }
  }
  return tick;
}

struct Builder {
  explicit Builder(const rec::Recording& recorded) : recording(recorded) {}

  const rec::Recording& recording;
  std::vector<TickAnswers> ticks;
  std::int32_t player = 0;
  std::vector<Ped> peds;  // the player first, then in the order they first appear
  std::map<std::int32_t, std::size_t> index;
  std::map<std::uint64_t, std::int32_t> worldHeld;
  std::int32_t engaged = 0;
  std::unordered_set<std::int32_t> listedNow;  // the tick's ped list
  std::vector<std::int32_t> listedBefore;      // the last tick's
  std::set<std::size_t> holding;               // peds an answer has been set for
  std::string file;                            // the settings file the scenario leaves: its bytes
  enum class File { Missing, Bytes, Unreadable, TooLarge } fileState = File::Missing;
  Json tooLarge;  // the file written for the last one too large to keep

  Ped& Known(std::int32_t handle) {
    const auto [it, added] = index.emplace(handle, peds.size());
    if (added) {
      peds.push_back({});
      peds.back().handle = handle;
    }
    return peds[it->second];
  }

  // Every ped the recording names, with the first position it gives, in order of appearance.
  void Meet() {
    player = ticks.empty() || ticks[0].world.count(hash::kPlayerPedId) == 0
                 ? 1
                 : ticks[0].world.at(hash::kPlayerPedId).front();
    Known(player);
    for (const TickAnswers& tick : ticks) {
      if (tick.listed) {
        for (const std::int32_t handle : *tick.listed) {
          if (handle != 0) Known(handle);
        }
      }
      for (const auto& [key, values] : tick.byPed) Known(key.first);
      for (const auto& [native, values] : tick.world) {
        if (native != hash::kPlayerPedId && native != hash::kGetMeleeTargetForPed) continue;
        for (const std::int32_t handle : values) {
          if (handle != 0) Known(handle);
        }
      }
      for (const auto& [handle, at] : tick.positions) {
        if (handle == 0) continue;
        Ped& ped = Known(handle);
        if (!ped.firstPosition) ped.firstPosition = at;
      }
    }
    const sim::Vec3 origin = Known(player).firstPosition.value_or(sim::Vec3{});
    for (Ped& ped : peds) ped.position = ped.firstPosition.value_or(origin);
  }

  // The scenario's change of the settings file at a tick: its text, null to delete it, an object
  // for a file no text stands for; none when it stays. The first tick always says, so that the
  // run starts from the recorded file and never from whatever the working directory holds.
  std::optional<Json> FileChange(const TickAnswers& tick, bool first) {
    if (!tick.file) return std::nullopt;
    const rec::RecordedEvent& found = *tick.file;
    switch (found.file) {
      case rec::FileState::Missing:
        if (fileState == File::Missing && !first) return std::nullopt;
        fileState = File::Missing;
        return Json(nullptr);
      case rec::FileState::Unreadable:
        if (fileState == File::Unreadable && !first) return std::nullopt;
        fileState = File::Unreadable;
        return Object("unreadable", true);
      case rec::FileState::TooLarge: {
        // Its bytes were not kept, but what the load made of them was: a file as large that
        // gives those Settings. The recorder says so every tick; the scenario, when they change.
        Json padded = Object("lines", SettingsLines(tick.settings.value_or(scuffler::Settings{})));
        padded["padded_to"] = rec::kLargestKeptFile + 1;
        if (fileState == File::TooLarge && tooLarge == padded && !first) return std::nullopt;
        fileState = File::TooLarge;
        tooLarge = padded;
        return padded;
      }
      case rec::FileState::Same:
        if (!first || !recording.baseKnown) return std::nullopt;
        file = recording.baseBytes;
        break;
      case rec::FileState::Bytes:
        if (!first && fileState == File::Bytes && file == found.bytes) return std::nullopt;
        file = found.bytes;
        break;
    }
    fileState = File::Bytes;
    return Json(file);
  }

  // The answers of the natives asked of no ped that change this tick.
  Json WorldChanges(const TickAnswers& tick) {
    Json answers = Json::object();
    if (!tick.released.empty()) {
      for (auto& [native, held] : worldHeld) {
        if (tick.world.count(native) == 0 && IsCheck(native) && held != sim::UnsetAnswer(native)) {
          answers[scuffler::FindNative(native)->name] = sim::UnsetAnswer(native);
          held = sim::UnsetAnswer(native);
        }
      }
    }
    for (const auto& [native, values] : tick.world) {
      if (native == hash::kGetMeleeTargetForPed) continue;
      const auto held = worldHeld.find(native);
      const std::int32_t now = held != worldHeld.end()        ? held->second
                               : native == hash::kPlayerPedId ? player
                                                              : sim::UnsetAnswer(native);
      if (!Changes(values, now)) continue;
      answers[scuffler::FindNative(native)->name] = InTurn(values);
      worldHeld[native] = values.back();
    }
    return answers;
  }

  // The engaged ped, when the tick's answer differs from the one held; only the first answer of
  // the tick is kept, as the engaged ped is one per tick.
  std::optional<std::int32_t> EngagedChange(const TickAnswers& tick) {
    const auto asked = tick.world.find(hash::kGetMeleeTargetForPed);
    if (asked == tick.world.end() || asked->second.front() == engaged) return std::nullopt;
    engaged = asked->second.front();
    return engaged;
  }

  // The tick's ped list, for PedChanges; call before it at each tick.
  void BeginTick(const TickAnswers& tick) {
    if (tick.listed) listedNow = {tick.listed->begin(), tick.listed->end()};
  }

  // The peds a tick after the first may change, in the order of `peds`: those listed before it or
  // in it, those it answered of, and at a release those holding an answer. The others keep what
  // they had, so a recording of ever-new peds turns into a scenario in time linear in its size.
  std::vector<std::size_t> Touched(const TickAnswers& tick) const {
    std::vector<std::size_t> touched;
    const auto add = [this, &touched](std::int32_t handle) {
      const auto it = index.find(handle);
      if (it != index.end()) touched.push_back(it->second);
    };
    for (const std::int32_t handle : listedBefore) add(handle);
    if (tick.listed) {
      for (const std::int32_t handle : *tick.listed) add(handle);
    }
    for (const auto& entry : tick.byPed) add(entry.first.first);
    for (const auto& entry : tick.positions) add(entry.first);
    if (!tick.released.empty()) touched.insert(touched.end(), holding.begin(), holding.end());
    std::sort(touched.begin(), touched.end());
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
    return touched;
  }

  // What changed for `ped` this tick, as the fields of a ped record or event.
  Json PedChanges(Ped& ped, const TickAnswers& tick, bool first) {
    Json change = Json::object();
    const auto at = tick.positions.find(ped.handle);
    if (at != tick.positions.end() && !SamePosition(at->second, ped.position)) {
      ped.position = at->second;
      change["position"] = Position(ped.position);
    }
    if (tick.listed) {
      const bool listed = listedNow.count(ped.handle) != 0;
      if (first || listed != ped.listed) change["listed"] = listed;
      ped.listed = listed;
    }
    Json answers = Json::object();
    for (auto it = tick.byPed.lower_bound({ped.handle, 0});
         it != tick.byPed.end() && it->first.first == ped.handle; ++it) {
      const std::uint64_t native = it->first.second;
      const auto held = ped.held.find(native);
      const std::int32_t now = held != ped.held.end() ? held->second : sim::PassingAnswer(native);
      if (!Changes(it->second, now)) continue;
      answers[scuffler::FindNative(native)->name] = InTurn(it->second);
      ped.held[native] = it->second.back();
      holding.insert(index.at(ped.handle));
    }
    // At a release the live run asks the checks again to say why no one was acted on; one the
    // recording did not ask then cannot be known, and passes, as the replay's reasons pass it.
    if (!tick.released.empty()) {
      for (auto& [native, held] : ped.held) {
        if (tick.byPed.count({ped.handle, native}) == 0 && IsCheck(native) &&
            held != sim::PassingAnswer(native)) {
          held = sim::PassingAnswer(native);
          answers[scuffler::FindNative(native)->name] = held;
        }
      }
    }
    if (!answers.empty()) change["answers"] = std::move(answers);
    return change;
  }
};

std::string Line(const Json& value) { return value.dump(); }

}  // namespace

std::string ScenarioFromRecording(const rec::Recording& recording, const std::string& source) {
  Builder builder{recording};
  for (std::size_t i = 0; i < recording.ticks.size(); ++i) {
    builder.ticks.push_back(Gather(recording, i));
  }
  builder.Meet();
  const std::size_t count = recording.ticks.size();

  std::vector<std::string> top;
  std::vector<std::string> events;
  const auto event = [&events, &recording](int tick, Json change) {
    Json line = Json::object();
    line["tick"] = tick + static_cast<int>(recording.firstTick) - 1;
    for (auto& [name, value] : change.items()) line[name] = value;
    events.push_back(Line(line));
  };
  std::vector<Json> records(builder.peds.size());
  Json opening = Json::object();
  for (std::size_t t = 0; t < count; ++t) {
    const TickAnswers& tick = builder.ticks[t];
    const bool first = t == 0;
    const int number = static_cast<int>(t) + 1;
    if (std::optional<Json> ini = builder.FileChange(tick, first)) {
      event(number, Object("ini", std::move(*ini)));
    }
    Json answers = builder.WorldChanges(tick);
    const std::optional<std::int32_t> engaged = builder.EngagedChange(tick);
    if (first) {
      if (engaged) opening["engaged"] = *engaged;
      if (!answers.empty()) opening["answers"] = answers;
    } else {
      if (!answers.empty()) event(number, Object("answers", answers));
      if (engaged) event(number, Object("engaged", *engaged));
    }
    builder.BeginTick(tick);
    std::vector<std::size_t> touched;
    if (first) {
      for (std::size_t p = 0; p < builder.peds.size(); ++p) touched.push_back(p);
    } else {
      touched = builder.Touched(tick);
    }
    if (tick.listed) builder.listedBefore = *tick.listed;
    for (const std::size_t p : touched) {
      Ped& ped = builder.peds[p];
      Json change = builder.PedChanges(ped, tick, first);
      if (first) {
        records[p] = Object("handle", ped.handle);
        records[p]["position"] = Position(ped.position);
        if (change.contains("listed") && !change["listed"].get<bool>())
          records[p]["listed"] = false;
        if (change.contains("answers")) records[p]["answers"] = change["answers"];
      } else if (!change.empty()) {
        Json line = Object("ped", ped.handle);
        for (auto& [name, value] : change.items()) line[name] = value;
        event(number, line);
      }
    }
    // At the tick's own clock, where the replay delivers them: inside the release window.
    const std::uint32_t gap = first ? 0 : recording.ticks[t].clock - recording.ticks[t - 1].clock;
    for (const std::int32_t key : tick.released) {
      Json line = Json::object();
      if (gap != 0) line["ms"] = gap;
      const std::string_view name = scuffler::KeyName(key);
      line["tap"] = name.empty() ? Json(key) : Json(std::string(name));
      event(number, line);
    }
  }

  Json description = "Made from " + source + ": " + std::to_string(count) +
                     (count == 1 ? " tick" : " ticks") + " recorded by Scuffler " +
                     recording.pluginVersion + ".";
  std::vector<std::uint32_t> clocks;
  for (const rec::RecordedTick& tick : recording.ticks) clocks.push_back(tick.clock);
  const scuffler::Settings starting =
      count == 0 ? scuffler::Settings{} : builder.ticks[0].settings.value_or(scuffler::Settings{});

  std::string out = "{\n";
  out += "  \"description\": " + Line(description) + ",\n";
  out += "  \"first_tick\": " + std::to_string(recording.firstTick) + ",\n";
  out += "  \"tick_clocks\": " + Line(Json(clocks)) + ",\n";
  out += "  \"settings\": " + Line(SettingsJson(starting)) + ",\n";
  out += "  \"player\": " + Line(records[0]) + ",\n";
  out += "  \"peds\": [";
  for (std::size_t p = 1; p < records.size(); ++p) {
    out += std::string(p == 1 ? "\n" : ",\n") + "    " + Line(records[p]);
  }
  out += records.size() > 1 ? "\n  ],\n" : "],\n";
  for (const auto& [name, value] : opening.items()) {
    out += "  \"" + name + "\": " + Line(value) + ",\n";
  }
  out += "  \"events\": [";
  for (std::size_t e = 0; e < events.size(); ++e) {
    out += std::string(e == 0 ? "\n" : ",\n") + "    " + events[e];
  }
  out += events.empty() ? "]\n" : "\n  ]\n";
  return out + "}\n";
}

}  // namespace sandbox
