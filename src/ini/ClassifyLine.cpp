#include "ini/ClassifyLine.h"

#include "ini/TrimWhitespace.h"

namespace scuffler {
namespace {

constexpr char kEscapedEquals[] = "\\=";

// Replaces every "\=" in `text` by `replacement`, scanning left to right and resuming after each
// replacement, so a replacement never takes part in a later match.
void ReplaceEscapedEquals(std::string& text, const std::string& replacement) {
  std::size_t position = text.find(kEscapedEquals);
  while (position != std::string::npos) {
    text.replace(position, 2, replacement);
    position = text.find(kEscapedEquals, position + replacement.size());
  }
}

}  // namespace

LineKind ClassifyLine(std::string line, ParsedLine& out) {
  out.name.clear();
  out.value.clear();
  TrimWhitespace(line);
  if (line.empty()) {
    return LineKind::Blank;
  }
  if (line.front() == ';') {
    return LineKind::Comment;
  }
  if (line.front() == '[') {
    // A header loses everything from its first ';', before the closing ']' is looked for.
    const std::size_t semicolon = line.find(';');
    if (semicolon != std::string::npos) {
      line.erase(semicolon);
    }
    const std::size_t close = line.rfind(']');
    if (close != std::string::npos) {
      out.name = line.substr(1, close - 1);
      TrimWhitespace(out.name);
      return LineKind::Section;
    }
    // No ']': the cut line may still be a key line.
  }
  // Mask escaped '=' with two spaces so positions in the copy stay positions in the line.
  std::string searchCopy = line;
  ReplaceEscapedEquals(searchCopy, "  ");
  const std::size_t separator = searchCopy.find('=');
  if (separator == std::string::npos) {
    return LineKind::Unrecognised;
  }
  out.name = line.substr(0, separator);
  TrimWhitespace(out.name);
  ReplaceEscapedEquals(out.name, "=");
  out.value = line.substr(separator + 1);
  TrimWhitespace(out.value);
  return LineKind::KeyValue;
}

}  // namespace scuffler
