#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"

namespace scuffler {
namespace {

// What the last load that finished left in gSettings. Settings set by other means (a test, the
// sandbox) differ from it, and the next load then assigns from the document again.
Settings gLoaded;

}  // namespace

void LoadSettings(ReadObserver observe) {
  try {
    // The tick's one open of the file: when it does not open, Settings and the document stay as
    // they are; when it opens but cannot be read whole, the document is emptied and Settings stay.
    const ReadResult read = Read(SettingsSource, SettingsDocument, SettingsReadBuffers, observe);
    if (read == ReadResult::Rebuilt ||
        (read == ReadResult::Unchanged && !SameSettings(gSettings, gLoaded))) {
      AssignSettings(SettingsDocument, gSettings);
      gLoaded = gSettings;
      KeepParsedBytes(SettingsReadBuffers);
    }
  } catch (...) {
    // Only running out of memory (say, on a huge file) gets here. The tick must go on, and the
    // fields keep whatever they held; the next tick reads the file again.
  }
}

}  // namespace scuffler
