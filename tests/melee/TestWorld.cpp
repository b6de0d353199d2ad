#include "melee/TestWorld.h"

#include <cstring>
#include <iomanip>

#include "hook/NativeHashes.h"
#include "input/KeyStateTable.h"
#include "melee/TickState.h"
#include "record/Recorder.h"
#include "settings/Settings.h"

namespace scuffler::testing {

std::ostream& operator<<(std::ostream& out, const NativeCall& call) {
  out << "0x" << std::hex << std::uppercase << std::setw(16) << std::setfill('0') << call.hash
      << "(";
  for (std::size_t i = 0; i < call.args.size(); ++i) out << (i ? ", 0x" : "0x") << call.args[i];
  return out << ")" << std::dec;
}

std::uint64_t FloatSlot(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

NativeSequence EligibilityCalls(std::int32_t ped, int passingSteps) {
  const std::uint64_t p = static_cast<std::uint32_t>(ped);
  const NativeSequence chain = {
      {hash::kDoesEntityExist, {p}},
      {hash::kIsPedHuman, {p}},
      {hash::kIsEntityDead, {p}},
      {hash::kIsPedFatallyInjured, {p}},
      {hash::kIsPedOnMount, {p}},
      {hash::kIsPedInAnyVehicle, {p, 0}},
      {hash::kIsEntityInWater, {p}},
      {hash::kIsPedIncapacitated, {p}},
      {hash::kIsPedRagdoll, {p}},
      {hash::kIsPauseMenuActive, {}},
      {hash::kGetPedConfigFlag, {p, 11, 1}},
  };
  const auto asked = static_cast<std::size_t>(passingSteps < 11 ? passingSteps + 1 : 11);
  return NativeSequence(chain.begin(), chain.begin() + static_cast<std::ptrdiff_t>(asked));
}

NativeSequence ReadinessCalls(std::int32_t player, int passingSteps) {
  const std::uint64_t p = static_cast<std::uint32_t>(player);
  const NativeSequence chain = {
      {hash::kIsPedOnMount, {p}},
      {hash::kIsPedInAnyVehicle, {p, 0}},
      {hash::kGetPedIsGrappling, {p}},
      {hash::kIsPauseMenuActive, {}},
  };
  const auto asked = static_cast<std::size_t>(passingSteps < 4 ? passingSteps + 1 : 4);
  return NativeSequence(chain.begin(), chain.begin() + static_cast<std::ptrdiff_t>(asked));
}

NativeSequence operator+(NativeSequence a, const NativeSequence& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

NativeSequence TakeNativeCalls() {
  NativeSequence natives;
  for (const sim::Call& call : sim::TakeCalls()) {
    if (call.op == sim::Op::Native) natives.push_back({call.hash, call.args});
  }
  return natives;
}

void ResetWorldAndPlugIn() {
  sim::Reset();
  gSettings = Settings{};
  gTickState = TickState{};
  for (KeyState& slot : gKeyStateTable) ClearKeySlot(slot);
  StopRecording();
  SetRecordingSink(kFolderSink);
}

void WorldTest::SetUp() { ResetWorldAndPlugIn(); }

void WorldTest::TearDown() {
  sim::StopScript();
  keyboardHandlerUnregister(&RecordKeyMessage);
}

void WorldTest::ListenToKeyboard() { keyboardHandlerRegister(&RecordKeyMessage); }

}  // namespace scuffler::testing
