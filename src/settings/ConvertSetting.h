// Text-to-value conversions for the settings: a key code (decimal integer or key name), a
// distance (float) and a switch (on or off), each reporting failure instead of throwing so a bad
// value can be skipped.
//
// Pure functions that allocate nothing; safe from any thread (they touch only errno, which is
// per thread).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace scuffler {

// A key code from its text: leading whitespace, an optional sign and decimal digits, anything
// after ignored; empty when the number does not fit in 32 bits. Only text that leads with no
// number at all is read as a key name: its first word (letters, digits and _, after leading
// whitespace) looked up with KeyCodeByName, so `Up ; arrow` is 38; empty when it names no key.
std::optional<std::int32_t> ConvertKeyCode(const std::string& text);

// A distance from its text, with strtof's syntax (nan and inf included), anything after ignored.
// Empty when no number leads the text or it overflows float; an underflow converts to the
// rounded result (zero or a denormal).
std::optional<float> ConvertDistance(const std::string& text);

// A switch from its text. Text that leads with a whole number (as for a key code) is on when the
// number is above 0 and off otherwise, however large it is. Other text is read by its first word
// (as for a key name), ASCII case-insensitively: on, true or yes is on; off, false or no is off.
// Empty for anything else, the empty text included.
std::optional<bool> ConvertSwitch(const std::string& text);

}  // namespace scuffler
