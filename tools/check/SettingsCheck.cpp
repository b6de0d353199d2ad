#include "SettingsCheck.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

#include "Wording.h"
#include "ini/ForEachLine.h"
#include "ini/IniDocument.h"
#include "ini/ParseLines.h"
#include "input/KeyNames.h"
#include "input/KeyStateTable.h"
#include "melee/ScriptLoop.h"
#include "melee/Triggers.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"

namespace scuffler {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::int32_t kUnbound = -1;
constexpr std::int32_t kHighestCode = static_cast<std::int32_t>(kKeySlotCount) - 1;
constexpr char kGameReads[] = "Scuffler.ini";

// A name a player most likely meant: the same but for capitals, or for one letter.
bool NearlyNamed(std::string_view written, std::string_view real) {
  return EditDistance(written, real) <= 1;
}

const SettingField* NearestSetting(std::string_view name) {
  for (const SettingField& field : kSettingFields) {
    if (NearlyNamed(name, field.name)) return &field;
  }
  return nullptr;
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
  return number + (code <= 0 || code > kHighestCode ? " (no key)" : "");
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
             (settings.*field.seconds == 0   ? " (no recording)"
              : settings.*field.seconds == 1 ? " second"
                                             : " seconds");
    case SettingType::Switch:
      break;
  }
  return settings.*field.toggle ? "on" : "off";
}

// The value of `field` in `settings` as a player would write it, and as it converts back.
std::string ValueWritten(const SettingField& field, const Settings& settings) {
  switch (field.type) {
    case SettingType::KeyCode: {
      const std::string_view name = KeyName(settings.*field.keyCode);
      return name.empty() ? std::to_string(settings.*field.keyCode) : std::string(name);
    }
    case SettingType::Distance:
      return DistanceText(settings.*field.distance);
    case SettingType::Seconds:
      return std::to_string(settings.*field.seconds);
    case SettingType::Switch:
      break;
  }
  return settings.*field.toggle ? "on" : "off";
}

std::string Kind(const SettingField& field) {
  return field.type == SettingType::Switch    ? "on or off word"
         : field.type == SettingType::KeyCode ? "key name"
         : field.type == SettingType::Seconds ? "number of seconds"
                                              : "number";
}

// Where a tick tests the key of `field`, from the plug-in's own order: of two settings on one
// key, the earlier takes the release. Past the end for a setting that is no key.
std::size_t TestPlace(const SettingField& field) {
  std::size_t place = 0;
  for (const KeyTester tester : kKeyTesterOrder) {
    if (tester == KeyTester::Triggers) {
      for (const int trigger : kTriggerOrder) {
        if (trigger != kRandomTrigger && kMeleeActions[trigger].keyCode == field.keyCode)
          return place;
        ++place;
      }
    } else if (field.keyCode != nullptr && field.keyCode == kSaveKeySetting) {
      return place;
    } else {
      ++place;
    }
  }
  return static_cast<std::size_t>(-1);
}

bool StartsAMove(const SettingField& field) {
  return std::any_of(std::begin(kMeleeActions), std::end(kMeleeActions),
                     [&](const MeleeAction& action) { return action.keyCode == field.keyCode; });
}

// Whether a tick tests the key of `field` at all with `settings`: a move's always, the save key
// only while a recording is wanted.
bool Tested(const SettingField& field, const Settings& settings) {
  return field.type == SettingType::KeyCode &&
         (field.keyCode != kSaveKeySetting || RecordingWanted(settings));
}

// The row of `field` in kSettingFields.
std::size_t Row(const SettingField& field) {
  return static_cast<std::size_t>(&field - kSettingFields);
}

// What the text around a value hides it in: quotes, curly quotes or no-break spaces.
struct Wrapping {
  std::string inner;
  bool quotes = false;
  bool curly = false;
  bool noBreakSpace = false;
};

Wrapping Unwrapped(std::string_view value) {
  Wrapping found;
  for (bool more = true; more && !value.empty();) {
    more = false;
    for (const bool front : {true, false}) {
      const auto take = [&](std::string_view piece, bool& flag) {
        const bool here = front ? value.substr(0, piece.size()) == piece
                                : value.size() >= piece.size() &&
                                      value.substr(value.size() - piece.size()) == piece;
        if (!here) return false;
        value = front ? value.substr(piece.size()) : value.substr(0, value.size() - piece.size());
        flag = more = true;
        return true;
      };
      bool space = false;
      take(" ", space) || take("\t", space) || take("\"", found.quotes) ||
          take("'", found.quotes) || take("\xE2\x80\x9C", found.curly) ||
          take("\xE2\x80\x9D", found.curly) || take("\xE2\x80\x98", found.curly) ||
          take("\xE2\x80\x99", found.curly) || take("\x93", found.curly) ||
          take("\x94", found.curly) || take("\x91", found.curly) || take("\x92", found.curly) ||
          take("\xC2\xA0", found.noBreakSpace) || take("\xA0", found.noBreakSpace);
    }
  }
  found.inner = std::string(value);
  return found;
}

class Checker {
 public:
  explicit Checker(std::string_view bytes) : bytes_(bytes) {}

  SettingsCheck Run() {
    FileWide();
    ParseLines(bytes_, document_, buffers_,
               [this](const ClassifiedLine& line, const std::string* section, bool replaced) {
                 check_.lines.push_back(Printable(line.raw));
                 Remember(line, section, replaced);
               });
    const SettingReadings readings = AssignSettings(document_, settings_);
    if (!utf16_) {
      for (const Line& line : lines_) Judge(line, readings);
    }
    Collisions();
    List(readings);
    std::stable_sort(check_.findings.begin(), check_.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    for (const Finding& finding : check_.findings) {
      check_.problems += finding.kind != FindingKind::Note ? 1 : 0;
    }
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
    std::size_t replacedBy;   // the later line whose value took this one's place; 0 for none
  };

  void Add(std::size_t line, FindingKind kind, std::string text,
           std::optional<std::string> replacement = std::nullopt) {
    check_.findings.push_back({line, kind, std::move(text), std::move(replacement)});
  }
  void Problem(std::size_t line, std::string text,
               std::optional<std::string> replacement = std::nullopt) {
    Add(line, FindingKind::Misread, std::move(text), std::move(replacement));
  }
  void Note(std::size_t line, std::string text) { Add(line, FindingKind::Note, std::move(text)); }

  // What the encoding does to the file as a whole.
  void FileWide() {
    utf16_ = bytes_.size() >= 2 && ((bytes_[0] == '\xFF' && bytes_[1] == '\xFE') ||
                                    (bytes_[0] == '\xFE' && bytes_[1] == '\xFF'));
    if (utf16_) {
      Problem(0,
              "the file is saved as UTF-16 (Notepad calls it \"Unicode\"): the plug-in reads it "
              "byte by byte and finds no section or setting in it, so the defaults apply. Save "
              "it as UTF-8 or ANSI (Notepad: File, Save as, Encoding) and check it again.");
    }
  }

  void Remember(const ClassifiedLine& line, const std::string* section, bool replaced) {
    std::string copy;
    const std::string kept(WithoutDroppedBytes(line.raw, copy));
    if (line.kind == LineKind::Section) sectionLine_ = line.number;
    const bool stored = line.kind == LineKind::KeyValue && section != nullptr;
    lines_.push_back({line.number, std::string(line.raw), kept, line.kind, std::string(line.name),
                      std::string(line.value),
                      section ? std::optional<std::string>(*section) : std::nullopt,
                      stored ? sectionLine_ : 0, 0});
    if (!stored) return;
    // The parse says whether this line took the place of an earlier one under the same key.
    std::size_t& holder = holders_[{*section, std::string(line.name)}];
    if (replaced && holder != 0) lines_[holder - 1].replacedBy = line.number;
    holder = line.number;
    if (*section != kSettingsSection) return;
    if (const SettingField* field = FindSettingField(std::string(line.name))) {
      settingLines_[Row(*field)] = line.number;
    }
  }

  void Judge(const Line& line, const SettingReadings& readings) {
    if (line.raw.find('\r') != std::string::npos) {
      Problem(line.number,
              "this line holds line ends without a line feed (a carriage return alone, as some "
              "editors save): the plug-in reads all of it as one line, " +
                  Quoted(line.kept) + ". Save the file with Windows line ends (CR LF).");
    } else if (line.raw.find('\0') != std::string::npos) {
      Note(line.number,
           "the plug-in drops the NUL bytes in this line and reads " + Quoted(line.kept) + ".");
    }
    if (line.number == 1 && line.kept.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) {
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
    const std::string without = line.kept.substr(kByteOrderMark.size());
    const LineKind kind = ClassifyLine(without, parsed);
    markHidesHeader_ = kind == LineKind::Section;
    if (kind == LineKind::Section || kind == LineKind::KeyValue) {
      Problem(line.number,
              "an invisible byte-order mark stands at the start of the file, so the plug-in does "
              "not read this line as it looks. Save the file as UTF-8 without BOM or as ANSI "
              "(Notepad: File, Save as, Encoding), or put a comment line (starting with ;) first.",
              "; Scuffler settings\n" + without);
    } else {
      Note(line.number,
           "the file starts with an invisible byte-order mark; here it is harmless, as the first "
           "line is no section or setting.");
    }
  }

  void Unrecognised(const Line& line) {
    const std::string text = std::string(Trimmed(line.kept));
    if (text[0] == '#') {
      Problem(line.number,
              "the plug-in ignores this line: only ; starts a comment. Write ; instead of #.",
              ";" + text.substr(1));
    } else if (text[0] == '[') {
      Problem(line.number,
              "the plug-in ignores this line: a section header is [Name], its closing ] before "
              "any ;.",
              NearlyNamed(Trimmed(text.substr(1, text.find(';') - 1)), kSettingsSection)
                  ? std::optional<std::string>("[Scuffler]")
                  : std::nullopt);
    } else if (text.find(':') != std::string::npos) {
      std::string equals = text;
      equals[equals.find(':')] = '=';
      ParsedLine parsed;
      const bool setting = ClassifyLine(equals, parsed) == LineKind::KeyValue &&
                           FindSettingField(parsed.name) != nullptr;
      Problem(line.number,
              "the plug-in ignores this line: a setting is name = value, with =, not :.",
              setting ? std::optional<std::string>(equals) : std::nullopt);
    } else {
      Problem(line.number,
              "the plug-in ignores this line: it is no comment (those start with ;), no "
              "[section] and no name = value.");
    }
  }

  void Section(const Line& line) {
    if (line.name == kSettingsSection) return;
    if (NearlyNamed(line.name, kSettingsSection)) {
      Problem(line.number,
              "the plug-in reads only the section [Scuffler], spelled exactly, capitals "
              "included: write [Scuffler].",
              "[Scuffler]");
    } else {
      Note(line.number,
           "the plug-in reads only the section [Scuffler]: it ignores this one and every line "
           "under it.");
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
      Problem(
          line.number,
          "Scuffler has no setting named " + Quoted(line.name) +
              (meant.empty() ? ": the plug-in ignores this line."
                             : "; setting names are spelled exactly, capitals included." + meant),
          likely != nullptr && !meant.empty() && settingLines_[Row(*likely)] == 0
              ? std::optional<std::string>(std::string(likely->name) + " = " + line.value)
              : std::nullopt);
      return;
    }
    if (line.replacedBy != 0) {
      Problem(line.number, std::string(field->name) + " is set again on line " +
                               std::to_string(line.replacedBy) +
                               ", whose value takes this one's place: the plug-in does not use "
                               "this line. Delete the line you do not want.");
      return;
    }
    Value(line, *field, readings[Row(*field)]);
  }

  // The line that sets `field` to `value`.
  static std::string SettingLine(const SettingField& field, const std::string& value) {
    return std::string(field.name) + " = " + value;
  }

  // Whether `code` is a key that `field` may be told to take: a key the messages carry that the
  // game does not use, and that no other setting tested in a tick holds.
  bool Fits(std::int32_t code, const SettingField& field) const {
    const NamedKey* const key = FindKey(code);
    if (key == nullptr || key->reach != KeyReach::Keyboard) return false;
    for (const SettingField& other : kSettingFields) {
      if (&other != &field && Tested(other, settings_) && settings_.*other.keyCode == code)
        return false;
    }
    return true;
  }

  // The advice to write key `code` for `field`, when it fits: "write F5." and its line.
  std::optional<std::string> KeyLine(std::int32_t code, const SettingField& field) const {
    if (!Fits(code, field)) return std::nullopt;
    return SettingLine(field, std::string(KeyName(code)));
  }

  // A value that converts whole once the quotes or no-break spaces around it are gone.
  bool Wrapped(const Line& line, const SettingField& field, const std::string& keeps) {
    const Wrapping wrapping = Unwrapped(Trimmed(line.value));
    if (wrapping.inner.empty() || wrapping.inner == Trimmed(line.value)) return false;
    Settings scratch = settings_;
    if (AssignSetting(field, wrapping.inner, scratch) != Reading::Whole) return false;
    const std::string what =
        wrapping.curly ? "curly quotes (\xE2\x80\x9C \xE2\x80\x9D), as word processors and web "
                         "pages write them,"
        : wrapping.quotes
            ? "quotes"
            : "a no-break space, an invisible character that web pages use for a space,";
    const std::string them = wrapping.curly || wrapping.quotes ? "them" : "it";
    std::optional<std::string> replacement = SettingLine(field, wrapping.inner);
    if (field.type == SettingType::KeyCode && !Fits(scratch.*field.keyCode, field) &&
        scratch.*field.keyCode != kUnbound) {
      replacement.reset();
    }
    Problem(line.number,
            "the value holds " + what +
                " which the plug-in reads as part of it, so it binds "
                "nothing." +
                keeps + " Write " + Printable(wrapping.inner) + " without " + them + ".",
            replacement);
    return true;
  }

  void Value(const Line& line, const SettingField& field, Reading reading) {
    const std::string value = Quoted(Trimmed(line.value));
    const std::string read = ValueText(field, settings_);
    const std::string keeps = " The plug-in keeps " + std::string(field.name) +
                              " as it was: when the game starts, the default, " +
                              ValueText(field, Settings{}) +
                              "; while it runs, the value read before.";
    switch (reading) {
      case Reading::Whole:
        break;
      case Reading::WholeAndComment:
        Note(line.number, "read as " + read + ": the text from ; on is a comment.");
        break;
      case Reading::LeadingNumber:
        LeadingNumber(line, field,
                      value + " is read as " + read +
                          ": the plug-in takes the number it starts with and ignores "
                          "the rest.");
        return;
      case Reading::Empty:
        Empty(line, field);
        return;
      case Reading::NotWhole:
        if (Wrapped(line, field, keeps)) return;
        NotWhole(line, field,
                 value + " is not one " + Kind(field) + ", so it binds nothing." + keeps);
        return;
      case Reading::UnknownWord:
        if (Wrapped(line, field, keeps)) return;
        UnknownWord(line, field, value + " is no " + Kind(field) + "." + keeps);
        return;
      case Reading::NoValue:
        if (Wrapped(line, field, keeps)) return;
        Problem(line.number, value + " is neither a number nor a " + Kind(field) + "." + keeps +
                                 " " + Capital(WhatToWrite(field)));
        return;
      case Reading::OutOfRange:
        OutOfRange(line, field, value, keeps);
        return;
      case Reading::Missing:
        return;
    }
    if (field.type == SettingType::KeyCode) KeyCode(line, field, settings_.*field.keyCode);
    if (field.type == SettingType::Distance) Distance(line, field, settings_.*field.distance);
  }

  static std::string WhatToWrite(const SettingField& field) {
    switch (field.type) {
      case SettingType::KeyCode:
        return "write one key name or a decimal key code; the file's comments list the names.";
      case SettingType::Distance:
        return "write a number such as 7.5.";
      case SettingType::Seconds:
        return "write a whole number of seconds from 1 to " + std::to_string(kMaxRecordSeconds) +
               ", or 0 for no recording.";
      case SettingType::Switch:
        break;
    }
    return "write on or off.";
  }

  void Empty(const Line& line, const SettingField& field) {
    const std::string fallback = ValueWritten(field, Settings{});
    Settings defaults;
    const bool fits = field.type != SettingType::KeyCode || Fits(defaults.*field.keyCode, field);
    Problem(line.number,
            "no value after the =, so the plug-in keeps " + std::string(field.name) +
                " as it was (when the game starts, the default, " + ValueText(field, Settings{}) +
                "). " + Capital(WhatToWrite(field)) +
                (fits ? " The default is " + fallback + "." : ""),
            fits ? std::optional<std::string>(SettingLine(field, fallback)) : std::nullopt);
  }

  void LeadingNumber(const Line& line, const SettingField& field, const std::string& said) {
    const std::string_view value = Trimmed(line.value);
    if (field.type == SettingType::KeyCode) {
      KeyAdvice(line, field, said);
      return;
    }
    if (field.type == SettingType::Distance && value.find(',') != std::string_view::npos) {
      std::string dotted(value.substr(0, value.find_first_of(" \t;")));
      std::replace(dotted.begin(), dotted.end(), ',', '.');
      Settings scratch = settings_;
      if (AssignSetting(field, dotted, scratch) == Reading::Whole) {
        Problem(line.number, said + " Write " + dotted + ": a decimal point, not a comma.",
                SettingLine(field, dotted));
        return;
      }
    }
    const std::string alone = ValueWritten(field, settings_);
    Problem(line.number,
            said + (field.type == SettingType::Switch ? " Write " : " Write the number alone: ") +
                alone + ".",
            SettingLine(field, alone));
  }

  void UnknownWord(const Line& line, const SettingField& field, const std::string& said) {
    if (field.type != SettingType::KeyCode) {
      Problem(line.number, said + " " + Capital(WhatToWrite(field)));
      return;
    }
    // The nearest key name a player may be told to write, when it is near enough to be a slip.
    const std::string_view word = Trimmed(line.value);
    const NamedKey* best = nullptr;
    std::size_t bestDistance = word.size() < 4 ? 1 : 2;
    for (const NamedKey* key = AllKeys().begin; key != AllKeys().end; ++key) {
      const std::size_t distance = EditDistance(word, key->name);
      if (distance <= bestDistance && (best == nullptr || distance < bestDistance) &&
          Fits(key->code, field)) {
        best = key;
        bestDistance = distance;
      }
    }
    if (best == nullptr) {
      Problem(line.number, said + " " + Capital(WhatToWrite(field)));
      return;
    }
    Problem(line.number, said + " Did you mean " + std::string(best->name) + "?",
            SettingLine(field, std::string(best->name)));
  }

  void NotWhole(const Line& line, const SettingField& field, const std::string& said) {
    if (field.type == SettingType::KeyCode) {
      KeyAdvice(line, field, said);
      return;
    }
    Problem(line.number, said + " " + Capital(WhatToWrite(field)));
  }

  // Advice for a key setting whose text did not convert whole, or only its leading number.
  void KeyAdvice(const Line& line, const SettingField& field, const std::string& said) {
    const std::string_view value = Trimmed(line.value);
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
      const long code = std::strtol(std::string(value).c_str(), nullptr, 16);
      if (code > 0 && code <= kHighestCode) {
        const auto key = static_cast<std::int32_t>(code);
        const std::optional<std::string> write = KeyLine(key, field);
        Problem(line.number,
                said + " Key codes are decimal numbers: " + Printable(value) + " is " +
                    std::to_string(code) + " in decimal" +
                    (KeyName(key).empty() ? "" : ", the key " + std::string(KeyName(key))) +
                    (write ? ": write " + std::string(KeyName(key)) + "."
                           : ", which " + std::string(field.name) +
                                 " cannot use well: " + WhyNot(key, field)),
                write);
        return;
      }
    }
    std::string joined;
    for (const char c : value) {
      if (c != ' ' && c != '\t') joined.push_back(c);
    }
    const std::optional<std::int32_t> whole = KeyCodeByName(joined);
    // "Right Ctrl": the keyboard messages tell neither side apart.
    const NamedKey* const sided = whole ? FindKey(*whole) : nullptr;
    if (sided != nullptr && sided->reach == KeyReach::SidedModifier) {
      const NamedKey* const either = FindKey(sided->carriedAs);
      const std::optional<std::string> write = KeyLine(either->code, field);
      Problem(line.number,
              said + " The keyboard messages carry " + std::string(either->name) +
                  " for either side" +
                  (write ? ": write " + std::string(either->name) + "."
                         : ", and " + WhyNot(either->code, field)),
              write);
      return;
    }
    if (whole) {
      const std::optional<std::string> write = KeyLine(*whole, field);
      Problem(line.number,
              said + (write ? " Write " + std::string(KeyName(*whole)) + ", without spaces."
                            : " Without spaces it is " + std::string(KeyName(*whole)) + ", and " +
                                  WhyNot(*whole, field)),
              write);
      return;
    }
    // "Shift+F5": the words of the value that are keys the setting may take.
    std::vector<std::int32_t> within;
    std::size_t at = 0;
    while (at < value.size()) {
      std::size_t end = at;
      while (end < value.size() &&
             (std::isalnum(static_cast<unsigned char>(value[end])) != 0 || value[end] == '_')) {
        ++end;
      }
      if (end == at) {
        ++at;
        continue;
      }
      const std::optional<std::int32_t> code = KeyCodeByName(value.substr(at, end - at));
      if (code && Fits(*code, field)) within.push_back(*code);
      at = end;
    }
    if (within.size() == 1) {
      Problem(line.number,
              said + " A setting takes one key: write " + std::string(KeyName(within[0])) + ".",
              SettingLine(field, std::string(KeyName(within[0]))));
    } else if (within.size() > 1) {
      std::string names;
      for (const std::int32_t code : within) {
        names += (names.empty() ? "" : " or ") + std::string(KeyName(code));
      }
      Problem(line.number, said + " A setting takes one key: write " + names + ".");
    } else {
      Problem(line.number, said + " " + Capital(WhatToWrite(field)));
    }
  }

  // Why `field` cannot use key `code` well, as the end of a sentence.
  std::string WhyNot(std::int32_t code, const SettingField& field) const {
    const NamedKey* const key = FindKey(code);
    if (key != nullptr && key->reach == KeyReach::GameKey)
      return std::string(key->name) + " is a key the game itself uses: choose another key.";
    if (key == nullptr || key->reach != KeyReach::Keyboard)
      return "no keyboard message carries its release: choose another key.";
    for (const SettingField& other : kSettingFields) {
      if (&other != &field && Tested(other, settings_) && settings_.*other.keyCode == code)
        return std::string(other.name) + " is on it already: choose another key.";
    }
    return "choose another key.";
  }

  void OutOfRange(const Line& line, const SettingField& field, const std::string& value,
                  const std::string& keeps) {
    if (field.type == SettingType::Seconds) {
      const std::string most = std::to_string(kMaxRecordSeconds);
      Problem(line.number,
              value + " is outside 0 to " + most + "." + keeps + " Write " + most +
                  " (the most it keeps), fewer seconds, or 0 for no recording.",
              SettingLine(field, most));
      return;
    }
    Problem(line.number,
            value + " is too large a number." + keeps + " " + Capital(WhatToWrite(field)));
  }

  void KeyCode(const Line& line, const SettingField& field, std::int32_t code) {
    // Nothing tests the save key while no recording is wanted: no key there can do harm.
    if (code == kUnbound || !Tested(field, settings_)) return;
    const NamedKey* const key = FindKey(code);
    const bool move = StartsAMove(field);
    const std::string unbound = move ? "the move has no key" : "no key saves a recording";
    const std::string fires = move ? "starts the move" : "saves a recording";
    if (code < 0) {
      Problem(
          line.number,
          std::to_string(code) + " binds no key. Write -1 to unbind " + (move ? "a move." : "it."),
          SettingLine(field, "-1"));
    } else if (code > kHighestCode) {
      Add(line.number, FindingKind::NeverFires,
          "no key has the code " + std::to_string(code) + " (codes go up to " +
              std::to_string(kHighestCode) + "), so " + unbound +
              ". Write -1 to unbind it, or a key name.");
    } else if (code == 0) {
      Add(line.number, FindingKind::NeverFires,
          "0 is no key's code, so " + unbound + ". Write -1 to unbind it, or a key name.");
    } else if (key != nullptr && key->reach == KeyReach::MouseButton) {
      Add(line.number, FindingKind::NeverFires,
          std::string(key->name) + " (" + std::to_string(code) +
              ") is a mouse button: the script hook passes on keyboard messages only, so it "
              "never " +
              fires + ". Choose a key.");
    } else if (key != nullptr && key->reach == KeyReach::NoRelease) {
      Add(line.number, FindingKind::NeverFires,
          std::string(key->name) + " (" + std::to_string(code) +
              ") cannot be bound: Windows takes it for a screenshot, and no keyboard message is "
              "known to carry its release, so it never " +
              fires + ". Choose another key.");
    } else if (key != nullptr && key->reach == KeyReach::SidedModifier) {
      const NamedKey* const carried = FindKey(key->carriedAs);
      const std::optional<std::string> write = KeyLine(carried->code, field);
      Add(line.number, FindingKind::NeverFires,
          std::string(key->name) + " (" + std::to_string(code) +
              ") never fires: the keyboard messages carry " + std::string(carried->name) + " (" +
              std::to_string(carried->code) + ") for either side" +
              (write ? ". Write " + std::string(carried->name) + "."
                     : ", and " + WhyNot(carried->code, field)),
          write);
    } else if (key != nullptr && key->reach == KeyReach::GameKey) {
      Add(line.number, FindingKind::Clash,
          std::string(key->name) + " is a key the game itself uses (" + GameKeyNames() +
              "): every press would do both. Choose another key.");
    }
  }

  void Distance(const Line& line, const SettingField& field, float distance) {
    const std::string usual = DistanceText(Settings{}.*field.distance);
    const std::optional<std::string> write = SettingLine(field, usual);
    if (std::isnan(distance)) {
      Problem(line.number,
              "not a number: the search then has no limit at all. Write a number such as " + usual +
                  ".",
              write);
    } else if (std::isinf(distance)) {
      Problem(line.number,
              "infinite: every ped in the world is in reach. Write a number such as " + usual + ".",
              write);
    } else if (distance == 0) {
      Problem(line.number,
              "0: no ped is ever in reach. Write a number above 0, such as " + usual + ".", write);
    } else if (distance < 0 && SearchBound(distance) == SearchBound(-distance)) {
      const std::string positive = DistanceText(-distance);
      Problem(line.number,
              "a negative distance reaches as far as its positive value (" + positive +
                  "). Write " + positive + ".",
              SettingLine(field, positive));
    }
  }

  // Two settings on one key: the one tested first in the tick takes every release.
  void Collisions() {
    for (std::size_t a = 0; a < kSettingCount; ++a) {
      const SettingField& first = kSettingFields[a];
      if (!Tested(first, settings_)) continue;
      for (std::size_t b = a + 1; b < kSettingCount; ++b) {
        const SettingField& second = kSettingFields[b];
        if (!Tested(second, settings_)) continue;
        const std::int32_t code = settings_.*first.keyCode;
        if (code != settings_.*second.keyCode || code < 0 || code > kHighestCode) continue;
        const bool firstWins = TestPlace(first) <= TestPlace(second);
        const SettingField& winner = firstWins ? first : second;
        const SettingField& loser = firstWins ? second : first;
        const std::size_t loserLine = settingLines_[Row(loser)];
        const std::size_t line = loserLine != 0 ? loserLine : settingLines_[Row(winner)];
        const std::string taken =
            StartsAMove(winner) ? std::string(winner.name) + "'s move" : std::string("a save");
        const std::string lost = StartsAMove(loser) ? loser.name + std::string("'s never starts")
                                                    : std::string("a recording is never saved");
        Add(line, FindingKind::Clash,
            std::string(loser.name) + " and " + winner.name + " are both on " + KeyCodeText(code) +
                ": a release starts " + taken + ", which the tick tests first, so " + lost +
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
      const std::size_t line = settingLines_[row];
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
  // The line that last stored each key of each section, as the parse reported it.
  std::map<std::pair<std::string, std::string>, std::size_t> holders_;
  std::size_t settingLines_[kSettingCount] = {};
  std::size_t sectionLine_ = 0;
  bool utf16_ = false;
  bool markHidesHeader_ = false;
};

const char* Heading(FindingKind kind) {
  switch (kind) {
    case FindingKind::Misread:
      return "Lines Scuffler ignores, or reads otherwise than they look:";
    case FindingKind::NeverFires:
      return "Keys that never fire:";
    case FindingKind::Clash:
      return "Keys that something else takes first:";
    case FindingKind::Note:
      break;
  }
  return "Notes, harmless:";
}

}  // namespace

SettingsCheck CheckSettingsText(std::string_view bytes) { return Checker(bytes).Run(); }

void JudgeFileName(SettingsCheck& check, std::string_view fileName) {
  if (SameIgnoringCase(fileName, kGameReads)) return;
  check.misnamed = true;
  ++check.problems;
  check.findings.insert(
      check.findings.begin(),
      {0, FindingKind::Misread,
       "the game reads only a file named Scuffler.ini, and this one is named " + Quoted(fileName) +
           ": Scuffler never reads it. Rename it to Scuffler.ini (in Explorer, turn on View, "
           "File name extensions, to see a hidden .txt), or copy what you want into Scuffler.ini.",
       std::nullopt});
}

std::string FormatReport(const SettingsCheck& check, const std::string& path) {
  std::string out = WrappedPath("Read ", path) + "\n" +
                    (check.misnamed ? "Were this file named Scuffler.ini, Scuffler would use:\n"
                                    : "When the game starts with this file, Scuffler uses:\n");
  for (const CheckedSetting& setting : check.settings) {
    std::string text = setting.name + " = " + setting.value;
    if (setting.kept) {
      text += ", default (line " + std::to_string(setting.line) +
              " does not convert; in a running game the value read before stays)";
    } else {
      text += setting.line != 0 ? ", line " + std::to_string(setting.line) : ", default";
    }
    out += "  " + Wrapped(text, "    ").substr(4);
  }
  std::size_t notes = 0;
  for (const FindingKind kind :
       {FindingKind::Misread, FindingKind::NeverFires, FindingKind::Clash, FindingKind::Note}) {
    bool headed = false;
    for (const Finding& finding : check.findings) {
      if (finding.kind != kind) continue;
      notes += kind == FindingKind::Note ? 1 : 0;
      if (!headed) out += std::string("\n") + Heading(kind) + "\n";
      headed = true;
      std::string where =
          finding.line == 0 ? "  the file" : "  line " + std::to_string(finding.line);
      if (finding.line != 0 && finding.line <= check.lines.size()) {
        where += ": " + check.lines[finding.line - 1];
      }
      out +=
          "\n" + Shortened(where, kConsoleColumns) + "\n" + Wrapped(Capital(finding.text), "    ");
    }
  }
  out += "\n";
  if (check.problems == 0) {
    out += Wrapped(std::string("No problems: Scuffler reads every line as it looks") +
                       (notes == 0 ? "." : " (" + Count(notes, "note") + ")."),
                   "");
  } else {
    out +=
        Wrapped(Count(check.problems, "problem") + (notes == 0 ? "" : ", " + Count(notes, "note")) +
                    ": fix the lines above, save the file and run the check again.",
                "");
  }
  return out;
}

}  // namespace scuffler
