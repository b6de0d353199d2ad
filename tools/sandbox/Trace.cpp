#include "Trace.h"

#include <algorithm>

#include <cstdio>
#include <cstring>

#include "input/KeyNames.h"
#include "input/KeyStateTable.h"
#include "melee/Triggers.h"
#include "settings/SettingsTable.h"

namespace sandbox {
namespace {

using scuffler::Settings;

// The setting whose key code `field` is, by the plug-in's own table.
const char* SettingName(std::int32_t Settings::*field) {
  for (const scuffler::SettingField& setting : scuffler::kSettingFields) {
    if (setting.keyCode == field) return setting.name;
  }
  return "?";
}

// A key as the plug-in's own key names give it ("G", "Up", "F5"), "VK 187" for a code without a
// name, or "none" for a code outside 0 to 254, which binds no key.
std::string KeyLabel(std::int32_t code) {
  if (code < 0 || code >= static_cast<std::int32_t>(scuffler::kKeySlotCount)) return "none";
  const std::string_view name = scuffler::KeyName(code);
  return name.empty() ? "VK " + std::to_string(code) : std::string(name);
}

std::string KeyWithCode(std::int32_t code) {
  return std::to_string(code) + " (" + KeyLabel(code) + ")";
}

const char* OnOff(bool on) { return on ? "on" : "off"; }

std::string Plural(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string ListAnswers(const std::vector<NativeAnswer>& answers) {
  std::string text;
  for (const NativeAnswer& answer : answers) {
    if (!text.empty()) text += ", ";
    text += answer.name + " ";
    for (const std::int32_t earlier : answer.earlier) text += std::to_string(earlier) + " then ";
    text += answer.value ? std::to_string(*answer.value) : "as the game would";
  }
  return text;
}

}  // namespace

std::string FormatNumber(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

std::string FormatPosition(const sim::Vec3& position) {
  return "(" + FormatNumber(position.x) + ", " + FormatNumber(position.y) + ", " +
         FormatNumber(position.z) + ")";
}

std::string TickPrefix(int tick) {
  char text[24];
  std::snprintf(text, sizeof text, "tick %4d  ", tick);
  return text;
}

std::string Header(const Scenario& scenario) {
  std::string text;
  if (!scenario.description.empty()) text += scenario.description + "\n";
  text += "player " + std::to_string(scenario.player.handle) + " at " +
          FormatPosition(scenario.player.position) + ", " +
          Plural(static_cast<int>(scenario.peds.size()), "ped", "peds") + ", " +
          Plural(scenario.ticks, "tick", "ticks") +
          (scenario.tickClocks.empty() ? " of " + std::to_string(scenario.tickMs) + " ms"
                                       : " at the clocks given") +
          (scenario.settings ? ", starting with the settings given" : "") + "\n";
  return text;
}

std::string DescribeKey(const KeyEvent& event, int ms) {
  const char* motion = event.motion == KeyMotion::Press     ? "pressed"
                       : event.motion == KeyMotion::Release ? "released"
                                                            : "tapped";
  std::string text = "key " + KeyLabel(static_cast<std::int32_t>(event.key)) + " " + motion;
  if (ms != 0) text += " " + std::to_string(ms) + " ms after the last tick";
  return text;
}

std::string DescribePedChange(const PedChange& change) {
  std::string text;
  if (change.position) text += "moves to " + FormatPosition(*change.position);
  if (change.listed) {
    text += (text.empty() ? "" : ", ");
    text += *change.listed ? "listed" : "no longer listed";
  }
  if (!change.answers.empty())
    text += (text.empty() ? "answers " : ", answers ") + ListAnswers(change.answers);
  return "ped " + std::to_string(change.handle) + (text.empty() ? " unchanged" : " " + text);
}

std::string DescribeWorldAnswers(const WorldAnswers& change) {
  return "natives answer " + ListAnswers(change.answers);
}

std::string DescribeIniChange(const IniChange& change) {
  if (change.unreadable) return "Scuffler.ini made a file that opens but cannot be read";
  if (!change.text) return "Scuffler.ini deleted";
  int lines = 0;
  for (const char c : *change.text) lines += c == '\n' ? 1 : 0;
  if (!change.text->empty() && change.text->back() != '\n') ++lines;
  return "Scuffler.ini written, " + Plural(lines, "line", "lines") +
         (change.paddedTo > change.text->size()
              ? ", padded with comments to " + std::to_string(change.paddedTo) + " bytes"
              : "");
}

std::string SettingValue(const scuffler::SettingField& field, const Settings& settings) {
  switch (field.type) {
    case scuffler::SettingType::KeyCode:
      return KeyWithCode(settings.*field.keyCode);
    case scuffler::SettingType::Distance:
      return FormatNumber(settings.*field.distance);
    case scuffler::SettingType::Seconds:
      return std::to_string(settings.*field.seconds) +
             (settings.*field.seconds == 0 ? " (off)" : " s");
    case scuffler::SettingType::Switch:
      break;
  }
  return OnOff(settings.*field.toggle);
}

std::string DescribeAllSettings(const Settings& settings) {
  std::string text;
  for (const scuffler::SettingField& field : scuffler::kSettingFields) {
    text +=
        (text.empty() ? "" : ", ") + std::string(field.name) + " " + SettingValue(field, settings);
  }
  return "settings: " + text;
}

std::optional<std::string> DescribeSettings(const Settings& before, const Settings& after) {
  std::string text;
  for (const scuffler::SettingField& field : scuffler::kSettingFields) {
    const std::string was = SettingValue(field, before);
    const std::string now = SettingValue(field, after);
    // By value and, for the distance, bitwise, so that a change to or from a value that is not a
    // number still shows.
    const bool same =
        field.type == scuffler::SettingType::Distance
            ? std::memcmp(&(before.*field.distance), &(after.*field.distance), sizeof(float)) == 0
            : was == now;
    if (same) continue;
    text += (text.empty() ? "" : ", ") + std::string(field.name) + " " + was + " -> " + now;
  }
  if (text.empty()) return std::nullopt;
  return "settings: " + text;
}

std::optional<std::string> DescribeEngaged(std::int32_t before, std::int32_t after) {
  if (before == after) return std::nullopt;
  const std::string was = before == 0 ? "" : " (was ped " + std::to_string(before) + ")";
  if (after == 0) return "no engaged ped" + was;
  return "engaged ped " + std::to_string(after) + was;
}

std::string DescribeAway(float distance) {
  char away[32];
  std::snprintf(away, sizeof away, "%.2f away", static_cast<double>(distance));
  return away;
}

std::string DescribeListedPed(const ListedPed& ped) {
  return "ped " + std::to_string(ped.handle) + ": " + ped.check +
         (ped.distance ? ", " + DescribeAway(*ped.distance) : "");
}

std::string DescribeNoTarget(const std::vector<ListedPed>& peds) {
  constexpr std::size_t kNamed = 5;
  if (peds.empty()) return "no target [nobody listed]";
  std::string text = "no target [";
  for (std::size_t i = 0; i < std::min(peds.size(), kNamed); ++i) {
    const ListedPed& ped = peds[i];
    const std::string why =
        ped.check == kEligible && ped.distance ? DescribeAway(*ped.distance) : ped.check;
    text += (i == 0 ? "" : ", ") + ("ped " + std::to_string(ped.handle) + ": " + why);
  }
  if (peds.size() > kNamed) text += " and " + std::to_string(peds.size() - kNamed) + " more";
  return text + "]";
}

std::optional<std::string> DescribeTarget(std::int32_t before, std::int32_t after, float distance) {
  if (before == after) return std::nullopt;
  const std::string was = before == 0 ? "" : " (was ped " + std::to_string(before) + ")";
  if (after == 0) return "no target" + was;
  char away[32];
  std::snprintf(away, sizeof away, ", %.2f away", static_cast<double>(distance));
  return "target ped " + std::to_string(after) + away + was;
}

std::string DescribeTrigger(const TriggerOutcome& outcome) {
  std::string text;
  const char* action = "";
  if (outcome.row != scuffler::kRandomTrigger) {
    const scuffler::MeleeAction& row = scuffler::kMeleeActions[outcome.row];
    text = std::string(SettingName(row.keyCode)) + " (" + KeyLabel(outcome.key) + "): ";
    action = row.name;
  } else {
    text = "special-ability action pressed on a controller, the game picked " +
           std::to_string(outcome.pick) + ": ";
    if (outcome.pick < 0 || outcome.pick >= static_cast<std::int32_t>(kActionRows)) {
      return text + "outside 0 to 4, nothing started";
    }
    action = scuffler::kMeleeActions[outcome.pick].name;
  }
  if (outcome.target == 0) {
    return text + "no one to act on" + (outcome.reason.empty() ? "" : " (" + outcome.reason + ")") +
           (outcome.row != scuffler::kRandomTrigger ? ", the release is used up" : "");
  }
  return text + action + " on ped " + std::to_string(outcome.target) + ", " + outcome.role;
}

std::string DescribeUnusedRelease(std::int32_t key, bool bound, std::uint32_t ageMs) {
  std::string text = "release of " + KeyLabel(key) + " not taken: ";
  if (!bound) return text + "no action is bound to it";
  return text + std::to_string(ageMs) + " ms old at the tick, past the 100 ms window";
}

std::string DescribeSaveKeyWritten(std::int32_t key, const std::string& file, bool kept) {
  return "iSaveRecordingKey (" + KeyLabel(key) + "): the game saves a recording here" +
         (kept ? ", written to " + file : ", which could not be written to " + file);
}

std::string DescribeSaveKey(std::int32_t key) {
  return "iSaveRecordingKey (" + KeyLabel(key) +
         "): the game saves a recording here (the sandbox writes none)";
}

std::string Summary(const RunTotals& totals) {
  int all = 0;
  for (const int count : totals.started) all += count;
  const std::string length = totals.spanMs >= 0 ? " over " + std::to_string(totals.spanMs) + " ms"
                                                : " of " + std::to_string(totals.tickMs) + " ms";
  const std::string stopped =
      totals.stoppedAfter == 0
          ? ""
          : " (stopped after tick " + std::to_string(totals.stoppedAfter) + " by --until)";
  std::string text = "summary" + stopped + ": " + Plural(totals.ticks, "tick", "ticks") + length +
                     ", " + Plural(all, "action", "actions") + " started\n";
  for (std::size_t row = 0; row < kActionRows; ++row) {
    char line[80];
    std::snprintf(line, sizeof line, "  %4d  %s\n", totals.started[row],
                  scuffler::kMeleeActions[row].name);
    text += line;
  }
  text += "  " + Plural(totals.releasesWithoutTarget, "key release", "key releases") +
          " used up with no one to act on\n";
  return text;
}

}  // namespace sandbox
