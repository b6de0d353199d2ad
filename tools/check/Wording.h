// How the settings checker puts things into words on a console: bytes made visible, text wrapped
// to the console's width, long text cut, and how near one name is to another. Nothing here knows
// the settings; the judgement (SettingsCheck) and the program (CheckProgram) use it alike.
// Pure functions; any thread.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scuffler {

// The widest line the checker prints: an 80-column console breaks a line of 80 in two.
constexpr std::size_t kConsoleColumns = 79;

// `text` with every byte outside printable ASCII made visible, so that no file can move the
// cursor or change the colours of the console that shows it, and nothing invisible hides: a
// no-break space reads [no-break space], curly quotes (in UTF-8 or in Windows' own code page)
// show as curly quotes, \t, \r and \n by name and any other byte as \xNN.
std::string Printable(std::string_view text);

// A path as Printable shows text, but keeping its UTF-8 letters (`Überfall`), which a console
// shows as they are; only its control bytes are escaped.
std::string PrintablePath(std::string_view path);

// The columns `text` takes on a console: one per character of UTF-8.
std::size_t Columns(std::string_view text);

// `text` cut to at most `columns`, its end replaced by "..." when it is cut.
std::string Shortened(const std::string& text, std::size_t columns);

// `text` in double quotes, made Printable and cut to a length that fits in a sentence.
std::string Quoted(std::string_view text);

// `text` as lines of at most kConsoleColumns, each after `indent` and ending in a line feed,
// broken at spaces; a word too long for a line (a path) is broken after a path separator, or
// anywhere when it has none.
std::string Wrapped(std::string_view text, std::string_view indent);

// `lead` and then `path` (made Printable as a path), on lines of at most kConsoleColumns, each
// ending in a line feed: a path too long for its line is broken just after a path separator, and
// goes on indented by two spaces.
std::string WrappedPath(std::string_view lead, std::string_view path);

// A sentence's first letter in capitals, unless its first word is a name such as iKickToChest.
std::string Capital(std::string text);

// "1 note", "2 notes".
std::string Count(std::size_t count, const char* thing);

// Letters added, dropped or changed to turn `a` into `b`, capitals aside.
std::size_t EditDistance(std::string_view a, std::string_view b);

}  // namespace scuffler
