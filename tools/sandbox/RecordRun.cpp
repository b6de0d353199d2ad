#include "RecordRun.h"

#include <fstream>

#include "ini/IniDocument.h"
#include "ini/IniFileLoader.h"
#include "ini/IniReadBuffers.h"
#include "settings/Settings.h"
#include "settings/SettingsTable.h"

namespace sandbox {

bool TurnsRecordingOn(const std::optional<std::string>& text) {
  if (!text) return false;
  scuffler::IniDocument document;
  scuffler::IniReadBuffers buffers;
  scuffler::ReparseText(*text, document, buffers);
  scuffler::Settings settings;
  scuffler::AssignSettings(document, settings);
  return scuffler::RecordingWanted(settings);
}

std::string WithRecordingOn(const std::optional<std::string>& text) {
  std::string edited = text.value_or("");
  if (!edited.empty() && edited.back() != '\n') edited += '\n';
  return edited + "[Scuffler]\niRecordSeconds = " + std::to_string(kRecordSecondsAdded) + "\n";
}

bool SaveToNamedFile(const scuffler::ByteRun* runs, std::size_t count, void* context) {
  std::ofstream file(*static_cast<const std::string*>(context), std::ios::binary | std::ios::trunc);
  for (std::size_t i = 0; i < count; ++i) {
    file.write(reinterpret_cast<const char*>(runs[i].bytes),
               static_cast<std::streamsize>(runs[i].size));
  }
  return static_cast<bool>(file.flush());
}

}  // namespace sandbox
