// libFuzzer target for the settings file from memory, the fast one: arbitrary bytes go through
// the line splitter, the line parser and the document model as the reader parses a file it has
// read, then through the assignment of the settings. The parse onto a document holding
// something else (a rebuild) must give what the plain reference gives; the parse of the same
// bytes again, and of the same bytes with other digits in their values (usually the reuse of a
// document of the same shape), must give what a parse into an empty document gives. The file
// itself is the other target's (FileFuzzer.cpp).
//
// Nothing is kept from one input to the next: a finding replays from its input alone.
#include <cstdint>
#include <string>

#include "Properties.h"
#include "ini/IniFileLoader.h"
#include "settings/ConvertSetting.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"

using namespace scuffler;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  fuzz::CheckClassify(bytes);  // the whole input as one line, line-end bytes and all

  fuzz::CheckLines(bytes);
  const IniDocument expected = fuzz::ReferenceDocument(bytes);
  GetOrCreate(SettingsDocument, "stale");  // a parse must not keep what the document held
  ReparseText(bytes, SettingsDocument, SettingsReadBuffers);
  fuzz::CheckDocument(SettingsDocument, expected);
  const Settings before = gSettings;
  AssignSettings(SettingsDocument, gSettings);
  fuzz::CheckSettings(before, expected);
  // The same bytes again, onto the document they made: a tick with the file unchanged.
  ReparseText(bytes, SettingsDocument, SettingsReadBuffers);
  fuzz::CheckEntries(SettingsDocument, expected);

  // The conversions on raw text, beyond what the parser lets through (leading whitespace).
  ConvertKeyCode(bytes);
  ConvertDistance(bytes);
  ConvertSwitch(bytes);

  Clear(SettingsDocument);
  return 0;
}
