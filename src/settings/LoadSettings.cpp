#include <optional>
#include <string>

#include "ini/IniFileLoader.h"
#include "settings/ConvertSetting.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

namespace scuffler {
namespace {

const std::string kNoText;

// Each key looks its section up afresh: nothing is cached between keys or ticks. Nor is anything
// copied: the text is converted before the document can change again.
const std::string& SettingText(const char* key) {
  const IniSection* const section = Find(SettingsDocument, kSettingsSection);
  const std::string* const text = section != nullptr ? Find(*section, key) : nullptr;
  return text != nullptr ? *text : kNoText;
}

// A value that does not convert leaves its field as it was; the other keys still load.
void AssignKeyCode(const char* key, std::int32_t& field) {
  if (const std::optional<std::int32_t> value = ConvertKeyCode(SettingText(key))) {
    field = *value;
  }
}

void AssignDistance(const char* key, float& field) {
  if (const std::optional<float> value = ConvertDistance(SettingText(key))) {
    field = *value;
  }
}

}  // namespace

void LoadSettings() {
  try {
    {
      // Cheap existence test first: a missing file changes neither Settings nor the document.
      const IniFileLoader probe(SettingsSource.fileName);
      if (!IsOpen(probe.file)) {
        return;
      }
    }
    Read(SettingsSource, SettingsDocument);
    AssignKeyCode("iKickToChest", gSettings.iKickToChest);
    AssignKeyCode("iKickToLeg", gSettings.iKickToLeg);
    AssignKeyCode("iKick1NoRagdoll", gSettings.iKick1NoRagdoll);
    AssignKeyCode("iKick2MidFar", gSettings.iKick2MidFar);
    AssignKeyCode("iKick4Lowfar", gSettings.iKick4Lowfar);
    AssignDistance("MAX_DISTANCE", gSettings.MAX_DISTANCE);
  } catch (...) {
    // Only running out of memory (say, on a huge file) gets here. The tick must go on, and the
    // fields keep whatever they held; the next tick reads the file again.
  }
}

}  // namespace scuffler
