#include "record/Recorder.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"

namespace scuffler {

void LoadSettings() {
  try {
    // The tick's one open of the file: when it does not open, Settings and the document stay as
    // they are; when it opens but cannot be read whole, the document is emptied and Settings stay.
    // The recorder, while on, keeps what the read found.
    if (Read(SettingsSource, SettingsDocument, SettingsReadBuffers,
             gRecorderOn ? RecordSettingsFile : nullptr)) {
      AssignSettings(SettingsDocument, gSettings);
    }
    RecordSettingsAndApply();
  } catch (...) {
    // Only running out of memory (say, on a huge file) gets here. The tick must go on, and the
    // fields keep whatever they held; the next tick reads the file again.
  }
}

}  // namespace scuffler
