#include "ini/IniFileLoader.h"
#include "record/Recorder.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"

namespace scuffler {

void LoadSettings() {
  try {
    // The tick's one open of the file: when it does not open, Settings and the document stay as
    // they are; when it opens but cannot be read whole, the document is emptied and Settings stay.
    // IniSource's Read, in steps, so that the recorder sees the bytes before large buffers go.
    IniFileLoader loader(SettingsSource.fileName);
    const bool opened = IsOpen(loader.file);
    const bool read = opened && Reparse(loader, SettingsDocument, SettingsReadBuffers);
    if (gRecorderOn) {
      RecordSettingsFile(opened, read ? SettingsReadBuffers.bytes.data() : nullptr,
                         SettingsReadBuffers.bytes.size());
    }
    ReleaseLargeBuffers(SettingsReadBuffers);
    if (read) AssignSettings(SettingsDocument, gSettings);
    RecordSettingsAndApply();
  } catch (...) {
    // Only running out of memory (say, on a huge file) gets here. The tick must go on, and the
    // fields keep whatever they held; the next tick reads the file again.
  }
}

}  // namespace scuffler
