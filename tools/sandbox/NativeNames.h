// The natives a scenario may answer, by the names the plug-in's own hash index gives them
// ("EligibilityCheck3", "RandomGateB") or by hash ("0x7D5B1F88E7504BBA"), and the answer that
// makes a per-ped check fail.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sandbox {

// How a scenario may answer a native.
enum class NativeScope {
  PerPed,  // a check asked about one ped: answerable per ped or for all peds at once
  World,   // answers whatever its arguments (world check, gates, random, player and engaged)
};

struct AnswerableNative {
  const char* name;
  std::uint64_t hash;
  NativeScope scope;
};

// The native named `text` (a name above, or 0x and hex digits of one of their hashes).
std::optional<AnswerableNative> FindNative(const std::string& text);

// The answer under which the per-ped check `hash` fails: 0 for the two checks that pass on
// nonzero, 1 for the others.
std::int32_t FailingAnswer(std::uint64_t hash);

// Every name FindNative knows, comma-separated, for error messages.
std::string NativeNameList(NativeScope scope);

}  // namespace sandbox
