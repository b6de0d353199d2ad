#include "NativeNames.h"

#include <cctype>
#include <cstdlib>

#include "hook/NativeHashes.h"

namespace sandbox {
namespace {

namespace hash = scuffler::hash;

constexpr AnswerableNative kNatives[] = {
    {"ENTITY", "DOES_ENTITY_EXIST", hash::kDoesEntityExist, NativeScope::PerPed},
    {"PED", "IS_PED_HUMAN", hash::kIsPedHuman, NativeScope::PerPed},
    {"ENTITY", "IS_ENTITY_DEAD", hash::kIsEntityDead, NativeScope::PerPed},
    {"PED", "IS_PED_FATALLY_INJURED", hash::kIsPedFatallyInjured, NativeScope::PerPed},
    {"PED", "IS_PED_ON_MOUNT", hash::kIsPedOnMount, NativeScope::PerPed},
    {"PED", "IS_PED_IN_ANY_VEHICLE", hash::kIsPedInAnyVehicle, NativeScope::PerPed},
    {"ENTITY", "IS_ENTITY_IN_WATER", hash::kIsEntityInWater, NativeScope::PerPed},
    {"PED", "IS_PED_INCAPACITATED", hash::kIsPedIncapacitated, NativeScope::PerPed},
    {"PED", "IS_PED_RAGDOLL", hash::kIsPedRagdoll, NativeScope::PerPed},
    {"PED", "GET_PED_CONFIG_FLAG", hash::kGetPedConfigFlag, NativeScope::PerPed},
    {"PED", "GET_PED_IS_GRAPPLING", hash::kGetPedIsGrappling, NativeScope::PerPed},
    {"PED", "IS_PED_IN_COMBAT", hash::kIsPedInCombat, NativeScope::PerPed},
    {"HUD", "IS_PAUSE_MENU_ACTIVE", hash::kIsPauseMenuActive, NativeScope::World},
    {"PAD", "IS_USING_KEYBOARD_AND_MOUSE", hash::kIsUsingKeyboardAndMouse, NativeScope::World},
    {"PAD", "IS_CONTROL_JUST_PRESSED", hash::kIsControlJustPressed, NativeScope::World},
    {"MISC", "GET_RANDOM_INT_IN_RANGE", hash::kGetRandomIntInRange, NativeScope::World},
    {"PLAYER", "PLAYER_PED_ID", hash::kPlayerPedId, NativeScope::World},
    {"PED", "GET_MELEE_TARGET_FOR_PED", hash::kGetMeleeTargetForPed, NativeScope::World},
};

// "IS_PED_RAGDOLL" or "PED::IS_PED_RAGDOLL".
bool Names(const AnswerableNative& native, const std::string& text) {
  return text == native.name || text == std::string(native.space) + "::" + native.name;
}

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
    if (byHash ? native.hash == *byHash : Names(native, text)) return native;
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
