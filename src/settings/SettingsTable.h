// The one list of the settings Scuffler.ini may hold: each key's name, the field of Settings it
// sets and how its text converts. LoadSettings assigns from it; the sandbox prints from it; the
// settings checker explains a file with it. A setting added here is known to all three.
//
// Pure data and functions over a caller's Settings; safe from any thread on distinct records.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "ini/IniDocument.h"
#include "settings/ConvertSetting.h"
#include "settings/Settings.h"

namespace scuffler {

enum class SettingType : std::uint8_t {
  KeyCode,   // a virtual-key code, by number or key name (ConvertKeyCode)
  Distance,  // a float (ConvertDistance)
  Switch,    // on or off (ConvertSwitch)
  Seconds,   // whole seconds, 0 to kMaxRecordSeconds (ConvertSeconds)
};

// One key of section [Scuffler]. Exactly one member pointer, the one `type` names, is set.
struct SettingField {
  const char* name;
  SettingType type;
  std::int32_t Settings::*keyCode;
  float Settings::*distance;
  bool Settings::*toggle;
  std::int32_t Settings::*seconds;
};

constexpr std::size_t kSettingCount = 9;
// In the order of the shipped file. Each field is assigned on its own, so the order changes no
// result.
extern const SettingField kSettingFields[kSettingCount];

// The row named exactly `name`, or null.
const SettingField* FindSettingField(const std::string& name);

// Converts `text` as `field` takes it and, when it converts, assigns the field of `settings`;
// otherwise the field keeps its value. Returns how the text was read.
Reading AssignSetting(const SettingField& field, const std::string& text, Settings& settings);

// How each row of kSettingFields was read, in its order.
using SettingReadings = std::array<Reading, kSettingCount>;

// Assigns every field from section [Scuffler] of `document`, each whose text converts; a key the
// document does not hold changes nothing and reads as Missing.
SettingReadings AssignSettings(const IniDocument& document, Settings& settings);

// Whether every field of `a` holds the same bits as that of `b` (a NaN distance equals itself).
bool SameSettings(const Settings& a, const Settings& b);

}  // namespace scuffler
