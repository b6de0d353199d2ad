#include "NativeNames.h"

#include <cctype>
#include <cstdlib>

#include "SimHook.h"
#include "hook/NativeHashes.h"

namespace sandbox {
namespace {

// The natives a scenario may answer: those of the plug-in's list whose answers the sim takes.
bool Answerable(const scuffler::NativeInfo& native) { return sim::TakesAnswers(native.hash); }

AnswerableNative Describe(const scuffler::NativeInfo& native) {
  return {native.space, native.name, native.hash,
          native.checkedPed != scuffler::kNoPed ? NativeScope::PerPed : NativeScope::World};
}

// "IS_PED_RAGDOLL" or "PED::IS_PED_RAGDOLL".
bool Names(const scuffler::NativeInfo& native, const std::string& text) {
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

std::optional<AnswerableNative> FindAnswerableNative(const std::string& text) {
  const std::optional<std::uint64_t> byHash = ParseHex(text);
  for (const scuffler::NativeInfo& native : scuffler::kNatives) {
    if (Answerable(native) && (byHash ? native.hash == *byHash : Names(native, text))) {
      return Describe(native);
    }
  }
  return std::nullopt;
}

std::int32_t FailingAnswer(std::uint64_t nativeHash) {
  return sim::PassingAnswer(nativeHash) != 0 ? 0 : 1;
}

std::string NativeNameList(NativeScope scope) {
  std::string list;
  for (const scuffler::NativeInfo& native : scuffler::kNatives) {
    if (Answerable(native) && (scope == NativeScope::World || Describe(native).scope == scope)) {
      if (!list.empty()) list += ", ";
      list += native.name;
    }
  }
  return list;
}

}  // namespace sandbox
