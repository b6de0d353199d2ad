#include "SettingsCheck.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "ini/ForEachLine.h"
#include "ini/IniDocument.h"
#include "ini/ParseLines.h"
#include "input/KeyNames.h"
#include "input/KeyStateTable.h"
#include "melee/Triggers.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"

namespace scuffler {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::int32_t kUnbound = -1;

char Folded(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Letters added, dropped or changed to turn `a` into `b`, capitals aside.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t change = diagonal + (Folded(a[i - 1]) == Folded(b[j - 1]) ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, change});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// A name a player most likely meant: the same but for capitals, or for one letter.
bool NearlyNamed(std::string_view written, std::string_view real) {
  return EditDistance(written, real) <= 1;
}

// A sentence's first letter in capitals, unless its first word is a name such as iKickToChest.
std::string Capital(std::string text) {
  const std::size_t word = text.find_first_of(" :,.");
  const bool lower =
      std::all_of(text.begin(), text.begin() + (word == std::string::npos ? text.size() : word),
                  [](char c) { return c >= 'a' && c <= 'z'; });
  if (!text.empty() && lower) text[0] = Folded(text[0]);
  return text;
}

std::string Count(std::size_t count, const char* thing) {
  return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

// `text` as lines of at most 100 columns after `indent`, broken at spaces, for a console window.
std::string Wrapped(const std::string& text, const std::string& indent) {
  constexpr std::size_t kWidth = 100;
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.size();
    if (end - at > kWidth - indent.size()) {
      const std::size_t space = text.rfind(' ', at + kWidth - indent.size());
      end = space != std::string::npos && space > at ? space : text.find(' ', at + 1);
      if (end == std::string::npos) end = text.size();
    }
    out += "\n" + indent + text.substr(at, end - at);
    at = end < text.size() ? end + 1 : end;
  }
  return out + "\n";
}

std::string Quoted(std::string_view text) { return "\"" + Printable(text) + "\""; }

const SettingField* NearestSetting(std::string_view name) {
  for (const SettingField& field : kSettingFields) {
    if (NearlyNamed(name, field.name)) return &field;
  }
  return nullptr;
}

// The key name nearest to `word`, when it is near enough to be a slip.
std::optional<std::string_view> NearestKeyName(std::string_view word) {
  std::optional<std::string_view> best;
  std::size_t bestDistance = word.size() < 4 ? 1 : 2;
  for (const NamedKey* key = AllKeys().begin; key != AllKeys().end; ++key) {
    const std::size_t distance = EditDistance(word, key->name);
    if (distance <= bestDistance && (!best || distance < bestDistance)) {
      best = key->name;
      bestDistance = distance;
    }
  }
  return best;
}

std::string GameKeyNames() {
  std::string names;
  for (const NamedKey* key = AllKeys().begin; key != AllKeys().end; ++key) {
    if (key->reach != KeyReach::GameKey) continue;
    names += (names.empty() ? "" : ", ") + std::string(key->name);
  }
  return names;
}

std::string KeyCodeText(std::int32_t code) {
  const std::string number = std::to_string(code);
  if (code == kUnbound) return "-1 (no key)";
  const std::string_view name = KeyName(code);
  if (!name.empty()) return std::string(name) + " (" + number + ")";
  return number +
         (code <= 0 || code >= static_cast<std::int32_t>(kKeySlotCount) ? " (no key)" : "");
}

std::string DistanceText(float distance) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(distance));
  return text;
}

std::string ValueText(const SettingField& field, const Settings& settings) {
  switch (field.type) {
    case SettingType::KeyCode:
      return KeyCodeText(settings.*field.keyCode);
    case SettingType::Distance:
      return DistanceText(settings.*field.distance);
    case SettingType::Seconds:
      return std::to_string(settings.*field.seconds) +
             (settings.*field.seconds == 0 ? " (no recording)" : " seconds");
    case SettingType::Switch:
      break;
  }
  return settings.*field.toggle ? "on" : "off";
}

// Where a trigger of `field` runs in the tick: of two settings on one key, the earlier takes the
// release. Settings that start no move come last.
std::size_t TriggerPlace(const SettingField& field) {
  std::size_t place = 0;
  for (const int trigger : kTriggerOrder) {
    if (trigger != kRandomTrigger && kMeleeActions[trigger].keyCode == field.keyCode) return place;
    ++place;
  }
  return place;
}

bool StartsAMove(const SettingField& field) {
  return TriggerPlace(field) < std::size(kTriggerOrder);
}

// The words of `text` that are key names, for a value like "Shift+F5" that holds several.
std::string KeyNamesWithin(std::string_view text) {
  std::string names;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = at;
    while (end < text.size() &&
           (std::isalnum(static_cast<unsigned char>(text[end])) != 0 || text[end] == '_')) {
      ++end;
    }
    if (end > at) {
      const std::optional<std::int32_t> code = KeyCodeByName(text.substr(at, end - at));
      const NamedKey* const key = code ? FindKey(*code) : nullptr;
      if (key != nullptr && key->reach == KeyReach::Keyboard)
        names += (names.empty() ? "" : " or ") + std::string(KeyName(*code));
      at = end;
    } else {
      ++at;
    }
  }
  return names;
}

// Advice for "Right Ctrl" or "left shift": the keyboard messages tell neither side apart.
std::string SidedWithin(std::string_view text) {
  const std::size_t space = text.find_first_of(" \t");
  if (space == std::string_view::npos) return std::string();
  const std::string_view side = text.substr(0, space);
  if (!SameIgnoringCase(side, "Left") && !SameIgnoringCase(side, "Right")) return std::string();
  const std::optional<std::int32_t> code =
      KeyCodeByName(std::string(1, side[0]) + std::string(Trimmed(text.substr(space))));
  const NamedKey* const key = code ? FindKey(*code) : nullptr;
  if (key == nullptr || key->reach != KeyReach::SidedModifier) return std::string();
  const NamedKey* const either = FindKey(key->carriedAs);
  return "the keyboard messages carry " + std::string(either->name) + " for either side: " +
         (either->reach == KeyReach::GameKey
              ? std::string(either->name) + " is a key the game itself uses: choose another key."
              : "write " + std::string(either->name) + ".");
}

// What a key setting takes instead of `text`, which did not convert whole.
std::string KeyAdvice(std::string_view text) {
  const std::string_view value = Trimmed(text);
  if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
    const long code = std::strtol(std::string(value).c_str(), nullptr, 16);
    if (code > 0 && code < static_cast<long>(kKeySlotCount)) {
      const std::string_view name = KeyName(static_cast<std::int32_t>(code));
      return "key codes are decimal numbers: write " + std::to_string(code) +
             (name.empty() ? "" : " or " + std::string(name)) + " for " + std::string(value) + ".";
    }
  }
  std::string joined;
  for (const char c : value) {
    if (c != ' ' && c != '\t') joined.push_back(c);
  }
  const std::string sided = SidedWithin(value);
  if (!sided.empty()) return sided;
  if (KeyCodeByName(joined)) return "write " + joined + ", without spaces.";
  const std::string within = KeyNamesWithin(value);
  if (!within.empty()) return "a setting takes one key: write " + within + ".";
  return "write one key name or a decimal key code; the file's comments list the names.";
}

// Which settings line gave each setting its text: the last of its name under [Scuffler].
struct SettingLines {
  std::size_t row[kSettingCount] = {};
};

class Checker {
 public:
  explicit Checker(std::string_view bytes) : bytes_(bytes) {}

  SettingsCheck Run() {
    FileWide();
    ParseLines(bytes_, document_, buffers_,
               [this](const ClassifiedLine& line, const std::string* section) {
                 check_.lines.push_back(Printable(line.raw));
                 Remember(line, section);
               });
    const SettingReadings readings = AssignSettings(document_, settings_);
    for (const Line& line : lines_) Judge(line, readings);
    Collisions();
    List(readings);
    std::stable_sort(check_.findings.begin(), check_.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    for (const Finding& finding : check_.findings) check_.problems += finding.problem ? 1 : 0;
    return std::move(check_);
  }

 private:
  struct Line {
    std::size_t number;
    std::string raw;
    std::string kept;  // without the CR and NUL bytes the reader drops
    LineKind kind;
    std::string name;
    std::string value;
    std::optional<std::string> section;
    std::size_t sectionLine;  // the header the line is under; 0 for none
  };

  void Problem(std::size_t line, std::string text) {
    check_.findings.push_back({line, true, std::move(text)});
  }
  void Note(std::size_t line, std::string text) {
    check_.findings.push_back({line, false, std::move(text)});
  }

  // What the encoding or the line ends do to the file as a whole.
  void FileWide() {
    utf16_ = bytes_.size() >= 2 && ((bytes_[0] == '\xFF' && bytes_[1] == '\xFE') ||
                                    (bytes_[0] == '\xFE' && bytes_[1] == '\xFF'));
    if (utf16_) {
      Problem(1,
              "the file is saved as UTF-16 (Notepad calls it \"Unicode\"): the plug-in reads "
              "bytes and does not see its first line as it looks. Save it as UTF-8 or ANSI "
              "(Notepad: File, Save as, Encoding).");
    }
  }

  void Remember(const ClassifiedLine& line, const std::string* section) {
    std::string copy;
    const std::string kept(WithoutDroppedBytes(line.raw, copy));
    if (line.kind == LineKind::Section) sectionLine_ = line.number;
    lines_.push_back({line.number, std::string(line.raw), kept, line.kind, std::string(line.name),
                      std::string(line.value),
                      section ? std::optional<std::string>(*section) : std::nullopt,
                      line.kind == LineKind::KeyValue && section ? sectionLine_ : 0});
    if (line.kind == LineKind::KeyValue && section && *section == kSettingsSection) {
      for (std::size_t row = 0; row < kSettingCount; ++row) {
        if (line.name == kSettingFields[row].name) settingLines_.row[row] = line.number;
      }
    }
  }

  void Judge(const Line& line, const SettingReadings& readings) {
    if (!utf16_ && line.raw.find('\r') != std::string::npos) {
      Problem(line.number,
              "this line holds line ends without a line feed (a carriage return "
              "alone, as some editors save): the plug-in reads all of it as one "
              "line, " +
                  Quoted(line.kept) + ". Save the file with Windows line ends (CR LF).");
    } else if (!utf16_ && line.raw.find('\0') != std::string::npos) {
      Note(line.number,
           "the plug-in drops the NUL bytes in this line and reads " + Quoted(line.kept) + ".");
    }
    if (line.number == 1 &&
        (utf16_ || line.kept.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0)) {
      Mark(line);
      return;
    }
    switch (line.kind) {
      case LineKind::Blank:
      case LineKind::Comment:
        return;
      case LineKind::Unrecognised:
        Unrecognised(line);
        return;
      case LineKind::Section:
        Section(line);
        return;
      case LineKind::KeyValue:
        break;
    }
    Setting(line, readings);
  }

  // The first line behind a byte-order mark: what it would be without the mark.
  void Mark(const Line& line) {
    ParsedLine parsed;
    const std::size_t mark = utf16_ ? 2 : kByteOrderMark.size();
    const LineKind without =
        ClassifyLine(line.kept.substr(std::min(mark, line.kept.size())), parsed);
    markHidesHeader_ = without == LineKind::Section;
    if (utf16_) return;  // said of the whole file already
    if (without == LineKind::Section || without == LineKind::KeyValue) {
      Problem(line.number,
              "an invisible byte-order mark stands at the start of the file, so the "
              "plug-in does not read this line as it looks. Save the file as UTF-8 "
              "without BOM or as ANSI (Notepad: File, Save as, Encoding), or put a "
              "comment line (starting with ;) first.");
    } else {
      Note(line.number,
           "the file starts with an invisible byte-order mark; here it is harmless, "
           "as the first line is no section or setting.");
    }
  }

  void Unrecognised(const Line& line) {
    const std::string text = std::string(Trimmed(line.kept));
    std::string why =
        "the plug-in ignores this line: it is no comment (those start with ;), no "
        "[section] and no name = value.";
    if (text[0] == '#') {
      why = "the plug-in ignores this line: only ; starts a comment. Write ; instead of #.";
    } else if (text[0] == '[') {
      why =
          "the plug-in ignores this line: a section header is [Name], its closing ] before any ;.";
    } else if (text.find(':') != std::string::npos) {
      why = "the plug-in ignores this line: a setting is name = value, with =, not :.";
    }
    Problem(line.number, why);
  }

  void Section(const Line& line) {
    if (line.name == kSettingsSection) return;
    if (NearlyNamed(line.name, kSettingsSection)) {
      Problem(line.number,
              "the plug-in reads only the section [Scuffler], spelled exactly, "
              "capitals included: write [Scuffler].");
    } else {
      Note(line.number,
           "the plug-in reads only the section [Scuffler]: it ignores this one and "
           "every line under it.");
    }
  }

  void Setting(const Line& line, const SettingReadings& readings) {
    const SettingField* const likely = NearestSetting(line.name);
    const std::string meant = likely != nullptr && line.name != likely->name
                                  ? std::string(" Did you mean ") + likely->name + "?"
                                  : std::string();
    if (!line.section) {
      Problem(line.number,
              std::string("this line stands before any section header, and the plug-in reads "
                          "only the lines under [Scuffler]") +
                  (markHidesHeader_ ? " (the one on line 1 is not read: see there)."
                                    : ": put a [Scuffler] line above it."));
      return;
    }
    if (*line.section != kSettingsSection) {
      Problem(line.number, "this line is under [" + Printable(*line.section) + "] (line " +
                               std::to_string(line.sectionLine) +
                               "), and the plug-in reads only the lines under [Scuffler]." + meant);
      return;
    }
    const SettingField* const field = FindSettingField(line.name);
    if (field == nullptr) {
      Problem(line.number, "Scuffler has no setting named " + Quoted(line.name) +
                               (meant.empty() ? ": the plug-in ignores this line."
                                              : "; setting "
                                                "names are spelled exactly, capitals included." +
                                                    meant));
      return;
    }
    const std::size_t row = static_cast<std::size_t>(field - kSettingFields);
    if (settingLines_.row[row] != line.number) {
      Problem(line.number, std::string(field->name) + " is set again on line " +
                               std::to_string(settingLines_.row[row]) +
                               ", and the last line wins: the plug-in does not use this one.");
      return;
    }
    Value(line, *field, readings[row]);
  }

  void Value(const Line& line, const SettingField& field, Reading reading) {
    const std::string value = Quoted(Trimmed(line.value));
    const std::string read = ValueText(field, settings_);
    const std::string keeps = " The plug-in keeps " + std::string(field.name) +
                              " as it was: when the game starts, the default, " +
                              ValueText(field, Settings{}) +
                              "; while it runs, the value read before.";
    const std::string advice =
        field.type == SettingType::KeyCode    ? " " + Capital(KeyAdvice(line.value))
        : field.type == SettingType::Distance ? " Write a number such as 7.5."
        : field.type == SettingType::Seconds
            ? " Write a whole number of seconds from 1 to " + std::to_string(kMaxRecordSeconds) +
                  ", or 0 for no recording."
            : " Write on or off.";
    switch (reading) {
      case Reading::Whole:
        break;
      case Reading::WholeAndComment:
        Note(line.number, "read as " + read + ": the text from ; on is a comment.");
        break;
      case Reading::LeadingNumber:
        Problem(line.number, value + " is read as " + read +
                                 ": the plug-in takes the number it "
                                 "starts with and ignores the rest." +
                                 LeadingAdvice(line, field));
        return;
      case Reading::Empty:
        Problem(line.number, "no value." + keeps);
        return;
      case Reading::NotWhole:
        Problem(line.number,
                value + " is not one " + Kind(field) + ", so it binds nothing." + keeps + advice);
        return;
      case Reading::UnknownWord: {
        const std::optional<std::string_view> nearest =
            field.type == SettingType::KeyCode ? NearestKeyName(Trimmed(line.value)) : std::nullopt;
        Problem(line.number,
                value + " is no " + Kind(field) + "." + keeps +
                    (nearest ? " Did you mean " + std::string(*nearest) + "?" : advice));
        return;
      }
      case Reading::NoValue:
        Problem(line.number,
                value + " is neither a number nor a " + Kind(field) + "." + keeps + advice);
        return;
      case Reading::OutOfRange:
        Problem(line.number,
                value +
                    (field.type == SettingType::Seconds
                         ? " is outside 0 to " + std::to_string(kMaxRecordSeconds) + "."
                         : " is too large a number.") +
                    keeps + advice);
        return;
      case Reading::Missing:
        return;
    }
    if (field.type == SettingType::KeyCode) KeyCode(line, field, settings_.*field.keyCode);
    if (field.type == SettingType::Distance) Distance(line, settings_.*field.distance);
  }

  static std::string Kind(const SettingField& field) {
    return field.type == SettingType::Switch    ? "on or off word"
           : field.type == SettingType::KeyCode ? "key name"
           : field.type == SettingType::Seconds ? "number of seconds"
                                                : "number";
  }

  std::string LeadingAdvice(const Line& line, const SettingField& field) const {
    const std::string_view value = Trimmed(line.value);
    if (field.type == SettingType::KeyCode) return " " + Capital(KeyAdvice(value));
    if (field.type == SettingType::Distance && value.find(',') != std::string_view::npos) {
      std::string dotted(value.substr(0, value.find_first_of(" \t;")));
      std::replace(dotted.begin(), dotted.end(), ',', '.');
      return " Write " + dotted + ": a decimal point, not a comma.";
    }
    return " Write the number alone: " + ValueText(field, settings_) + ".";
  }

  void KeyCode(const Line& line, const SettingField& field, std::int32_t code) {
    const NamedKey* const key = FindKey(code);
    // The save key is no move: what its key does is save a recording.
    const bool move = StartsAMove(field);
    const std::string unbound = move ? "the move has no key" : "no key saves a recording";
    if (code == kUnbound) return;
    if (code < 0) {
      Problem(line.number, std::to_string(code) + " binds no key. Write -1 to unbind " +
                               (move ? "a move." : "it."));
    } else if (code >= static_cast<std::int32_t>(kKeySlotCount)) {
      Problem(line.number, "no key has the code " + std::to_string(code) +
                               " (codes go up to 254), so " + unbound +
                               ". Write -1 to unbind it, or a key name.");
    } else if (code == 0) {
      Problem(line.number,
              "0 is no key's code, so " + unbound + ". Write -1 to unbind it, or a key name.");
    } else if (key != nullptr && key->reach == KeyReach::MouseButton) {
      Problem(line.number, std::string(key->name) + " (" + std::to_string(code) +
                               ") is a mouse button: the script hook passes on keyboard "
                               "messages only, so it never " +
                               (move ? "starts the move" : "saves a recording") +
                               ". Choose a key.");
    } else if (key != nullptr && key->reach == KeyReach::SidedModifier) {
      const NamedKey* const carried = FindKey(key->carriedAs);
      const std::string either =
          std::string(carried->name) + " (" + std::to_string(carried->code) + ")";
      Problem(line.number, std::string(key->name) + " (" + std::to_string(code) +
                               ") never fires: the keyboard messages carry " + either +
                               " for either side." +
                               (carried->reach == KeyReach::GameKey
                                    ? " " + std::string(carried->name) +
                                          " is a key the game itself uses: choose another key."
                                    : " Write " + std::string(carried->name) + "."));
    } else if (key != nullptr && key->reach == KeyReach::GameKey) {
      Problem(line.number, std::string(key->name) + " is a key the game itself uses (" +
                               GameKeyNames() +
                               "): every press would do both. Choose another key.");
    }
  }

  void Distance(const Line& line, float distance) {
    if (std::isnan(distance)) {
      Problem(line.number,
              "not a number: the search then has no limit at all. Write a number such as 10.0.");
    } else if (std::isinf(distance)) {
      Problem(line.number,
              "infinite: every ped in the world is in reach. Write a number such as 10.0.");
    } else if (distance == 0) {
      Problem(line.number, "0: no ped is ever in reach. Write a number above 0, such as 10.0.");
    } else if (distance < 0) {
      Problem(line.number, "a negative distance works as its positive value (" +
                               DistanceText(-distance) + "). Write " + DistanceText(-distance) +
                               ".");
    }
  }

  // Two settings on one key: the earlier in the tick takes every release.
  void Collisions() {
    for (std::size_t a = 0; a < kSettingCount; ++a) {
      const SettingField& first = kSettingFields[a];
      if (first.type != SettingType::KeyCode) continue;
      for (std::size_t b = a + 1; b < kSettingCount; ++b) {
        const SettingField& second = kSettingFields[b];
        if (second.type != SettingType::KeyCode) continue;
        const std::int32_t code = settings_.*first.keyCode;
        if (code != settings_.*second.keyCode || code < 0 ||
            code >= static_cast<std::int32_t>(kKeySlotCount)) {
          continue;
        }
        const bool firstWins = TriggerPlace(first) <= TriggerPlace(second);
        const SettingField& winner = firstWins ? first : second;
        const SettingField& loser = firstWins ? second : first;
        const std::size_t loserLine = settingLines_.row[&loser - kSettingFields];
        const std::size_t line =
            loserLine != 0 ? loserLine : settingLines_.row[&winner - kSettingFields];
        // The save key is tested after every move, so it is the one that loses.
        const std::string lost = StartsAMove(loser) ? loser.name + std::string("'s never starts")
                                                    : std::string("a recording is never saved");
        Problem(line, std::string(loser.name) + " and " + winner.name + " are both on " +
                          KeyCodeText(code) + ": a release starts " + winner.name +
                          "'s move, which comes first in the tick, so " + lost +
                          ". Give each its own key.");
      }
    }
  }

  void List(const SettingReadings& readings) {
    for (std::size_t row = 0; row < kSettingCount; ++row) {
      const SettingField& field = kSettingFields[row];
      const bool converted = readings[row] == Reading::Whole ||
                             readings[row] == Reading::WholeAndComment ||
                             readings[row] == Reading::LeadingNumber;
      const std::size_t line = settingLines_.row[row];
      check_.settings.push_back(
          {field.name, ValueText(field, settings_), line, line != 0 && !converted});
    }
  }

  std::string_view bytes_;
  IniDocument document_;
  IniReadBuffers buffers_;
  Settings settings_;
  SettingsCheck check_;
  std::vector<Line> lines_;
  SettingLines settingLines_;
  std::size_t sectionLine_ = 0;
  bool utf16_ = false;
  bool markHidesHeader_ = false;
};

}  // namespace

namespace {

std::string Escaped(std::string_view text, bool keepUtf8) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 0x20 && byte < 0x7F) || (keepUtf8 && byte >= 0x80)) {
      out.push_back(c);
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0xF]);
    }
  }
  return out;
}

}  // namespace

std::string Printable(std::string_view text) { return Escaped(text, false); }

std::string PrintablePath(std::string_view path) { return Escaped(path, true); }

SettingsCheck CheckSettingsText(std::string_view bytes) { return Checker(bytes).Run(); }

std::string FormatReport(const SettingsCheck& check, const std::string& path) {
  std::string out =
      "Read " + PrintablePath(path) + "\n\nWhen the game starts with this file, Scuffler uses:\n";
  for (const CheckedSetting& setting : check.settings) {
    out += "  " + setting.name + " = " + setting.value;
    if (setting.kept) {
      out += ", default (line " + std::to_string(setting.line) +
             " does not convert; in a running game the value read before stays)";
    } else {
      out += setting.line != 0 ? ", line " + std::to_string(setting.line) : ", default";
    }
    out += "\n";
  }
  const std::size_t notes = check.findings.size() - check.problems;
  for (const bool problems : {true, false}) {
    if ((problems ? check.problems : notes) == 0) continue;
    out += problems ? "\nLines Scuffler does not use, or reads otherwise than they look:\n"
                    : "\nNotes, harmless:\n";
    for (const Finding& finding : check.findings) {
      if (finding.problem != problems) continue;
      out += "\n  line " + std::to_string(finding.line) + ": ";
      if (finding.line != 0 && finding.line <= check.lines.size())
        out += check.lines[finding.line - 1];
      out += Wrapped(Capital(finding.text), "    ");
    }
  }
  out += "\n";
  if (check.problems == 0) {
    out += "No problems: Scuffler reads every line as it looks";
    out += notes == 0 ? ".\n" : " (" + Count(notes, "note") + ").\n";
  } else {
    out += Count(check.problems, "problem") + (notes == 0 ? "" : ", " + Count(notes, "note")) +
           ": fix the lines above, save the file and run the check again.\n";
  }
  return out;
}

}  // namespace scuffler
