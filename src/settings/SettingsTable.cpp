#include "settings/SettingsTable.h"

#include <cstring>

#include "settings/SettingsFile.h"

namespace scuffler {
namespace {

constexpr SettingField Key(const char* name, std::int32_t Settings::*field) {
  return {name, SettingType::KeyCode, field, nullptr, nullptr, nullptr};
}

template <typename T>
Reading AssignConverted(const Converted<T>& converted, T& field) {
  if (converted.value) field = *converted.value;
  return converted.reading;
}

}  // namespace

const SettingField kSettingFields[kSettingCount] = {
    Key("iKick1NoRagdoll", &Settings::iKick1NoRagdoll),
    Key("iKickToChest", &Settings::iKickToChest),
    Key("iKickToLeg", &Settings::iKickToLeg),
    Key("iKick2MidFar", &Settings::iKick2MidFar),
    Key("iKick4Lowfar", &Settings::iKick4Lowfar),
    {"MAX_DISTANCE", SettingType::Distance, nullptr, &Settings::MAX_DISTANCE, nullptr, nullptr},
    {"iControllerRandomKick", SettingType::Switch, nullptr, nullptr,
     &Settings::iControllerRandomKick, nullptr},
    {"iRecordSeconds", SettingType::Seconds, nullptr, nullptr, nullptr, &Settings::iRecordSeconds},
    Key("iSaveRecordingKey", &Settings::iSaveRecordingKey),
};

const SettingField* FindSettingField(const std::string& name) {
  for (const SettingField& field : kSettingFields) {
    if (name == field.name) return &field;
  }
  return nullptr;
}

Reading AssignSetting(const SettingField& field, const std::string& text, Settings& settings) {
  switch (field.type) {
    case SettingType::KeyCode:
      return AssignConverted(ConvertKeyCode(text), settings.*field.keyCode);
    case SettingType::Distance:
      return AssignConverted(ConvertDistance(text), settings.*field.distance);
    case SettingType::Seconds:
      return AssignConverted(ConvertSeconds(text), settings.*field.seconds);
    case SettingType::Switch:
      break;
  }
  return AssignConverted(ConvertSwitch(text), settings.*field.toggle);
}

SettingReadings AssignSettings(const IniDocument& document, Settings& settings) {
  // The section is found once for all keys: nothing changes the document in between. A value that
  // does not convert, or a key the file does not hold, leaves its field as it was; the other keys
  // still load. A file caught half-saved by the player's editor thus changes nothing it does not
  // name.
  // Nothing is copied: each text is converted before the document can change again.
  const IniSection* const section = FindValue(document, kSettingsSection);
  SettingReadings readings{};
  for (std::size_t row = 0; row < kSettingCount; ++row) {
    const SettingField& field = kSettingFields[row];
    const std::string* const text = section != nullptr ? FindValue(*section, field.name) : nullptr;
    readings[row] = text != nullptr ? AssignSetting(field, *text, settings) : Reading::Missing;
  }
  return readings;
}

bool SameSettings(const Settings& a, const Settings& b) {
  for (const SettingField& field : kSettingFields) {
    const bool same =
        field.type == SettingType::KeyCode   ? a.*field.keyCode == b.*field.keyCode
        : field.type == SettingType::Seconds ? a.*field.seconds == b.*field.seconds
        : field.type == SettingType::Switch
            ? a.*field.toggle == b.*field.toggle
            : std::memcmp(&(a.*field.distance), &(b.*field.distance), sizeof(float)) == 0;
    if (!same) return false;
  }
  return true;
}

}  // namespace scuffler
