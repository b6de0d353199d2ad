#include "settings/SettingsFile.h"

namespace scuffler {

// Defined together and in this order so that the file name exists before the document.
const IniSource SettingsSource{"Scuffler.ini"};
IniDocument SettingsDocument;
IniReadBuffers SettingsReadBuffers;

}  // namespace scuffler
