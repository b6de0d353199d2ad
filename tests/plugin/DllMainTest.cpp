// The module entry: what it hands to the script hook on each loader notification.
#include <gtest/gtest.h>

#include "input/KeyStateTable.h"
#include "melee/ScriptLoop.h"
#include "melee/TestWorld.h"
#include "plugin/DllMain.h"

namespace scuffler::testing {
namespace {

using DllMainTest = WorldTest;

const HINSTANCE kModule = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x7FF600000000});

std::uint64_t Address(HINSTANCE module) { return reinterpret_cast<std::uintptr_t>(module); }
template <typename Fn>
std::uint64_t Address(Fn* fn) {
  return reinterpret_cast<std::uintptr_t>(fn);
}

std::vector<std::pair<sim::Op, std::vector<std::uint64_t>>> Operations() {
  std::vector<std::pair<sim::Op, std::vector<std::uint64_t>>> ops;
  for (const sim::Call& call : sim::TakeCalls()) ops.emplace_back(call.op, call.args);
  return ops;
}

TEST_F(DllMainTest, AttachRegistersScriptThenKeyboardCallback) {
  EXPECT_EQ(DllMain(kModule, 1, nullptr), TRUE);
  const decltype(Operations()) expected = {
      {sim::Op::ScriptRegister, {Address(kModule), Address(&ScriptEntry)}},
      {sim::Op::KeyboardHandlerRegister, {Address(&RecordKeyMessage)}},
  };
  EXPECT_EQ(Operations(), expected);
}

TEST_F(DllMainTest, DetachRemovesScriptThenTheSameKeyboardCallback) {
  DllMain(kModule, 1, nullptr);
  sim::TakeCalls();
  EXPECT_EQ(DllMain(kModule, 0, nullptr), TRUE);
  const decltype(Operations()) expected = {
      {sim::Op::ScriptUnregister, {Address(kModule)}},
      {sim::Op::KeyboardHandlerUnregister, {Address(&RecordKeyMessage)}},
  };
  EXPECT_EQ(Operations(), expected);
  EXPECT_EQ(sim::RegisteredKeyboardHandler(), nullptr);
}

TEST_F(DllMainTest, ThreadNotificationsChangeNothing) {
  for (DWORD reason : {2u, 3u, 4u, 0xFFFFFFFFu}) {
    EXPECT_EQ(DllMain(kModule, reason, nullptr), TRUE) << reason;
  }
  EXPECT_TRUE(sim::Calls().empty());
}

TEST_F(DllMainTest, RegisteredCallbackRecordsKeysAndDetachStopsTheRunningScript) {
  DllMain(kModule, 1, nullptr);
  sim::SetTime(500);
  sim::TapKey(71);
  EXPECT_NE(gKeyStateTable[71].releasedFlag, 0u);
  ASSERT_TRUE(sim::RunScriptTicks(3));
  EXPECT_TRUE(sim::ScriptRunning());
  DllMain(kModule, 0, nullptr);
  EXPECT_FALSE(sim::ScriptRunning());
  gKeyStateTable[72].releasedFlag = 0;
  sim::TapKey(72);
  EXPECT_EQ(gKeyStateTable[72].releasedFlag, 0u) << "no callback after detach";
}

}  // namespace
}  // namespace scuffler::testing
