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

// What a Section or KeyValue line carries, as views into the line: the reader's parse takes them
// without copying. Both are trimmed; a key may still hold "\=" escapes (see UnescapedKey).
struct LineParts {
  std::string_view name;       // section name of a Section line, key of a KeyValue line
  std::string_view value;      // value of a KeyValue line
  bool keyHasEscapes = false;  // the key holds "\=", which UnescapedKey turns into "="
};

// Classifies `line` as ClassifyLine does and points `parts` into it for Section and KeyValue
// lines; both parts are empty for the other kinds.
LineKind SplitLine(std::string_view line, LineParts& parts);

// The key of a KeyValue line's parts with every "\=" written as "=": a view of the key itself
// when it has none, else of `scratch`, which then holds the unescaped key.
std::string_view UnescapedKey(const LineParts& parts, std::string& scratch);

}  // namespace scuffler
