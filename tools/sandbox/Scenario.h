// A sandbox scenario: the player, the peds around it and a timeline of changes (key presses,
// moves, native answers, edits of Scuffler.ini), read from a JSON file.
//
// The format is documented in docs/sandbox.md. Parsing never throws: a malformed scenario comes
// back as one message naming the file and either the line and column (for text that is not
// JSON) or the path of the offending value, such as peds[2].position.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "SimHook.h"
#include "settings/Settings.h"

namespace sandbox {

// One canned answer of a native: for one ped (inside a ped's record) or for every call.
struct NativeAnswer {
  std::string name;  // as written in the scenario, for the trace
  std::uint64_t hash = 0;
  std::optional<std::int32_t> value;  // nullopt: back to the simulated game's own answer
  // The answers of the calls before `value` takes over, in turn: a native that answers
  // differently within the tick the answer lands in.
  std::vector<std::int32_t> earlier;
};

struct PedSpec {
  std::int32_t handle = 0;
  sim::Vec3 position;
  bool listed = true;                 // returned by the game's ped enumeration
  std::vector<NativeAnswer> answers;  // "fails" first, then "answers", as written
};

// A change to a known ped (or the player) at some tick; what is not set stays as it was.
struct PedChange {
  std::int32_t handle = 0;
  std::optional<sim::Vec3> position;
  std::optional<bool> listed;
  std::vector<NativeAnswer> answers;
};

enum class KeyMotion { Press, Release, Tap };

struct KeyEvent {
  KeyMotion motion = KeyMotion::Tap;
  std::uint32_t key = 0;  // virtual-key code
};

struct EngagedChange {
  std::int32_t ped = 0;  // 0: none
};

struct WorldAnswers {
  std::vector<NativeAnswer> answers;
};

// Writes Scuffler.ini in the working directory with `text`, or deletes it when there is none.
struct IniChange {
  std::optional<std::string> text;
  bool unreadable = false;   // instead: a Scuffler.ini that opens but cannot be read
  std::size_t paddedTo = 0;  // the text then comment lines up to this many bytes
};

struct Event {
  int tick = 1;  // the change lands before this tick runs, counted from 1 whatever firstTick is
  int ms = 0;    // milliseconds after the previous tick, 0 to the tick length
  std::variant<KeyEvent, PedChange, EngagedChange, WorldAnswers, IniChange> change;
};

struct Scenario {
  std::string description;
  int ticks = 60;
  // The number the trace and the events give the first tick (a recording's own numbering).
  int firstTick = 1;
  int tickMs = 16;
  // Each tick's clock in ms, as a recording gives them; empty: tick t runs at t * tickMs.
  std::vector<std::uint32_t> tickClocks;
  // The Settings the plug-in holds before its first load; none: the defaults.
  std::optional<scuffler::Settings> settings;
  PedSpec player;
  std::vector<PedSpec> peds;
  // Ordered by tick, then ms, then as written. The scenario's opening "engaged" and "answers"
  // come first, as changes at tick 1.
  std::vector<Event> events;
};

struct ParsedScenario {
  std::optional<Scenario> scenario;
  std::string error;  // set when there is no scenario
};

// `source` names the text in messages (a file name, or the built-in scenario's name).
ParsedScenario ParseScenario(const std::string& text, const std::string& source);

// The game's clock at tick `tick` (1 to the scenario's ticks; 0 is the moment before the first).
std::uint32_t TickClock(const Scenario& scenario, int tick);

}  // namespace sandbox
