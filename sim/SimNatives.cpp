// The native-call protocol and the ped enumeration, answered from the world record. Every native
// is recorded exactly as pushed, even with too few or too many slots, so tests can assert the
// plug-in's calls slot by slot; a missing slot reads as 0 when answering.
#include <algorithm>
#include <cstring>

#include "SimState.h"
#include "hook/NativeHashes.h"

namespace {

namespace hash = scuffler::hash;
using sim::detail::State;
using sim::detail::TheState;

std::uint64_t Slot(const std::vector<std::uint64_t>& args, std::size_t index) {
  return index < args.size() ? args[index] : 0;
}

std::int32_t SlotInt(const std::vector<std::uint64_t>& args, std::size_t index) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(Slot(args, index)));
}

float SlotFloat(const std::vector<std::uint64_t>& args, std::size_t index) {
  const auto bits = static_cast<std::uint32_t>(Slot(args, index));
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void PutFloat(std::uint64_t* result, std::size_t byteOffset, float value) {
  std::memcpy(reinterpret_cast<unsigned char*>(result) + byteOffset, &value, sizeof value);
}

void PutInt(std::uint64_t* result, std::int32_t value) {
  result[0] = static_cast<std::uint32_t>(value);
}

// Which argument names the ped a per-ped check asks about; -1 for natives that are not such checks.
int PedArgument(std::uint64_t nativeHash) {
  const scuffler::NativeInfo* native = scuffler::FindNative(nativeHash);
  return native != nullptr ? native->checkedPed : scuffler::kNoPed;
}

// The default of a check: a known ped is eligible and ready, an unknown one does not exist; the
// player is on keyboard and mouse.
std::int32_t DefaultAnswer(std::uint64_t nativeHash, std::int32_t ped) {
  if (PedArgument(nativeHash) == scuffler::kNoPed) return sim::UnsetAnswer(nativeHash);
  return sim::detail::FindPed(ped) != nullptr ? sim::PassingAnswer(nativeHash) : 0;
}

// The player as PLAYER_PED_ID answers it now (a canned answer is not used up by asking here).
std::int32_t CurrentPlayer(const State& state) {
  const auto fixed = state.answers.find(hash::kPlayerPedId);
  return fixed == state.answers.end() ? state.player : fixed->second.values[fixed->second.next];
}

std::int32_t IntAnswer(State& state, const sim::Call& call) {
  if (const auto fixed = state.answers.find(call.hash); fixed != state.answers.end()) {
    return fixed->second.Take();
  }
  if (call.hash == hash::kPlayerPedId) return state.player;
  if (call.hash == hash::kGetMeleeTargetForPed) {
    return SlotInt(call.args, 0) == CurrentPlayer(state) ? state.engaged : 0;
  }
  const int pedArgument = PedArgument(call.hash);
  const std::int32_t ped =
      pedArgument < 0 ? 0 : SlotInt(call.args, static_cast<std::size_t>(pedArgument));
  if (pedArgument >= 0) {
    if (const auto answer = state.pedAnswers.find({ped, call.hash});
        answer != state.pedAnswers.end()) {
      return answer->second.Take();
    }
  }
  return DefaultAnswer(call.hash, ped);
}

void AnswerPosition(State& /*state*/, sim::Call& call, std::uint64_t* result) {
  const sim::detail::Ped* ped = sim::detail::FindPed(SlotInt(call.args, 0));
  const sim::Vec3 at = ped != nullptr ? ped->position : sim::Vec3{};
  PutFloat(result, 0, at.x);
  PutFloat(result, 8, at.y);
  PutFloat(result, 16, at.z);
}

void AnswerSquaredDistance(State& /*state*/, sim::Call& call, std::uint64_t* result) {
  const float dx = SlotFloat(call.args, 0) - SlotFloat(call.args, 3);
  const float dy = SlotFloat(call.args, 1) - SlotFloat(call.args, 4);
  const float dz = SlotFloat(call.args, 2) - SlotFloat(call.args, 5);
  PutFloat(result, 0, dx * dx + dy * dy + dz * dz);
}

void AnswerNameHash(State& /*state*/, sim::Call& call, std::uint64_t* result) {
  const auto address = static_cast<std::uintptr_t>(Slot(call.args, 0));
  const auto* text = reinterpret_cast<const char*>(address);
  call.text = text != nullptr ? text : "";
  result[0] = sim::detail::HashActionName(call.text);
}

void StartAction(State& state, sim::Call& call, std::uint64_t* result) {
  state.actions.push_back({SlotInt(call.args, 0), SlotInt(call.args, 1),
                           static_cast<std::uint32_t>(Slot(call.args, 2))});
  result[0] = 1;
}

// The natives whose answers are computed from their arguments; every other native the plug-in
// calls answers the 32-bit integer the world, or a test, sets.
struct ComputedNative {
  std::uint64_t hash;
  void (*answer)(State& state, sim::Call& call, std::uint64_t* result);
};

constexpr ComputedNative kComputedNatives[] = {
    {hash::kGetEntityCoords, &AnswerPosition},
    {hash::kVdist2, &AnswerSquaredDistance},
    {hash::kGetHashKey, &AnswerNameHash},
    {hash::kTaskPutPedDirectlyIntoMelee, &StartAction},
};

const ComputedNative* FindComputed(std::uint64_t nativeHash) {
  for (const ComputedNative& native : kComputedNatives) {
    if (native.hash == nativeHash) return &native;
  }
  return nullptr;
}

// A replay's answer: the world is not asked, but the log keeps the action names and starts.
void AnswerFromResponder(State& state, sim::Call& call, std::uint64_t* result) {
  if (call.hash == hash::kGetHashKey) {
    const auto* text =
        reinterpret_cast<const char*>(static_cast<std::uintptr_t>(Slot(call.args, 0)));
    call.text = text != nullptr ? text : "";
  }
  state.responder->native(call, result, state.responder->context);
  if (call.hash == hash::kGetHashKey) {
    state.actionNames.emplace(static_cast<std::uint32_t>(result[0]), call.text);
  }
  if (call.hash == hash::kTaskPutPedDirectlyIntoMelee) {
    state.actions.push_back({SlotInt(call.args, 0), SlotInt(call.args, 1),
                             static_cast<std::uint32_t>(Slot(call.args, 2))});
  }
}

void Answer(State& state, sim::Call& call, std::uint64_t* result) {
  if (state.responder != nullptr) {
    AnswerFromResponder(state, call, result);
  } else if (const ComputedNative* computed = FindComputed(call.hash)) {
    computed->answer(state, call, result);
  } else if (sim::TakesAnswers(call.hash)) {
    PutInt(result, IntAnswer(state, call));
  }
  // Any other native answers zeros.
}

}  // namespace

namespace sim {

bool TakesAnswers(std::uint64_t nativeHash) {
  return scuffler::FindNative(nativeHash) != nullptr && FindComputed(nativeHash) == nullptr;
}

std::int32_t UnsetAnswer(std::uint64_t nativeHash) {
  return nativeHash == hash::kIsUsingKeyboardAndMouse ? 1 : 0;
}

std::int32_t PassingAnswer(std::uint64_t nativeHash) {
  return nativeHash == hash::kDoesEntityExist || nativeHash == hash::kIsPedHuman ? 1 : 0;
}

}  // namespace sim

extern "C" void nativeInit(std::uint64_t nativeHash) {
  State& state = TheState();
  state.pendingHash = nativeHash;
  state.pendingArgs.clear();
}

extern "C" void nativePush64(std::uint64_t value) { TheState().pendingArgs.push_back(value); }

extern "C" std::uint64_t* nativeCall() {
  State& state = TheState();
  sim::Call call;
  call.op = sim::Op::Native;
  call.hash = state.pendingHash;
  call.args = std::move(state.pendingArgs);
  state.pendingArgs.clear();
  std::fill(std::begin(state.result), std::end(state.result), 0);
  Answer(state, call, state.result);
  std::copy(std::begin(state.result), std::end(state.result), std::begin(call.result));
  sim::detail::Record(std::move(call));
  return state.result;
}

namespace sim {

void SetResponder(const Responder* responder) { TheState().responder = responder; }

}  // namespace sim

namespace {

// Logs a worldGetAllPeds that gave `count` for a buffer of `capacity`, and returns `count`.
int RecordPedList(int capacity, int count) {
  sim::Call call;
  call.op = sim::Op::WorldGetAllPeds;
  call.args = {static_cast<std::uint32_t>(capacity)};
  call.result[0] = static_cast<std::uint32_t>(count);
  sim::detail::Record(std::move(call));
  return count;
}

}  // namespace

extern "C" int worldGetAllPeds(int* peds, int capacity) {
  State& state = TheState();
  if (state.responder != nullptr) {
    return RecordPedList(capacity, state.responder->peds(peds, capacity, state.responder->context));
  }
  std::vector<std::int32_t> listed;
  for (const sim::detail::Ped& ped : state.peds) {
    if (ped.listed) listed.push_back(ped.handle);
  }
  const int room = peds != nullptr ? std::max(capacity, 0) : 0;
  const int count = state.reportedPedCount >= 0 ? state.reportedPedCount
                                                : std::min(static_cast<int>(listed.size()), room);
  // A reported count beyond the list repeats it, so the plug-in's reads stay meaningful.
  for (int i = 0; i < std::min(count, room); ++i) {
    peds[i] = listed.empty() ? 0 : listed[static_cast<std::size_t>(i) % listed.size()];
  }
  return RecordPedList(capacity, count);
}
