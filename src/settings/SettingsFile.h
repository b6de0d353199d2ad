// The settings file, its parsed document and the reader's buffers: the static objects behind
// LoadSettings.
//
// Built at module load (the file name first), used only on the script's thread.
#pragma once

#include "ini/IniDocument.h"
#include "ini/IniSource.h"

namespace scuffler {

// "Scuffler.ini", a bare relative name: the file beside the game, in its current directory.
extern const IniSource SettingsSource;
// The file as last read; rebuilt by every LoadSettings that finds the file.
extern IniDocument SettingsDocument;
// Kept from tick to tick, so that reading an unchanged file allocates nothing.
extern IniReadBuffers SettingsReadBuffers;

// Section [Scuffler], the only one the plug-in reads.
constexpr char kSettingsSection[] = "Scuffler";

}  // namespace scuffler
