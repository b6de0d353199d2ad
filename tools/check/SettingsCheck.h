// The settings checker's judgement of one Scuffler.ini: what the plug-in makes of each setting
// when the game starts with the file, and every line it does not use, reads otherwise than it
// looks, binds to a key that never fires or to a key something else takes first, in a player's
// words and, where one is clear, with the line to write instead.
//
// Nothing here parses, converts or orders on its own: the file goes through the plug-in's own
// parse (ParseLines, which says when a line replaces an earlier one), its own assignment of the
// settings (AssignSettings), its key table, its order of key tests (kKeyTesterOrder, kTriggerOrder)
// and its search bound (SearchBound); this only puts what they report into words. Pure functions;
// any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scuffler {

// One setting as the plug-in reads it at the start of the game.
struct CheckedSetting {
  std::string name;
  std::string value;     // as a player writes it: "F5 (116)", "7.5", "on"
  std::size_t line = 0;  // the line it came from; 0: the default
  bool kept = false;     // a line names it but does not convert, so the default stays
};

// What a finding is about; each kind has a heading of its own in the report.
enum class FindingKind : std::uint8_t {
  Misread,     // a line the plug-in ignores, or reads otherwise than it looks
  NeverFires,  // a key no keyboard message here ever releases, or no key at all
  Clash,       // a key another setting takes first, or one the game acts on too
  Note,        // harmless: does not fail the check
};

struct Finding {
  std::size_t line = 0;  // 0: the file as a whole
  FindingKind kind = FindingKind::Misread;
  std::string text;  // why, and what to write instead
  // The whole line to write instead, when the finding suggests one; written there, the line has
  // no finding of its own.
  std::optional<std::string> replacement;
};

struct SettingsCheck {
  std::vector<CheckedSetting> settings;  // in the order of the settings table
  std::vector<Finding> findings;         // in line order, the file's own first
  std::vector<std::string> lines;        // the file's lines as printed: control bytes escaped
  std::size_t problems = 0;              // findings that are not notes
  bool misnamed = false;                 // the file is not named Scuffler.ini (JudgeFileName)
};

// Judges `bytes`, the whole settings file.
SettingsCheck CheckSettingsText(std::string_view bytes);

// Adds to `check` a finding when `fileName`, the name the file was given by, is not the one the
// game reads, Scuffler.ini, in any letter case (as Windows compares names).
void JudgeFileName(SettingsCheck& check, std::string_view fileName);

// The checker's whole report on `check`, read from `path`: lines of at most kConsoleColumns.
std::string FormatReport(const SettingsCheck& check, const std::string& path);

}  // namespace scuffler
