#include "Wording.h"

#include <algorithm>
#include <vector>

namespace scuffler {
namespace {

char Folded(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The curly quote that Windows' own code page (what Notepad's "ANSI" saves) writes as `byte`, in
// UTF-8; null for any other byte.
const char* AnsiCurlyQuote(unsigned char byte) {
  switch (byte) {
    case 0x91:
      return "\xE2\x80\x98";
    case 0x92:
      return "\xE2\x80\x99";
    case 0x93:
      return "\xE2\x80\x9C";
    case 0x94:
      return "\xE2\x80\x9D";
    default:
      return nullptr;
  }
}

// Whether `text` starts with a curly quote in UTF-8: E2 80 then 98, 99, 9C or 9D.
bool StartsWithUtf8CurlyQuote(std::string_view text) {
  return text.size() >= 3 && text[0] == '\xE2' && text[1] == '\x80' &&
         (text[2] == '\x98' || text[2] == '\x99' || text[2] == '\x9C' || text[2] == '\x9D');
}

constexpr char kNoBreakSpace[] = "[no-break space]";

std::string Escaped(std::string_view text, bool keepUtf8) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    const auto byte = static_cast<unsigned char>(c);
    const std::string_view rest = text.substr(at);
    if (StartsWithUtf8CurlyQuote(rest)) {
      out.append(rest.substr(0, 3));
      at += 2;
    } else if (rest.size() >= 2 && rest[0] == '\xC2' && rest[1] == '\xA0') {
      out += kNoBreakSpace;
      ++at;
    } else if (byte == 0xA0) {
      out += kNoBreakSpace;
    } else if ((byte >= 0x20 && byte < 0x7F) || (keepUtf8 && byte >= 0x80)) {
      out.push_back(c);
    } else if (!keepUtf8 && AnsiCurlyQuote(byte) != nullptr) {
      out += AnsiCurlyQuote(byte);
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

// Where to break `word`, which does not fit in `room` columns: just after its last path separator
// that leaves the start within `room`, else at `room` columns. A byte count.
std::size_t BreakWithin(std::string_view word, std::size_t room) {
  std::size_t bytes = 0;
  std::size_t columns = 0;
  std::size_t separator = 0;
  while (bytes < word.size()) {
    std::size_t next = bytes + 1;
    while (next < word.size() && IsContinuation(word[next])) ++next;
    if (columns + 1 > room) break;
    ++columns;
    if (word[bytes] == '/' || word[bytes] == '\\') separator = next;
    bytes = next;
  }
  return separator != 0 ? separator : std::max<std::size_t>(bytes, 1);
}

}  // namespace

std::string Printable(std::string_view text) { return Escaped(text, false); }

std::string PrintablePath(std::string_view path) { return Escaped(path, true); }

std::size_t Columns(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

std::string Shortened(const std::string& text, std::size_t columns) {
  if (Columns(text) <= columns) return text;
  std::size_t bytes = 0;
  for (std::size_t kept = 0; kept + 3 < columns && bytes < text.size(); ++kept) {
    ++bytes;
    while (bytes < text.size() && IsContinuation(text[bytes])) ++bytes;
  }
  return text.substr(0, bytes) + "...";
}

std::string Quoted(std::string_view text) {
  // Room for the sentence around it on a line or two.
  constexpr std::size_t kLongestQuote = 40;
  return "\"" + Shortened(Printable(text), kLongestQuote) + "\"";
}

std::string Wrapped(std::string_view text, std::string_view indent) {
  const std::size_t room = kConsoleColumns - Columns(indent);
  std::string out;
  std::string line;
  const auto flush = [&] {
    out.append(indent).append(line).push_back('\n');
    line.clear();
  };
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    if (!line.empty() && Columns(line) + 1 + Columns(word) > room) flush();
    while (Columns(word) > room) {
      if (!line.empty()) flush();
      const std::size_t cut = BreakWithin(word, room);
      line.assign(word.substr(0, cut));
      flush();
      word.remove_prefix(cut);
    }
    if (word.empty()) continue;
    if (!line.empty()) line.push_back(' ');
    line.append(word);
  }
  if (!line.empty() || out.empty()) flush();
  return out;
}

std::string WrappedPath(std::string_view lead, std::string_view path) {
  const std::string printable = PrintablePath(path);
  std::string_view rest = printable;
  std::string out;
  std::string line(lead);
  while (Columns(line) + Columns(rest) > kConsoleColumns) {
    const std::size_t room = kConsoleColumns - Columns(line);
    std::size_t cut = BreakWithin(rest, room);
    // A separator too early to fill a line, or none: cut where the line is full.
    if (cut > rest.size()) cut = rest.size();
    line.append(rest.substr(0, cut));
    rest.remove_prefix(cut);
    out += line + "\n";
    line = "  ";
  }
  return out + line.append(rest) + "\n";
}

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

}  // namespace scuffler
