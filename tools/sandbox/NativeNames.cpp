#include "NativeNames.h"

#include <cctype>
#include <cstdlib>

#include "hook/NativeHashes.h"

namespace sandbox {
namespace {

namespace hash = scuffler::hash;

constexpr AnswerableNative kNatives[] = {
    {"EligibilityCheck1", hash::kDoesEntityExist, NativeScope::PerPed},
    {"EligibilityCheck2", hash::kIsPedHuman, NativeScope::PerPed},
    {"EligibilityCheck3", hash::kIsEntityDead, NativeScope::PerPed},
    {"EligibilityCheck4", hash::kIsPedFatallyInjured, NativeScope::PerPed},
    {"EligibilityCheck5", hash::kIsPedOnMount, NativeScope::PerPed},
    {"EligibilityCheck6", hash::kIsPedInAnyVehicle, NativeScope::PerPed},
    {"EligibilityCheck7", hash::kIsEntityInWater, NativeScope::PerPed},
    {"EligibilityCheck8", hash::kIsPedIncapacitated, NativeScope::PerPed},
    {"EligibilityCheck9", hash::kIsPedRagdoll, NativeScope::PerPed},
    {"PedCheck11", hash::kGetPedConfigFlag, NativeScope::PerPed},
    {"PlayerCheck", hash::kGetPedIsGrappling, NativeScope::PerPed},
    {"PairCheck", hash::kIsPedInCombat, NativeScope::PerPed},
    {"WorldCheck", hash::kIsPauseMenuActive, NativeScope::World},
    {"RandomGateA", hash::kIsUsingKeyboardAndMouse, NativeScope::World},
    {"RandomGateB", hash::kIsControlJustPressed, NativeScope::World},
    {"RandomInt", hash::kGetRandomIntInRange, NativeScope::World},
    {"PlayerPed", hash::kPlayerPedId, NativeScope::World},
    {"EngagedPed", hash::kGetMeleeTargetForPed, NativeScope::World},
};

std::optional<std::uint64_t> ParseHex(const std::string& text) {
  if (text.size() < 3 || text.size() > 18 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
    return std::nullopt;
  }
  for (std::size_t i = 2; i < text.size(); ++i) {
    if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
  }
  return static_cast<std::uint64_t>(std::strtoull(text.c_str() + 2, nullptr, 16));
}

}  // namespace

std::optional<AnswerableNative> FindNative(const std::string& text) {
  const std::optional<std::uint64_t> byHash = ParseHex(text);
  for (const AnswerableNative& native : kNatives) {
    if (byHash ? native.hash == *byHash : text == native.name) return native;
  }
  return std::nullopt;
}

std::int32_t FailingAnswer(std::uint64_t nativeHash) {
  return nativeHash == hash::kDoesEntityExist || nativeHash == hash::kIsPedHuman ? 0 : 1;
}

std::string NativeNameList(NativeScope scope) {
  std::string list;
  for (const AnswerableNative& native : kNatives) {
    if (scope == NativeScope::World || native.scope == NativeScope::PerPed) {
      if (!list.empty()) list += ", ";
      list += native.name;
    }
  }
  return list;
}

}  // namespace sandbox
