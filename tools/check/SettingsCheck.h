// The settings checker's judgement of one Scuffler.ini: what the plug-in makes of each setting
// when the game starts with the file, and every line it does not use or reads otherwise than it
// looks, in a player's words.
//
// Nothing here parses or converts on its own: the file goes through the plug-in's own parse
// (ParseLines), its own assignment of the settings (AssignSettings) and its key table, and this
// only puts what they report into words. Pure functions; any thread.
#pragma once

#include <cstddef>
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

struct Finding {
  std::size_t line = 0;  // 0: the file as a whole
  bool problem = true;   // false: a harmless note, which does not fail the check
  std::string text;      // why, and what to write instead
};

struct SettingsCheck {
  std::vector<CheckedSetting> settings;  // in the order of the settings table
  std::vector<Finding> findings;         // in line order, the file's own first
  std::vector<std::string> lines;        // the file's lines as printed: control bytes escaped
  std::size_t problems = 0;
};

// Judges `bytes`, the whole settings file.
SettingsCheck CheckSettingsText(std::string_view bytes);

// `text` with every byte outside printable ASCII written as \xNN (\t, \r and \n by name), so that
// no file can move the cursor or change the colours of the console that shows it, and no
// invisible byte (a byte-order mark) hides. A path keeps its UTF-8 letters (`Überfall`), which a
// console shows as they are; only its control bytes are escaped.
std::string Printable(std::string_view text);
std::string PrintablePath(std::string_view path);

// The checker's whole report on `check`, read from `path`.
std::string FormatReport(const SettingsCheck& check, const std::string& path);

}  // namespace scuffler
