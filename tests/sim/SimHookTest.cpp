// The simulated hook on its own: script hand-off and stopping, keyboard delivery across threads,
// ped enumeration bounds, native answers and their byte layout, and the call log.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "SimHook.h"
#include "hook/NativeBridge.h"
#include "hook/NativeHashes.h"

#if defined(__SANITIZE_ADDRESS__)
#define SIM_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SIM_TEST_ASAN 1
#endif
#endif
#ifdef SIM_TEST_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace {

namespace hash = scuffler::hash;
using scuffler::CallNative;
using scuffler::CallNativeFloat;
using scuffler::CallNativeInt;
using scuffler::CallNativePoint;
using scuffler::CallNativeU64;

HINSTANCE Module(std::uintptr_t value) { return reinterpret_cast<HINSTANCE>(value); }

std::uint64_t FloatSlot(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

std::vector<sim::Op> Ops(const std::vector<sim::Call>& calls) {
  std::vector<sim::Op> ops;
  for (const sim::Call& call : calls) ops.push_back(call.op);
  return ops;
}

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override { sim::Reset(); }
  void TearDown() override { sim::Reset(); }
};

// --- Script hosting ------------------------------------------------------------------------------

int gTicks = 0;
int gUnwound = 0;
int gStepsBeforeReturn = 0;

struct UnwindWitness {
  ~UnwindWitness() { ++gUnwound; }
};

void CountingScript() {
  UnwindWitness witness;
  for (;;) {
    ++gTicks;
    CallNativeInt(hash::kPlayerPedId);
    scriptWait(0);
  }
}

void ReturningScript() {
  for (int step = 0; step < gStepsBeforeReturn; ++step) scriptWait(5);
}

void ThrowingScript() {
  scriptWait(0);
  throw std::runtime_error("script failure");
}

void StartCounting() {
  gTicks = 0;
  gUnwound = 0;
  scriptRegister(Module(0x1000), &CountingScript);
  sim::TakeCalls();
}

TEST_F(SimTest, TicksHandOverStrictlyBetweenHostAndScript) {
  StartCounting();
  sim::SetPlayer(7, {});
  ASSERT_TRUE(sim::RunScriptTicks(1));
  EXPECT_EQ(gTicks, 1);
  EXPECT_TRUE(sim::ScriptRunning());
  std::vector<sim::Call> calls = sim::TakeCalls();
  ASSERT_EQ(Ops(calls), (std::vector<sim::Op>{sim::Op::Native, sim::Op::ScriptWait}));
  EXPECT_EQ(calls[0].result[0], 7u);
  EXPECT_EQ(calls[1].args, std::vector<std::uint64_t>{0});

  // What the host changes between ticks is what the script sees on the next one.
  sim::SetPlayer(8, {});
  ASSERT_TRUE(sim::RunScriptTicks(2));
  EXPECT_EQ(gTicks, 3);
  calls = sim::TakeCalls();
  ASSERT_EQ(Ops(calls), (std::vector<sim::Op>{sim::Op::Native, sim::Op::ScriptWait, sim::Op::Native,
                                              sim::Op::ScriptWait}));
  EXPECT_EQ(calls[0].result[0], 8u);
  EXPECT_EQ(calls[2].result[0], 8u);
}

TEST_F(SimTest, StopLeavesTheParkedScriptUnwoundAndARegistrationRunsAgain) {
  StartCounting();
  ASSERT_TRUE(sim::RunScriptTicks(2));
  sim::StopScript();
  EXPECT_FALSE(sim::ScriptRunning());
  EXPECT_EQ(gUnwound, 0) << "as the game's hook, nothing is thrown through the script";
  sim::StopScript();  // nothing left to stop

  StartCounting();
  ASSERT_TRUE(sim::RunScriptTicks(3));
  EXPECT_EQ(gTicks, 3);  // started from the top
}

#ifdef SIM_TEST_ASAN
char* gPoisonedBelow = nullptr;
constexpr std::size_t kPoisonedSize = 32 << 10;

// Leaves part of its stack poisoned, as the redzones of frames that never return stay, then parks.
// Well below its own frame: nothing it calls reaches that deep.
void PoisoningScript() {
  gPoisonedBelow = static_cast<char*>(__builtin_frame_address(0)) - 2 * kPoisonedSize;
  __asan_poison_memory_region(gPoisonedBelow, kPoisonedSize);
  for (;;) scriptWait(0);
}

TEST_F(SimTest, StopLeavesNoPoisonOnTheScriptsStack) {
  scriptRegister(Module(0x1000), &PoisoningScript);
  ASSERT_TRUE(sim::RunScriptTicks(1));
  ASSERT_EQ(__asan_region_is_poisoned(gPoisonedBelow, 2 * kPoisonedSize), gPoisonedBelow);
  sim::StopScript();
  EXPECT_EQ(__asan_region_is_poisoned(gPoisonedBelow, 2 * kPoisonedSize), nullptr);
}
#endif

TEST_F(SimTest, UnregisteringTheModuleStopsItsScript) {
  StartCounting();
  ASSERT_TRUE(sim::RunScriptTicks(1));
  scriptUnregister(Module(0x2000));  // not the registered module
  EXPECT_TRUE(sim::ScriptRunning());
  scriptUnregister(Module(0x1000));
  EXPECT_FALSE(sim::ScriptRunning());
  EXPECT_EQ(sim::RegisteredScript(), nullptr);
  EXPECT_FALSE(sim::RunScriptTicks(1));
}

TEST_F(SimTest, AScriptThatReturnsEndsTheRunAndIsNotRestarted) {
  gStepsBeforeReturn = 2;
  scriptRegister(Module(0x1000), &ReturningScript);
  sim::TakeCalls();
  EXPECT_FALSE(sim::RunScriptTicks(5));
  EXPECT_FALSE(sim::ScriptRunning());
  EXPECT_EQ(Ops(sim::TakeCalls()),
            (std::vector<sim::Op>{sim::Op::ScriptWait, sim::Op::ScriptWait}));
  EXPECT_FALSE(sim::RunScriptTicks(1));
  EXPECT_TRUE(sim::TakeCalls().empty());
}

TEST_F(SimTest, AnExceptionOutOfTheScriptReachesTheHost) {
  scriptRegister(Module(0x1000), &ThrowingScript);
  ASSERT_TRUE(sim::RunScriptTicks(1));
  EXPECT_THROW(sim::RunScriptTicks(1), std::runtime_error);
  EXPECT_FALSE(sim::ScriptRunning());
}

TEST_F(SimTest, NoScriptNoTicksAndAWaitOutsideTheScriptReturns) {
  EXPECT_FALSE(sim::RunScriptTicks(1));
  scriptWait(3);
  const std::vector<sim::Call> calls = sim::TakeCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].op, sim::Op::ScriptWait);
  EXPECT_EQ(calls[0].args, std::vector<std::uint64_t>{3});
}

TEST_F(SimTest, RegistrationsAreRecordedWithTheirArguments) {
  scriptRegister(Module(0x1000), &CountingScript);
  scriptUnregister(Module(0x1000));
  const std::vector<sim::Call> calls = sim::TakeCalls();
  ASSERT_EQ(Ops(calls), (std::vector<sim::Op>{sim::Op::ScriptRegister, sim::Op::ScriptUnregister}));
  EXPECT_EQ(calls[0].args, (std::vector<std::uint64_t>{
                               0x1000, reinterpret_cast<std::uintptr_t>(&CountingScript)}));
  EXPECT_EQ(calls[1].args, std::vector<std::uint64_t>{0x1000});
}

// --- Keyboard and clock --------------------------------------------------------------------------

struct KeyMessage {
  std::uint32_t key, repeat, scan, extended, alt, wasDown, released;
  bool operator==(const KeyMessage& o) const {
    return key == o.key && repeat == o.repeat && scan == o.scan && extended == o.extended &&
           alt == o.alt && wasDown == o.wasDown && released == o.released;
  }
};

std::vector<KeyMessage> gMessages;  // written by the delivering thread, read after it joined

void RecordMessage(DWORD key, WORD repeat, BYTE scan, BOOL extended, BOOL alt, BOOL wasDown,
                   BOOL released) {
  gMessages.push_back({key, repeat, scan, static_cast<std::uint32_t>(extended),
                       static_cast<std::uint32_t>(alt), static_cast<std::uint32_t>(wasDown),
                       static_cast<std::uint32_t>(released)});
}

void OtherHandler(DWORD, WORD, BYTE, BOOL, BOOL, BOOL, BOOL) {}

TEST_F(SimTest, KeysReachTheHandlerFromAnotherThread) {
  gMessages.clear();
  keyboardHandlerRegister(&RecordMessage);
  std::thread sender([] {
    sim::TapKey(38);
    sim::SendKey(71, false, true, true);
  });
  sender.join();
  EXPECT_EQ(gMessages,
            (std::vector<KeyMessage>{
                {38, 1, 0, 0, 0, 0, 0}, {38, 1, 0, 0, 0, 1, 1}, {71, 1, 0, 0, 1, 1, 0}}));

  keyboardHandlerUnregister(&OtherHandler);  // not the registered one: no effect
  EXPECT_EQ(sim::RegisteredKeyboardHandler(), &RecordMessage);
  keyboardHandlerUnregister(&RecordMessage);
  sim::TapKey(38);
  EXPECT_EQ(gMessages.size(), 3u);
  EXPECT_EQ(Ops(sim::TakeCalls()), (std::vector<sim::Op>{sim::Op::KeyboardHandlerRegister,
                                                         sim::Op::KeyboardHandlerUnregister,
                                                         sim::Op::KeyboardHandlerUnregister}));
}

TEST_F(SimTest, TheClockIsSharedWithEveryThreadAndWraps) {
  sim::SetTime(0xFFFFFFF0u);
  sim::AdvanceTime(0x20);
  std::atomic<std::uint32_t> seen{0};
  std::thread reader([&seen] { seen = GetTickCount(); });
  reader.join();
  EXPECT_EQ(seen.load(), 0x10u);
  EXPECT_EQ(sim::Time(), 0x10u);
}

// --- Ped enumeration -----------------------------------------------------------------------------

struct PedListCase {
  int listed;    // peds 101, 102, ... added in order
  int reported;  // SetReportedPedCount; negative for honest
  int capacity;
  int returned;  // the entries written are 101, 102, ... repeated, or 0 with no listed ped
};

class PedListTest : public SimTest, public ::testing::WithParamInterface<PedListCase> {};

TEST_P(PedListTest, WritesNoMoreThanTheCapacity) {
  const PedListCase& c = GetParam();
  for (int i = 0; i < c.listed; ++i) sim::AddPed(101 + i, {});
  sim::AddPed(999, {}, false);  // known but unlisted
  sim::SetReportedPedCount(c.reported);
  constexpr int kGuard = 0x7EADBEEF;
  std::vector<int> buffer(static_cast<std::size_t>(c.capacity) + 16, kGuard);

  EXPECT_EQ(worldGetAllPeds(buffer.data(), c.capacity), c.returned);
  const int written = std::min(c.returned, c.capacity);
  for (int i = 0; i < static_cast<int>(buffer.size()); ++i) {
    const int expected = i >= written ? kGuard : c.listed == 0 ? 0 : 101 + i % c.listed;
    EXPECT_EQ(buffer[static_cast<std::size_t>(i)], expected) << "entry " << i;
  }
  const std::vector<sim::Call> calls = sim::TakeCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].op, sim::Op::WorldGetAllPeds);
  EXPECT_EQ(calls[0].args, std::vector<std::uint64_t>{static_cast<std::uint64_t>(c.capacity)});
  EXPECT_EQ(calls[0].result[0], static_cast<std::uint64_t>(c.returned));
}

INSTANTIATE_TEST_SUITE_P(Counts, PedListTest,
                         ::testing::Values(PedListCase{3, -1, 8, 3}, PedListCase{3, -1, 2, 2},
                                           PedListCase{0, -1, 4, 0}, PedListCase{3, 0, 4, 0},
                                           PedListCase{3, 7, 4, 7},
                                           PedListCase{3, 1100, 1024, 1100},
                                           PedListCase{0, 5, 3, 5}));

// --- Native answers ------------------------------------------------------------------------------

TEST_F(SimTest, SquaredDistanceDecodesTheLowHalfOfEachSlot) {
  EXPECT_EQ(CallNativeFloat(hash::kVdist2, 1.0f, 2.0f, 3.0f, 4.0f, -2.0f, 3.0f), 25.0f);
  // Garbage in a slot's upper half must not reach the float.
  nativeInit(hash::kVdist2);
  for (const float value : {-1.0f, 0.0f, 0.0f, 2.0f, 0.0f, 0.0f}) {
    nativePush64(0xFFFFFFFF00000000u | FloatSlot(value));
  }
  EXPECT_EQ(scuffler::bridge::ReadAt<float>(nativeCall(), 0), 9.0f);
  EXPECT_EQ(sim::Calls().back().result[0], FloatSlot(9.0f));
}

TEST_F(SimTest, OverridesApplyPerPedOrToEveryCall) {
  sim::SetPlayer(7, {});
  sim::SetEngaged(12);
  sim::AddPed(9, {});
  sim::SetPedAnswer(9, hash::kDoesEntityExist, 0);
  sim::SetPedAnswer(9, hash::kGetPedConfigFlag, 256);
  sim::SetPedAnswer(9, hash::kIsPedInCombat, 1);  // keyed on the target, the second argument
  sim::SetPedAnswer(7, hash::kGetPedIsGrappling, 1);
  EXPECT_EQ(CallNativeInt(hash::kDoesEntityExist, 9), 0);
  EXPECT_EQ(CallNativeInt(hash::kGetPedConfigFlag, 9, 11, 1), 256);
  EXPECT_EQ(CallNativeInt(hash::kIsPedInCombat, 7, 9), 1);
  EXPECT_EQ(CallNativeInt(hash::kIsPedInCombat, 9, 7), 0);
  EXPECT_EQ(CallNativeInt(hash::kGetPedIsGrappling, 7), 1);
  EXPECT_EQ(CallNativeInt(hash::kPlayerPedId), 7);
  EXPECT_EQ(CallNativeInt(hash::kGetMeleeTargetForPed, 7), 12);
  EXPECT_EQ(CallNativeInt(hash::kGetMeleeTargetForPed, 9), 0);

  sim::SetAnswer(hash::kDoesEntityExist, 1);  // wins over the per-ped answer
  sim::SetAnswer(hash::kIsUsingKeyboardAndMouse, 0);
  sim::SetAnswer(hash::kGetRandomIntInRange, -1);
  EXPECT_EQ(CallNativeInt(hash::kDoesEntityExist, 9), 1);
  EXPECT_EQ(CallNativeInt(hash::kIsUsingKeyboardAndMouse, 0), 0);
  EXPECT_EQ(CallNativeInt(hash::kGetRandomIntInRange, 0, 5), -1);
  sim::ClearAnswer(hash::kDoesEntityExist);
  EXPECT_EQ(CallNativeInt(hash::kDoesEntityExist, 9), 0);
}

TEST_F(SimTest, NameHashIsDeterministicCaseInsensitiveAndReadsBack) {
  EXPECT_EQ(sim::NameHash("a"), 0xCA2E9442u);  // Jenkins one-at-a-time of "a"
  EXPECT_EQ(sim::NameHash("A"), 0xCA2E9442u);
  const char* name = "AR_KICK_MID_FAR_V01";
  const auto viaNative = static_cast<std::uint32_t>(CallNativeInt(hash::kGetHashKey, name));
  EXPECT_EQ(viaNative, sim::NameHash("ar_kick_mid_far_v01"));
  EXPECT_NE(viaNative, sim::NameHash("AR_KICK_LOW_FAR_V01"));
  EXPECT_EQ(sim::ActionName(viaNative), name);
  EXPECT_EQ(sim::ActionName(0x12345678u), "");
  const sim::Call& call = sim::Calls().back();
  EXPECT_EQ(call.text, name);
  EXPECT_EQ(call.args, std::vector<std::uint64_t>{reinterpret_cast<std::uintptr_t>(name)});
}

TEST_F(SimTest, OddCallsAreRecordedAsTheyCame) {
  const std::uint64_t* unknown = CallNative(0x1234567890ABCDEFu, 5);
  EXPECT_EQ(unknown[0], 0u);
  CallNativeInt(hash::kIsPedInAnyVehicle, 9);  // one slot short
  CallNative(hash::kPlayerPedId, 1, 2);        // two slots too many
  const std::vector<sim::Call> calls = sim::TakeCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].hash, 0x1234567890ABCDEFu);
  EXPECT_EQ(calls[0].args, std::vector<std::uint64_t>{5});
  EXPECT_EQ(calls[1].args, std::vector<std::uint64_t>{9});
  EXPECT_EQ(calls[2].args, (std::vector<std::uint64_t>{1, 2}));
  EXPECT_TRUE(sim::Calls().empty());
}

}  // namespace
