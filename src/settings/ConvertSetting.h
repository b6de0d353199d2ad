// Text-to-value conversions for the settings: a key code (decimal integer) and a distance
// (float), each reporting failure instead of throwing so a bad value can be skipped.
//
// Pure functions; safe from any thread (they touch only errno, which is per thread).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace scuffler {

// A key code from its text: leading whitespace, an optional sign and decimal digits, anything
// after ignored. Empty when no digits lead the text or the number does not fit in 32 bits.
std::optional<std::int32_t> ConvertKeyCode(const std::string& text);

// A distance from its text, with strtof's syntax (nan and inf included), anything after ignored.
// Empty when no number leads the text or it overflows float; an underflow converts to the
// rounded result (zero or a denormal).
std::optional<float> ConvertDistance(const std::string& text);

}  // namespace scuffler
