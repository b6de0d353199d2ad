#include "Scenario.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <set>

#include <nlohmann/json.hpp>

#include "NativeNames.h"
#include "input/KeyNames.h"
#include "settings/SettingsTable.h"

namespace sandbox {
namespace {

// Ordered, so that answers reach the trace in the order they were written.
using Json = nlohmann::ordered_json;

constexpr long long kMaxTicks = 1000000;
constexpr long long kMaxTickMs = 60000;
// A recording's first tick may be late in a long session; the trace numbers stay in an int.
constexpr long long kMaxFirstTick = 1000000000;
constexpr std::int32_t kMaxKeyCode = 254;

// A value of the scenario that is well-formed JSON but not a valid scenario.
struct ScenarioError {
  std::string path;
  std::string message;
};

[[noreturn]] void Fail(const std::string& path, const std::string& message) {
  throw ScenarioError{path, message};
}

std::string Field(const std::string& path, const char* name) {
  return path.empty() ? std::string(name) : path + "." + name;
}

std::string Item(const std::string& path, std::size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

// What was found instead, in words: scalars by their text, containers by their kind.
std::string Found(const Json& value) {
  if (value.is_object()) return "an object";
  if (value.is_array()) return "an array";
  std::string text = value.dump();
  if (text.size() > 40) text = text.substr(0, 37) + "...";
  return text;
}

void ExpectObject(const Json& value, const std::string& path,
                  std::initializer_list<const char*> known) {
  if (!value.is_object()) Fail(path, "expected an object {...}, found " + Found(value));
  for (const auto& entry : value.items()) {
    const bool isKnown = std::any_of(known.begin(), known.end(),
                                     [&entry](const char* name) { return entry.key() == name; });
    if (isKnown) continue;
    std::string list;
    for (const char* name : known) list += (list.empty() ? "" : ", ") + std::string(name);
    Fail(Field(path, entry.key().c_str()), "unknown field; known here: " + list);
  }
}

const Json& Require(const Json& object, const std::string& path, const char* name) {
  if (!object.contains(name)) Fail(Field(path, name), "missing");
  return object.at(name);
}

long long Integer(const Json& value, const std::string& path, long long min, long long max) {
  if (!value.is_number_integer()) Fail(path, "expected a whole number, found " + Found(value));
  // The library keeps non-negative numbers unsigned, and those may not fit a long long.
  const bool fits = value.is_number_unsigned()
                        ? value.get<unsigned long long>() <= static_cast<unsigned long long>(max) &&
                              static_cast<long long>(value.get<unsigned long long>()) >= min
                        : value.get<long long>() >= min && value.get<long long>() <= max;
  if (!fits) {
    Fail(path, value.dump() + " is out of range (" + std::to_string(min) + " to " +
                   std::to_string(max) + ")");
  }
  return value.get<long long>();
}

std::int32_t Int32(const Json& value, const std::string& path) {
  return static_cast<std::int32_t>(Integer(value, path, std::numeric_limits<std::int32_t>::min(),
                                           std::numeric_limits<std::int32_t>::max()));
}

std::int32_t Handle(const Json& value, const std::string& path) {
  const std::int32_t handle = Int32(value, path);
  if (handle == 0) Fail(path, "0 means no ped; give a nonzero handle");
  return handle;
}

bool Boolean(const Json& value, const std::string& path) {
  if (!value.is_boolean()) Fail(path, "expected true or false, found " + Found(value));
  return value.get<bool>();
}

std::string Text(const Json& value, const std::string& path) {
  if (!value.is_string()) Fail(path, "expected a string, found " + Found(value));
  return value.get<std::string>();
}

// [x, y, z], or [x, y] on the ground (z 0).
sim::Vec3 Position(const Json& value, const std::string& path) {
  if (!value.is_array() || value.size() < 2 || value.size() > 3) {
    Fail(path, "expected [x, y, z] or [x, y], found " + Found(value));
  }
  float coordinates[3] = {0, 0, 0};
  for (std::size_t i = 0; i < value.size(); ++i) {
    const Json& number = value[i];
    if (!number.is_number()) Fail(Item(path, i), "expected a number, found " + Found(number));
    const double wide = number.get<double>();
    if (!(std::fabs(wide) <= std::numeric_limits<float>::max())) {
      Fail(Item(path, i), number.dump() + " is too large for the game's single precision");
    }
    coordinates[i] = static_cast<float>(wide);
  }
  return {coordinates[0], coordinates[1], coordinates[2]};
}

std::uint32_t KeyCode(const Json& value, const std::string& path) {
  if (value.is_number_integer()) {
    return static_cast<std::uint32_t>(Integer(value, path, 0, kMaxKeyCode));
  }
  const std::string name = Text(value, path);
  if (const std::optional<std::int32_t> code = scuffler::KeyCodeByName(name)) {
    return static_cast<std::uint32_t>(*code);
  }
  Fail(path, "unknown key \"" + name +
                 "\"; name a letter, D0 to D9, F1 to F24, Numpad0 to Numpad9, Left, Up, Right, "
                 "Down, Space, Enter, Tab, Escape, Shift, Ctrl, Alt..., or give a code 0 to 254");
}

AnswerableNative Native(const std::string& name, const std::string& path, NativeScope scope) {
  const std::optional<AnswerableNative> native = FindAnswerableNative(name);
  if (!native || (scope == NativeScope::PerPed && native->scope != NativeScope::PerPed)) {
    Fail(path, "\"" + name + "\" is not a native that can be answered " +
                   (scope == NativeScope::PerPed ? "for one ped" : "here") +
                   "; known: " + NativeNameList(scope));
  }
  return *native;
}

// "fails": ["IS_ENTITY_DEAD", ...]: each named check gives the answer that fails it.
void ReadFails(const Json& value, const std::string& path, std::vector<NativeAnswer>& answers) {
  if (!value.is_array()) Fail(path, "expected an array of check names, found " + Found(value));
  for (std::size_t i = 0; i < value.size(); ++i) {
    const std::string name = Text(value[i], Item(path, i));
    const AnswerableNative native = Native(name, Item(path, i), NativeScope::PerPed);
    answers.push_back({name, native.hash, FailingAnswer(native.hash), {}});
  }
}

// "answers": {"NAME or 0xHASH": value, ...}; null (world answers only) undoes an earlier answer.
void ReadAnswers(const Json& value, const std::string& path, NativeScope scope,
                 std::vector<NativeAnswer>& answers) {
  if (!value.is_object())
    Fail(path, "expected an object {\"native\": answer}, found " + Found(value));
  for (const auto& entry : value.items()) {
    const std::string entryPath = Field(path, entry.key().c_str());
    const AnswerableNative native = Native(entry.key(), entryPath, scope);
    NativeAnswer answer{entry.key(), native.hash, std::nullopt, {}};
    if (entry.value().is_array()) {
      // The answers of successive calls within the tick, the last one holding after them.
      if (entry.value().empty()) Fail(entryPath, "expected at least one answer, found []");
      for (std::size_t i = 0; i < entry.value().size(); ++i) {
        answer.earlier.push_back(Int32(entry.value()[i], Item(entryPath, i)));
      }
      answer.value = answer.earlier.back();
      answer.earlier.pop_back();
    } else if (!entry.value().is_null() || scope == NativeScope::PerPed) {
      answer.value = Int32(entry.value(), entryPath);
    }
    answers.push_back(std::move(answer));
  }
}

PedSpec ReadPed(const Json& value, const std::string& path) {
  ExpectObject(value, path, {"handle", "position", "listed", "fails", "answers"});
  PedSpec ped;
  ped.handle = Handle(Require(value, path, "handle"), Field(path, "handle"));
  ped.position = Position(Require(value, path, "position"), Field(path, "position"));
  if (value.contains("listed")) ped.listed = Boolean(value.at("listed"), Field(path, "listed"));
  if (value.contains("fails")) ReadFails(value.at("fails"), Field(path, "fails"), ped.answers);
  if (value.contains("answers")) {
    ReadAnswers(value.at("answers"), Field(path, "answers"), NativeScope::PerPed, ped.answers);
  }
  return ped;
}

std::string IniText(const Json& value, const std::string& path) {
  if (value.is_string()) return value.get<std::string>();
  if (!value.is_array()) {
    Fail(path,
         "expected the file's lines [\"...\"], its text \"...\", an object {...} or null, "
         "found " +
             Found(value));
  }
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) text += Text(value[i], Item(path, i)) + "\n";
  return text;
}

// The largest file "padded_to" makes: well past the 1 MB a recording keeps the bytes of.
constexpr long long kMostPaddedBytes = 16 << 20;

// "ini": lines, text or null; or {"unreadable": true}, a file that opens but cannot be read; or
// {"lines" or "text": ..., "padded_to": bytes}, a file made as large as a recording cannot keep.
IniChange ReadIniChange(const Json& value, const std::string& path) {
  if (value.is_null()) return {};
  if (!value.is_object()) return {IniText(value, path)};
  ExpectObject(value, path, {"unreadable", "lines", "text", "padded_to"});
  IniChange change;
  if (value.contains("unreadable")) {
    if (value.size() != 1 || !Boolean(value.at("unreadable"), Field(path, "unreadable"))) {
      Fail(Field(path, "unreadable"), "give it alone, as true");
    }
    change.unreadable = true;
    return change;
  }
  if (value.contains("lines") == value.contains("text")) {
    Fail(path, "give the file's \"lines\" or its \"text\", one of them");
  }
  const char* const field = value.contains("lines") ? "lines" : "text";
  change.text = IniText(value.at(field), Field(path, field));
  if (value.contains("padded_to")) {
    change.paddedTo = static_cast<std::size_t>(
        Integer(value.at("padded_to"), Field(path, "padded_to"),
                static_cast<long long>(change.text->size()), kMostPaddedBytes));
  }
  return change;
}

// "settings": {"iKickToChest": 116 or "F5", ...}: each converted as the plug-in converts the
// settings file's text; a setting not given keeps its default.
scuffler::Settings ReadSettings(const Json& value, const std::string& path) {
  if (!value.is_object())
    Fail(path, "expected an object {\"setting\": value}, found " + Found(value));
  scuffler::Settings settings;
  for (const auto& entry : value.items()) {
    const std::string entryPath = Field(path, entry.key().c_str());
    const scuffler::SettingField* const field = scuffler::FindSettingField(entry.key());
    if (field == nullptr) Fail(entryPath, "Scuffler.ini has no such setting");
    const Json& given = entry.value();
    if (given.is_object() || given.is_array() || given.is_null()) {
      Fail(entryPath, "expected a value as Scuffler.ini would hold it, found " + Found(given));
    }
    const std::string text = given.is_string() ? given.get<std::string>() : given.dump();
    const scuffler::Reading reading = scuffler::AssignSetting(*field, text, settings);
    if (reading != scuffler::Reading::Whole) {
      Fail(entryPath, Found(given) + " is not a value the plug-in reads whole for " +
                          std::string(field->name));
    }
  }
  return settings;
}

// Which change an event makes: the one field among these that it has.
constexpr const char* kEventKinds[] = {"tap",     "press",   "release", "ped",
                                       "engaged", "answers", "ini"};

Event ReadEvent(const Json& value, const std::string& path, const Scenario& scenario,
                const std::set<std::int32_t>& handles) {
  if (!value.is_object()) Fail(path, "expected an object {...}, found " + Found(value));
  std::string kind;
  for (const char* candidate : kEventKinds) {
    // "answers" beside "ped" belongs to that ped.
    if (!value.contains(candidate) || (kind == "ped" && std::string(candidate) == "answers")) {
      continue;
    }
    if (!kind.empty()) {
      Fail(path, "has both \"" + kind + "\" and \"" + candidate +
                     "\"; give each change an event of its own");
    }
    kind = candidate;
  }
  if (kind.empty()) {
    Fail(path, "says nothing to do; give one of: tap, press, release, ped, engaged, answers, ini");
  }
  if (kind == "ped") {
    ExpectObject(value, path, {"tick", "ms", "ped", "position", "listed", "fails", "answers"});
  } else {
    ExpectObject(value, path, {"tick", "ms", kind.c_str()});
  }

  Event event;
  const int offset = scenario.firstTick - 1;
  event.tick = static_cast<int>(Integer(Require(value, path, "tick"), Field(path, "tick"),
                                        scenario.firstTick,
                                        static_cast<long long>(scenario.ticks) + offset)) -
               offset;
  if (value.contains("ms")) {
    const std::uint32_t gap = TickClock(scenario, event.tick) - TickClock(scenario, event.tick - 1);
    event.ms = static_cast<int>(Integer(value.at("ms"), Field(path, "ms"), 0, gap));
  }
  const Json& argument = value.at(kind);
  const std::string argumentPath = Field(path, kind.c_str());
  if (kind == "tap" || kind == "press" || kind == "release") {
    const KeyMotion motion = kind == "tap"     ? KeyMotion::Tap
                             : kind == "press" ? KeyMotion::Press
                                               : KeyMotion::Release;
    event.change = KeyEvent{motion, KeyCode(argument, argumentPath)};
  } else if (kind == "ped") {
    PedChange change;
    change.handle = Handle(argument, argumentPath);
    if (handles.count(change.handle) == 0) {
      Fail(argumentPath, "no ped " + std::to_string(change.handle) + " in \"player\" or \"peds\"");
    }
    if (value.contains("position")) {
      change.position = Position(value.at("position"), Field(path, "position"));
    }
    if (value.contains("listed"))
      change.listed = Boolean(value.at("listed"), Field(path, "listed"));
    if (value.contains("fails")) ReadFails(value.at("fails"), Field(path, "fails"), change.answers);
    if (value.contains("answers")) {
      ReadAnswers(value.at("answers"), Field(path, "answers"), NativeScope::PerPed, change.answers);
    }
    event.change = std::move(change);
  } else if (kind == "engaged") {
    event.change = EngagedChange{Int32(argument, argumentPath)};
  } else if (kind == "answers") {
    WorldAnswers change;
    ReadAnswers(argument, argumentPath, NativeScope::World, change.answers);
    event.change = std::move(change);
  } else {
    event.change = ReadIniChange(argument, argumentPath);
  }
  return event;
}

Scenario ReadScenario(const Json& root) {
  ExpectObject(root, "",
               {"description", "ticks", "first_tick", "tick_ms", "tick_clocks", "settings",
                "player", "peds", "engaged", "answers", "events"});
  Scenario scenario;
  if (root.contains("description"))
    scenario.description = Text(root.at("description"), "description");
  if (root.contains("ticks")) {
    scenario.ticks = static_cast<int>(Integer(root.at("ticks"), "ticks", 1, kMaxTicks));
  }
  if (root.contains("tick_ms")) {
    scenario.tickMs = static_cast<int>(Integer(root.at("tick_ms"), "tick_ms", 1, kMaxTickMs));
  }
  if (root.contains("tick_clocks")) {
    if (root.contains("tick_ms")) Fail("tick_clocks", "give tick_clocks or tick_ms, not both");
    const Json& clocks = root.at("tick_clocks");
    if (!clocks.is_array() || clocks.empty()) {
      Fail("tick_clocks", "expected each tick's clock [ms, ...], found " + Found(clocks));
    }
    if (root.contains("ticks") && static_cast<std::size_t>(scenario.ticks) != clocks.size()) {
      Fail("tick_clocks", "has " + std::to_string(clocks.size()) + " clocks for " +
                              std::to_string(scenario.ticks) + " ticks");
    }
    if (clocks.size() > static_cast<std::size_t>(kMaxTicks)) {
      Fail("tick_clocks", "more than " + std::to_string(kMaxTicks) + " ticks");
    }
    for (std::size_t i = 0; i < clocks.size(); ++i) {
      const auto clock = static_cast<std::uint32_t>(
          Integer(clocks[i], Item("tick_clocks", i), 0, std::numeric_limits<std::uint32_t>::max()));
      // The game's clock runs forward, wrapping at 2^32 like GetTickCount.
      if (i > 0 && clock - scenario.tickClocks.back() > 0x7FFFFFFFu) {
        Fail(Item("tick_clocks", i),
             "runs back from " + std::to_string(scenario.tickClocks.back()));
      }
      scenario.tickClocks.push_back(clock);
    }
    scenario.ticks = static_cast<int>(clocks.size());
  }
  if (root.contains("settings")) scenario.settings = ReadSettings(root.at("settings"), "settings");
  if (root.contains("first_tick")) {
    scenario.firstTick =
        static_cast<int>(Integer(root.at("first_tick"), "first_tick", 1, kMaxFirstTick));
  }

  // Every handle given so far: no two peds may share one, and events may only name these.
  std::set<std::int32_t> handles;
  scenario.player = ReadPed(Require(root, "", "player"), "player");
  handles.insert(scenario.player.handle);
  if (root.contains("peds")) {
    const Json& peds = root.at("peds");
    if (!peds.is_array()) Fail("peds", "expected an array [...], found " + Found(peds));
    for (std::size_t i = 0; i < peds.size(); ++i) {
      scenario.peds.push_back(ReadPed(peds[i], Item("peds", i)));
      if (!handles.insert(scenario.peds.back().handle).second) {
        Fail(Item("peds", i) + ".handle",
             std::to_string(scenario.peds.back().handle) +
                 " is taken already; each ped needs a handle of its own");
      }
    }
  }

  if (root.contains("engaged")) {
    scenario.events.push_back({1, 0, EngagedChange{Int32(root.at("engaged"), "engaged")}});
  }
  if (root.contains("answers")) {
    WorldAnswers opening;
    ReadAnswers(root.at("answers"), "answers", NativeScope::World, opening.answers);
    scenario.events.push_back({1, 0, std::move(opening)});
  }
  if (root.contains("events")) {
    const Json& events = root.at("events");
    if (!events.is_array()) Fail("events", "expected an array [...], found " + Found(events));
    for (std::size_t i = 0; i < events.size(); ++i) {
      scenario.events.push_back(ReadEvent(events[i], Item("events", i), scenario, handles));
    }
  }
  std::stable_sort(scenario.events.begin(), scenario.events.end(),
                   [](const Event& a, const Event& b) {
                     return a.tick != b.tick ? a.tick < b.tick : a.ms < b.ms;
                   });
  return scenario;
}

// Line and column (both from 1) of the byte at `offset`.
std::string LineAndColumn(const std::string& text, std::size_t offset) {
  offset = std::min(offset, text.size());
  std::size_t line = 1;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  }
  return std::to_string(line) + ":" + std::to_string(offset - lineStart + 1);
}

// The library's message without its own prefix and position ("...column 5: syntax error ..."),
// and with the bytes it quotes from a broken file made printable.
std::string ParseMessage(const std::string& what) {
  const std::size_t column = what.find("column ");
  const std::size_t colon = column == std::string::npos ? column : what.find(": ", column);
  std::string message = colon == std::string::npos ? what : what.substr(colon + 2);
  for (char& c : message) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F) c = '?';
  }
  return message;
}

}  // namespace

std::uint32_t TickClock(const Scenario& scenario, int tick) {
  if (!scenario.tickClocks.empty()) {
    return scenario.tickClocks[static_cast<std::size_t>(std::max(tick, 1) - 1)];
  }
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(tick) *
                                    static_cast<std::uint64_t>(scenario.tickMs));
}

ParsedScenario ParseScenario(const std::string& text, const std::string& source) {
  ParsedScenario parsed;
  Json root;
  try {
    root = Json::parse(text);
  } catch (const Json::parse_error& error) {
    // The library counts the offending byte itself, from 1.
    const std::size_t offset = error.byte > 0 ? error.byte - 1 : 0;
    parsed.error = source + ":" + LineAndColumn(text, offset) +
                   ": not valid JSON: " + ParseMessage(error.what());
    return parsed;
  }
  try {
    parsed.scenario = ReadScenario(root);
  } catch (const ScenarioError& error) {
    parsed.error = source + ": " + (error.path.empty() ? "" : error.path + ": ") + error.message;
  }
  return parsed;
}

}  // namespace sandbox
