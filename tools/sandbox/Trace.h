// The words of the sandbox's tick-by-tick trace: one function per kind of line, each giving the
// text that follows the tick's "tick   N  " prefix, so the wording lives in one place and can be
// tested line by line.
//
// The trace must be byte-for-byte the same on every run: example traces are checked verbatim.
// Nothing here prints times of day, addresses or anything else that varies between runs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Scenario.h"
#include "melee/Triggers.h"
#include "settings/Settings.h"
#include "settings/SettingsTable.h"

namespace sandbox {

// What one trigger did in a tick: a key trigger that used up a release, or the random trigger
// once the special-ability action was just pressed on a controller.
struct TriggerOutcome {
  int row = 0;  // 0 to 4: the key trigger of that action row; scuffler::kRandomTrigger: the random
  std::int32_t key = 0;     // key triggers: the key code whose release was used up
  std::int32_t pick = 0;    // the random trigger: the game's random answer
  std::int32_t target = 0;  // the ped acted on; 0 when nothing started
  std::string role;         // what `target` was to the plug-in: "the target", "the engaged ped"
  std::string reason;       // when nothing started: why no one could be acted on
};

constexpr std::size_t kActionRows = scuffler::kMeleeActionCount;

// Per-name totals for the closing summary.
struct RunTotals {
  int ticks = 0;
  int tickMs = 0;
  std::array<int, kActionRows> started{};  // by action row
  int releasesWithoutTarget = 0;
  int spanMs = -1;       // a replay: the time its ticks took; -1 for a scenario of tickMs ticks
  int stoppedAfter = 0;  // --until: the tick the run stopped after; 0 when it ran to its end
};

std::string TickPrefix(int tick);

// The opening lines: the description, then what the scenario sets up.
std::string Header(const Scenario& scenario);

// Changes the scenario makes before a tick.
std::string DescribeKey(const KeyEvent& event, int ms);
std::string DescribePedChange(const PedChange& change);
std::string DescribeWorldAnswers(const WorldAnswers& change);
std::string DescribeIniChange(const IniChange& change);

// Every setting with its value, in the settings file's order: what a session starts with.
std::string SettingValue(const scuffler::SettingField& field, const scuffler::Settings& settings);
std::string DescribeAllSettings(const scuffler::Settings& settings);

// What the plug-in did in a tick. Each is nullopt when nothing changed.
std::optional<std::string> DescribeSettings(const scuffler::Settings& before,
                                            const scuffler::Settings& after);
std::optional<std::string> DescribeEngaged(std::int32_t before, std::int32_t after);
// `distance` is how far the new target stands from the player.
std::optional<std::string> DescribeTarget(std::int32_t before, std::int32_t after, float distance);
std::string DescribeTrigger(const TriggerOutcome& outcome);
// A release made before this tick that no trigger took: its key is bound to no action, or the
// release was `ageMs` old when the tick ran.
std::string DescribeUnusedRelease(std::int32_t key, bool bound, std::uint32_t ageMs);

// A ped the game listed, as the plug-in's checks left it: the first check it failed (its
// native's name), "eligible", or "not asked" (a replay whose recording holds no answer that
// tells), and its distance when its position was asked (only an eligible ped's is).
struct ListedPed {
  std::int32_t handle;
  std::string check;
  std::optional<float> distance;
};
constexpr const char* kEligible = "eligible";
constexpr const char* kNotAsked = "not asked";

// --peds: "ped 10: IS_PED_RAGDOLL", "ped 11: eligible, 30.00 away", "ped 12: not asked".
std::string DescribeListedPed(const ListedPed& ped);

// Why there was no target: "no target [ped 10: IS_PED_RAGDOLL, ped 11: 12.00 away]" (an eligible
// ped by its distance), or "no target [nobody listed]"; the first 5 peds named, then how many
// more.
std::string DescribeNoTarget(const std::vector<ListedPed>& peds);
// A distance as the trace writes one: "12.00 away".
std::string DescribeAway(float distance);

// The save key's release, taken while recording: where the game writes a recording.
std::string DescribeSaveKey(std::int32_t key);
// The same, when --record writes that recording to `file` (`kept`) or failed to.
std::string DescribeSaveKeyWritten(std::int32_t key, const std::string& file, bool kept);

std::string Summary(const RunTotals& totals);

// Six significant digits at most ("(3, 4, 0)", "4.5"): short, and the same on every run.
std::string FormatPosition(const sim::Vec3& position);
std::string FormatNumber(float value);

}  // namespace sandbox
