#include "NativeNames.h"

#include <cctype>
#include <cstdlib>

#include "hook/NativeHashes.h"

namespace sandbox {
namespace {

namespace hash = scuffler::hash;

constexpr AnswerableNative kNatives[] = {
    {"EligibilityCheck1", hash::kEligibilityCheck1, NativeScope::PerPed},
    {"EligibilityCheck2", hash::kEligibilityCheck2, NativeScope::PerPed},
    {"EligibilityCheck3", hash::kEligibilityCheck3, NativeScope::PerPed},
    {"EligibilityCheck4", hash::kEligibilityCheck4, NativeScope::PerPed},
    {"EligibilityCheck5", hash::kEligibilityCheck5, NativeScope::PerPed},
    {"EligibilityCheck6", hash::kEligibilityCheck6, NativeScope::PerPed},
    {"EligibilityCheck7", hash::kEligibilityCheck7, NativeScope::PerPed},
    {"EligibilityCheck8", hash::kEligibilityCheck8, NativeScope::PerPed},
    {"EligibilityCheck9", hash::kEligibilityCheck9, NativeScope::PerPed},
    {"PedCheck11", hash::kPedCheck11, NativeScope::PerPed},
    {"PlayerCheck", hash::kPlayerCheck, NativeScope::PerPed},
    {"PairCheck", hash::kPairCheck, NativeScope::PerPed},
    {"WorldCheck", hash::kWorldCheck, NativeScope::World},
    {"RandomGateA", hash::kRandomGateA, NativeScope::World},
    {"RandomGateB", hash::kRandomGateB, NativeScope::World},
    {"RandomInt", hash::kRandomInt, NativeScope::World},
    {"PlayerPed", hash::kPlayerPed, NativeScope::World},
    {"EngagedPed", hash::kEngagedPed, NativeScope::World},
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
  return nativeHash == hash::kEligibilityCheck1 || nativeHash == hash::kEligibilityCheck2 ? 0 : 1;
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
