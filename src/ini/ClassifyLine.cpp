#include "ini/ClassifyLine.h"

#include "ini/TrimWhitespace.h"

namespace scuffler {
namespace {

constexpr std::string_view kEscapedEquals = "\\=";

// The first '=' not written as "\=", from `equals`, the first '=' of all. Since "\=" cannot
// overlap itself, an '=' is escaped exactly when a backslash stands right before it.
std::size_t FindSeparator(std::string_view line, std::size_t equals) {
  while (equals != std::string_view::npos && equals > 0 && line[equals - 1] == '\\') {
    equals = line.find('=', equals + 1);
  }
  return equals;
}

// `text` with every "\=" written as "=". The scan resumes after each '=' it keeps, so that '='
// never takes part in a later match.
void AssignUnescaped(std::string& out, std::string_view text) {
  out.clear();
  std::size_t from = 0;
  for (std::size_t escape = text.find(kEscapedEquals); escape != std::string_view::npos;
       escape = text.find(kEscapedEquals, from)) {
    out.append(text.substr(from, escape - from));  // up to the backslash, which is dropped
    out.push_back('=');
    from = escape + kEscapedEquals.size();
  }
  out.append(text.substr(from));
}

}  // namespace

LineKind ClassifyLine(std::string line, ParsedLine& out) {
  LineParts parts;
  const LineKind kind = SplitLine(line, parts);
  out.name.clear();
  out.value.clear();
  if (kind == LineKind::Section) {
    out.name = parts.name;
  } else if (kind == LineKind::KeyValue) {
    AssignUnescaped(out.name, parts.name);
    out.value = parts.value;
  }
  return kind;
}

LineKind SplitLine(std::string_view line, LineParts& parts) {
  parts = LineParts{};
  line = Trimmed(line);
  if (line.empty()) {
    return LineKind::Blank;
  }
  if (line.front() == ';') {
    return LineKind::Comment;
  }
  if (line.front() == '[') {
    // A header loses everything from its first ';', before the closing ']' is looked for.
    line = line.substr(0, line.find(';'));
    const std::size_t close = line.rfind(']');
    if (close != std::string_view::npos) {
      parts.name = Trimmed(line.substr(1, close - 1));
      return LineKind::Section;
    }
    // No ']': the cut line may still be a key line.
  }
  const std::size_t firstEquals = line.find('=');
  const std::size_t separator = FindSeparator(line, firstEquals);
  if (separator == std::string_view::npos) {
    return LineKind::Unrecognised;
  }
  parts.name = Trimmed(line.substr(0, separator));
  parts.value = Trimmed(line.substr(separator + 1));
  // Every '=' before the separator is escaped, so the key holds "\=" exactly when it holds '='.
  parts.keyHasEscapes = firstEquals != separator;
  return LineKind::KeyValue;
}

std::string_view UnescapedKey(const LineParts& parts, std::string& scratch) {
  if (!parts.keyHasEscapes) {
    return parts.name;
  }
  AssignUnescaped(scratch, parts.name);
  return scratch;
}

}  // namespace scuffler
