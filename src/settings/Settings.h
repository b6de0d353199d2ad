// The plug-in's tunable values and their refresh from Scuffler.ini.
//
// Script context only: LoadSettings runs at the start of every tick and is the only writer;
// the search and the triggers read the fields directly afterwards.
#pragma once

#include <cstdint>

#include "ini/IniSource.h"

namespace scuffler {

// Each field is named after its key in section [Scuffler] of Scuffler.ini. Key codes are Windows
// virtual-key codes; 0 to 254 selects a key, anything else (negative included) binds none.
struct Settings {
  std::int32_t iKick1NoRagdoll = 71;     // G
  std::int32_t iKickToChest = 38;        // up arrow
  std::int32_t iKickToLeg = 40;          // down arrow
  std::int32_t iKick2MidFar = 39;        // right arrow
  std::int32_t iKick4Lowfar = 37;        // left arrow
  float MAX_DISTANCE = 10.0f;            // radius of the target search, in world units
  bool iControllerRandomKick = true;     // the controller's special-ability action starts a move
  std::int32_t iRecordSeconds = 0;       // seconds of ticks the recorder keeps; 0: no recording
  std::int32_t iSaveRecordingKey = 145;  // Scroll Lock: writes what the recorder keeps to a file
};

extern Settings gSettings;

// The key that saves a recording: the recorder tests it after the triggers (kKeyTesterOrder).
inline constexpr std::int32_t Settings::*kSaveKeySetting = &Settings::iSaveRecordingKey;

// Whether `settings` ask for a recording: only then does the recorder keep ticks and test the
// save key, so only then can another binding take the save key's release.
inline bool RecordingWanted(const Settings& settings) { return settings.iRecordSeconds > 0; }

// Refreshes gSettings from Scuffler.ini in the current directory. When the file does not open,
// nothing changes; a value that does not convert leaves its field as it was. The file is opened
// and read every time; when its bytes are those of the last load that finished, and gSettings
// still hold what that load gave, nothing is parsed again, as a parse would change nothing.
// `observe` is told what the read found (the recorder, while it records).
void LoadSettings(ReadObserver observe = nullptr);

}  // namespace scuffler
