// The world the sim answers from, and the log of what the plug-in asked of it.
#include <algorithm>
#include <utility>

#include "SimState.h"

namespace sim {
namespace detail {

State& TheState() {
  static State state;
  return state;
}

Ped* FindPed(std::int32_t handle) {
  std::vector<Ped>& peds = TheState().peds;
  const auto it = std::find_if(peds.begin(), peds.end(),
                               [handle](const Ped& ped) { return ped.handle == handle; });
  return it == peds.end() ? nullptr : &*it;
}

void Record(Call call) { TheState().calls.push_back(std::move(call)); }

void RecordOperation(Op op, std::vector<std::uint64_t> args) {
  Call call;
  call.op = op;
  call.args = std::move(args);
  Record(std::move(call));
}

namespace {

// Adds `handle`, or moves it in place so that its listing order stays that of its first adding.
Ped& PlacePed(std::int32_t handle, Vec3 position) {
  if (Ped* known = FindPed(handle)) {
    known->position = position;
    return *known;
  }
  TheState().peds.push_back({handle, position, false});
  return TheState().peds.back();
}

}  // namespace
}  // namespace detail

void Reset() {
  // A parked script would otherwise wake up in a world it never saw; stop it first.
  StopScript();
  detail::ResetClock();
  detail::ResetKeyboard();
  detail::TheState() = detail::State{};
}

void SetPlayer(std::int32_t handle, Vec3 position) {
  detail::TheState().player = handle;
  // Handle 0 is "no ped" to the plug-in; it must not become a ped that passes the checks.
  if (handle != 0) detail::PlacePed(handle, position);
}

void SetEngaged(std::int32_t handle) { detail::TheState().engaged = handle; }

void AddPed(std::int32_t handle, Vec3 position, bool listed) {
  detail::PlacePed(handle, position).listed = listed;
}

void RemovePed(std::int32_t handle) {
  std::vector<detail::Ped>& peds = detail::TheState().peds;
  peds.erase(std::remove_if(peds.begin(), peds.end(),
                            [handle](const detail::Ped& ped) { return ped.handle == handle; }),
             peds.end());
}

void SetPedAnswer(std::int32_t ped, std::uint64_t hash, std::int32_t value) {
  SetPedAnswers(ped, hash, {value});
}

void SetPedAnswers(std::int32_t ped, std::uint64_t hash, std::vector<std::int32_t> values) {
  if (!values.empty()) detail::TheState().pedAnswers[{ped, hash}] = {std::move(values), 0};
}

void SetAnswer(std::uint64_t hash, std::int32_t value) { SetAnswers(hash, {value}); }

void SetAnswers(std::uint64_t hash, std::vector<std::int32_t> values) {
  if (!values.empty()) detail::TheState().answers[hash] = {std::move(values), 0};
}

void ClearAnswer(std::uint64_t hash) { detail::TheState().answers.erase(hash); }

void SetReportedPedCount(int count) { detail::TheState().reportedPedCount = count; }

const std::vector<Call>& Calls() { return detail::TheState().calls; }

std::vector<Call> TakeCalls() { return std::exchange(detail::TheState().calls, {}); }

const std::vector<StartedAction>& Actions() { return detail::TheState().actions; }

std::vector<StartedAction> TakeActions() { return std::exchange(detail::TheState().actions, {}); }

HINSTANCE RegisteredModule() { return detail::TheState().module; }

ScriptEntryFn RegisteredScript() { return detail::TheState().entry; }

}  // namespace sim
