// Text-to-value conversions for the settings: a key code (decimal integer or key name), a
// distance (float), a number of seconds and a switch (on or off). Each reports failure instead of
// throwing, so a bad value can be skipped, and says how it read the text: the plug-in uses only the
// value, the settings checker tells the player when the text was not read as it looks.
//
// Pure functions that allocate nothing; safe from any thread (they touch only errno, which is
// per thread).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace scuffler {

// How a conversion read its text.
enum class Reading : std::uint8_t {
  Whole,            // the whole text is the value
  WholeAndComment,  // the value, then spaces and a ';' comment (`38 ; up`, `Up ; arrow`)
  LeadingNumber,    // a number led the text and the rest was ignored (`0x74` is 0, `7,5` is 7)
  Empty,            // no text at all: nothing converts
  NotWhole,         // a name or word with more after it (`Shift+F5`, `Right Ctrl`): nothing taken
  UnknownWord,      // a word that names nothing this setting takes: nothing taken
  NoValue,          // neither a number nor a word: nothing taken
  OutOfRange,       // a number too large for the setting's type: nothing taken
  Missing,          // the file does not hold the setting: nothing converted (AssignSettings)
};

// The most seconds of ticks the recorder keeps.
constexpr std::int32_t kMaxRecordSeconds = 60;

// A converted value, or none, and how the text was read.
template <typename T>
struct Converted {
  std::optional<T> value;
  Reading reading;
};

// A key code from its text: leading whitespace, an optional sign and decimal digits, anything
// after ignored; none when the number does not fit in 32 bits. Only text that leads with no
// number at all is read as a key name, and only when the name is all of it, apart from the spaces
// around it and a ';' comment after it (`Up ; arrow` is 38; `Shift+F5` and `F 5` are none).
Converted<std::int32_t> ConvertKeyCode(const std::string& text);

// A distance from its text, with strtof's syntax (nan and inf included), anything after ignored.
// None when no number leads the text or it overflows float; an underflow converts to the
// rounded result (zero or a denormal).
Converted<float> ConvertDistance(const std::string& text);

// Whole seconds from 0 to kMaxRecordSeconds from its text, read as a key code's number is (a
// leading decimal number, anything after ignored); a number outside that range is OutOfRange and
// converts to none, as does text that leads with no number.
Converted<std::int32_t> ConvertSeconds(const std::string& text);

// A switch from its text. Text that leads with a whole number (as for a key code) is on when the
// number is above 0 and off otherwise, however large it is. Other text is a word read whole (as
// a key name), ASCII case-insensitively: on, true or yes is on; off, false or no is off. None for
// anything else, the empty text included.
Converted<bool> ConvertSwitch(const std::string& text);

}  // namespace scuffler
