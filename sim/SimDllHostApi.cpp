// The substitute hook's exported host functions: thin wrappers over the sim's C++ interface
// that keep C++ objects and exceptions on this side of the DLL boundary.
#include "SimDllHostApi.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace {

bool InRange(int index, std::size_t size) {
  return index >= 0 && static_cast<std::size_t>(index) < size;
}

}  // namespace

extern "C" {

void SimHostReset() { sim::Reset(); }

void SimHostSetPlayer(std::int32_t handle, float x, float y, float z) {
  sim::SetPlayer(handle, {x, y, z});
}

void SimHostSetEngaged(std::int32_t handle) { sim::SetEngaged(handle); }

void SimHostAddPed(std::int32_t handle, float x, float y, float z) {
  sim::AddPed(handle, {x, y, z});
}

void SimHostRemovePed(std::int32_t handle) { sim::RemovePed(handle); }

void SimHostSetReportedPedCount(int count) { sim::SetReportedPedCount(count); }

void SimHostSetPedAnswer(std::int32_t ped, std::uint64_t hash, std::int32_t value) {
  sim::SetPedAnswer(ped, hash, value);
}

void SimHostSetAnswer(std::uint64_t hash, std::int32_t value) { sim::SetAnswer(hash, value); }

void SimHostClearAnswer(std::uint64_t hash) { sim::ClearAnswer(hash); }

std::uint32_t SimHostNameHash(const char* name) { return sim::NameHash(name); }

int SimHostTakesAnswers(std::uint64_t hash) { return sim::TakesAnswers(hash) ? 1 : 0; }

std::int32_t SimHostPassingAnswer(std::uint64_t hash) { return sim::PassingAnswer(hash); }

void SimHostSendKey(std::uint32_t key, int released, int wasDown) {
  sim::SendKey(key, released != 0, wasDown != 0);
}

int SimHostRunScriptTicks(int ticks) {
  try {
    return sim::RunScriptTicks(ticks) ? 1 : 0;
  } catch (...) {
    return -1;
  }
}

int SimHostScriptRunning() { return sim::ScriptRunning() ? 1 : 0; }

HINSTANCE SimHostRegisteredModule() { return sim::RegisteredModule(); }

ScriptEntryFn SimHostRegisteredScript() { return sim::RegisteredScript(); }

KeyboardHandlerFn SimHostRegisteredKeyboardHandler() { return sim::RegisteredKeyboardHandler(); }

int SimHostCallCount() { return static_cast<int>(sim::Calls().size()); }

int SimHostCallAt(int index, SimHostCall* out) {
  const std::vector<sim::Call>& calls = sim::Calls();
  if (out == nullptr || !InRange(index, calls.size())) return 0;
  const sim::Call& call = calls[static_cast<std::size_t>(index)];
  *out = SimHostCall{};
  out->op = call.op;
  out->hash = call.hash;
  out->argCount = static_cast<int>(call.args.size());
  std::copy_n(call.args.begin(), std::min(call.args.size(), std::size(out->args)), out->args);
  return 1;
}

void SimHostClearCalls() { sim::TakeCalls(); }

int SimHostActionCount() { return static_cast<int>(sim::Actions().size()); }

int SimHostActionAt(int index, SimHostAction* out) {
  const std::vector<sim::StartedAction>& actions = sim::Actions();
  if (out == nullptr || !InRange(index, actions.size())) return 0;
  const sim::StartedAction& action = actions[static_cast<std::size_t>(index)];
  *out = SimHostAction{action.actor, action.target, action.actionHash};
  return 1;
}

void SimHostClearActions() { sim::TakeActions(); }

}  // extern "C"
