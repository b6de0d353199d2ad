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
  const std::string* const text = section != nullptr ? FindValue(*section, key) : nullptr;
  return text != nullptr ? *text : kNoText;
}

// A value that does not convert, or a key the file does not hold, leaves its field as it was; the
// other keys still load. A file caught half-saved by the player's editor thus changes nothing it
// does not name.
template <typename T>
void Assign(const IniSection* section, const char* key, T& field,
            std::optional<T> (*convert)(const std::string&)) {
  if (const std::optional<T> value = convert(SettingText(section, key))) {
    field = *value;
  }
}

}  // namespace

void AssignSettings() {
  // The section is found once for all keys: nothing changes the document in between.
  const IniSection* const section = FindValue(SettingsDocument, kSettingsSection);
  Assign(section, "iKickToChest", gSettings.iKickToChest, ConvertKeyCode);
  Assign(section, "iKickToLeg", gSettings.iKickToLeg, ConvertKeyCode);
  Assign(section, "iKick1NoRagdoll", gSettings.iKick1NoRagdoll, ConvertKeyCode);
  Assign(section, "iKick2MidFar", gSettings.iKick2MidFar, ConvertKeyCode);
  Assign(section, "iKick4Lowfar", gSettings.iKick4Lowfar, ConvertKeyCode);
  Assign(section, "MAX_DISTANCE", gSettings.MAX_DISTANCE, ConvertDistance);
  Assign(section, "iControllerRandomKick", gSettings.iControllerRandomKick, ConvertSwitch);
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
