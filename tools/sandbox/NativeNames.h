// The natives a scenario may answer, by their public names ("IS_PED_RAGDOLL", or with the
// namespace, "PED::IS_PED_RAGDOLL") or by hash ("0x47E4E977581C5B55"), and the answer that makes
// a per-ped check fail. Taken from the plug-in's list of its natives (hook/NativeHashes.h): those
// whose answers the simulated hook takes. Pure functions over constant tables: any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sandbox {

// How a scenario may answer a native.
enum class NativeScope {
  PerPed,  // a check asked about one ped: answerable per ped or for all peds at once
  World,   // answers whatever its arguments (pause menu, controller, random, player and engaged)
};

struct AnswerableNative {
  const char* space;  // the public namespace, such as "PED"
  const char* name;   // the public name without it, such as "IS_PED_RAGDOLL"
  std::uint64_t hash;
  NativeScope scope;
};

// The native named `text` (a public name, with or without its namespace, in upper case as
// published; or 0x and hex digits of its hash), when a scenario may answer it.
std::optional<AnswerableNative> FindAnswerableNative(const std::string& text);

// The answer under which the per-ped check `hash` fails, the opposite of the one the simulated
// hook passes a known ped with: 0 for DOES_ENTITY_EXIST and IS_PED_HUMAN, which must hold, 1 for
// the others, which must not.
std::int32_t FailingAnswer(std::uint64_t hash);

// Every name FindAnswerableNative knows (without namespaces), comma-separated, for error messages.
std::string NativeNameList(NativeScope scope);

}  // namespace sandbox
