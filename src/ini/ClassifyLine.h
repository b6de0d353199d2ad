// The line grammar of the settings file: what one line is, and the name and value it carries.
//
//   ; comment            (only where ';' is the first byte after trimming)
//   [section]            (cut at the first ';', then up to the last ']')
//   key = value          (split at the first '=' not written as "\=")
//
// Pure function; safe from any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scuffler {

enum class LineKind : std::uint8_t {
  Blank = 0,
  Comment = 1,
  Section = 2,
  KeyValue = 3,
  Unrecognised = 4,
};

// What ClassifyLine found besides the kind. Both fields are empty unless the kind says otherwise.
struct ParsedLine {
  std::string name;   // section name of a Section line, key of a KeyValue line
  std::string value;  // value of a KeyValue line
};

// Classifies `line` (one line without its line end) and fills `out` for Section and KeyValue
// lines; `out` is cleared first in every case.
LineKind ClassifyLine(std::string line, ParsedLine& out);

// The same on a view of the line's bytes, which it leaves as they are; the reader uses it so that
// no line needs a copy of its own.
LineKind ClassifyLineText(std::string_view line, ParsedLine& out);

}  // namespace scuffler
