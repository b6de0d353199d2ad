#include <optional>
#include <string>

#include "settings/ConvertSetting.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

namespace scuffler {
namespace {

const std::string kNoText;

// The text of `key` in `section`, or empty text. Nothing is copied: the text is converted before
// the document can change again.
const std::string& SettingText(const IniSection* section, const char* key) {
  const std::string* const text = section != nullptr ? Find(*section, key) : nullptr;
  return text != nullptr ? *text : kNoText;
}

// A value that does not convert leaves its field as it was; the other keys still load.
void AssignKeyCode(const IniSection* section, const char* key, std::int32_t& field) {
  if (const std::optional<std::int32_t> value = ConvertKeyCode(SettingText(section, key))) {
    field = *value;
  }
}

void AssignDistance(const IniSection* section, const char* key, float& field) {
  if (const std::optional<float> value = ConvertDistance(SettingText(section, key))) {
    field = *value;
  }
}

// Unlike a key code, a switch the file does not name goes back to on, its initial value: deleting
// the line restores the default at once. A value that does not convert keeps its state.
void AssignSwitch(const IniSection* section, const char* key, bool& field) {
  const std::string* const text = section != nullptr ? Find(*section, key) : nullptr;
  if (text == nullptr) {
    field = true;
  } else if (const std::optional<bool> value = ConvertSwitch(*text)) {
    field = *value;
  }
}

}  // namespace

void AssignSettings() {
  // The section is found once for all keys: nothing changes the document in between.
  const IniSection* const section = Find(SettingsDocument, kSettingsSection);
  AssignKeyCode(section, "iKickToChest", gSettings.iKickToChest);
  AssignKeyCode(section, "iKickToLeg", gSettings.iKickToLeg);
  AssignKeyCode(section, "iKick1NoRagdoll", gSettings.iKick1NoRagdoll);
  AssignKeyCode(section, "iKick2MidFar", gSettings.iKick2MidFar);
  AssignKeyCode(section, "iKick4Lowfar", gSettings.iKick4Lowfar);
  AssignDistance(section, "MAX_DISTANCE", gSettings.MAX_DISTANCE);
  AssignSwitch(section, "iControllerRandomKick", gSettings.iControllerRandomKick);
}

void LoadSettings() {
  try {
    // The tick's one open of the file: when it does not open, Settings and the document stay as
    // they are; when it opens but cannot be read whole, the document is emptied and Settings stay.
    if (Read(SettingsSource, SettingsDocument, SettingsReadBuffers)) {
      AssignSettings();
    }
  } catch (...) {
    // Only running out of memory (say, on a huge file) gets here. The tick must go on, and the
    // fields keep whatever they held; the next tick reads the file again.
  }
}

}  // namespace scuffler
