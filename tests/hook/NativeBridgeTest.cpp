// How arguments reach their 64-bit slots and how results are read back, and that every native
// the plug-in calls is the public one: its hash, namespace and declared parameter count.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include "hook/NativeBridge.h"
#include "hook/NativeHashes.h"
#include "melee/PedChecks.h"
#include "melee/ScriptLoop.h"
#include "melee/TestWorld.h"

namespace scuffler::testing {
namespace {

using NativeBridgeTest = WorldTest;

// The game's natives as its public native database declares them, written out here rather than
// read from the plug-in's own list, which the sim and the sandbox read too.
struct PublicNative {
  std::uint64_t hash;
  const char* space;
  const char* name;
  std::size_t parameters;
};
constexpr PublicNative kPublicNatives[] = {
    {0x096275889B8E0EE0, "PLAYER", "PLAYER_PED_ID", 0},
    {0x18A3E9EE1297FD39, "PED", "GET_MELEE_TARGET_FOR_PED", 1},
    {0xA86D5F069399F44D, "ENTITY", "GET_ENTITY_COORDS", 3},
    {0xD42BD6EB2E0F1677, "ENTITY", "DOES_ENTITY_EXIST", 1},
    {0xB980061DA992779D, "PED", "IS_PED_HUMAN", 1},
    {0x7D5B1F88E7504BBA, "ENTITY", "IS_ENTITY_DEAD", 1},
    {0xD839450756ED5A80, "PED", "IS_PED_FATALLY_INJURED", 1},
    {0x460BC76A0E10655E, "PED", "IS_PED_ON_MOUNT", 1},
    {0x997ABD671D25CA0B, "PED", "IS_PED_IN_ANY_VEHICLE", 2},
    {0xDDE5C125AC446723, "ENTITY", "IS_ENTITY_IN_WATER", 1},
    {0xB655DB7582AEC805, "PED", "IS_PED_INCAPACITATED", 1},
    {0x47E4E977581C5B55, "PED", "IS_PED_RAGDOLL", 1},
    {0x535384D6067BA42E, "HUD", "IS_PAUSE_MENU_ACTIVE", 0},
    {0x7EE53118C892B513, "PED", "GET_PED_CONFIG_FLAG", 3},
    {0x0E99E3BF11BB6367, "PED", "GET_PED_IS_GRAPPLING", 1},
    {0xB7A628320EFF8E47, "BUILTIN", "VDIST2", 6},
    {0x1C6CD14A876FFE39, "TASK", "TASK_PUT_PED_DIRECTLY_INTO_MELEE", 7},
    {0x4859F1FC66A6278E, "PED", "IS_PED_IN_COMBAT", 2},
    {0xFD340785ADF8CFB7, "MISC", "GET_HASH_KEY", 1},
    {0xA571D46727E2B718, "PAD", "IS_USING_KEYBOARD_AND_MOUSE", 1},
    {0x580417101DDB492F, "PAD", "IS_CONTROL_JUST_PRESSED", 2},
    {0xD53343AA4FB7DD28, "MISC", "GET_RANDOM_INT_IN_RANGE", 2},
};

const PublicNative* FindPublic(std::uint64_t nativeHash) {
  for (const PublicNative& native : kPublicNatives) {
    if (native.hash == nativeHash) return &native;
  }
  return nullptr;
}

TEST_F(NativeBridgeTest, IntegersAreZeroExtendedEvenWithTheTopBitSet) {
  StartMeleeAction(-5, static_cast<std::int32_t>(0x80000001u), 0xF0000000u);
  const NativeSequence expected = {
      {hash::kTaskPutPedDirectlyIntoMelee, {0xFFFFFFFBu, 0x80000001u, 0xF0000000u, 0, 0, 1, 0}}};
  EXPECT_EQ(TakeNativeCalls(), expected);
}

TEST_F(NativeBridgeTest, FloatsFillTheLowHalfInPushOrder) {
  SquaredDistance(1.5f, -2.0f, 0.0f, -0.0f, 3.25f, 1e30f);
  const NativeSequence expected = {
      {hash::kVdist2,
       {FloatSlot(1.5f), FloatSlot(-2.0f), 0, 0x80000000u, FloatSlot(3.25f), FloatSlot(1e30f)}}};
  EXPECT_EQ(TakeNativeCalls(), expected);
}

TEST_F(NativeBridgeTest, StringsPassTheirPointer) {
  const char* name = "AR_KICK_LOW_FAR_V01";
  const std::int32_t result = CallNativeInt(hash::kGetHashKey, name);
  const std::vector<sim::Call> calls = sim::TakeCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, std::vector<std::uint64_t>{reinterpret_cast<std::uintptr_t>(name)});
  EXPECT_EQ(calls[0].text, name);
  EXPECT_EQ(static_cast<std::uint32_t>(result), sim::NameHash(name));
}

TEST_F(NativeBridgeTest, PointIsReadFromOffsetsZeroEightAndSixteen) {
  sim::SetPlayer(7, {1.25f, -8.5f, 300.0f});
  const WorldPoint p = CallNativePoint(hash::kGetEntityCoords, 7, 0, 0);
  EXPECT_EQ(p.x, 1.25f);
  EXPECT_EQ(p.y, -8.5f);
  EXPECT_EQ(p.z, 300.0f);
}

TEST_F(NativeBridgeTest, ResultsOfEveryWidthComeFromTheFrontOfTheBuffer) {
  sim::SetAnswer(hash::kGetRandomIntInRange, -3);
  EXPECT_EQ(CallNativeInt(hash::kGetRandomIntInRange, 0, 5), -3);
  EXPECT_EQ(CallNativeFloat(hash::kVdist2, 0.0f, 0.0f, 0.0f, 3.0f, 4.0f, 0.0f), 25.0f);
  EXPECT_EQ(StartMeleeAction(1, 2, 3), 1u);
}

TEST_F(NativeBridgeTest, EveryNativeIsThePublicOneWithItsDeclaredParameters) {
  EXPECT_EQ(std::size(kNatives), std::size(kPublicNatives));
  for (const PublicNative& native : kPublicNatives) {
    const NativeInfo* const listed = FindNative(native.hash);
    ASSERT_NE(listed, nullptr) << native.name;
    EXPECT_EQ(std::string(listed->space), native.space) << native.name;
    EXPECT_EQ(std::string(listed->name), native.name);
  }
  // One tick that asks all of them: a ped to find and to fight, a bound key just released, and
  // the special-ability control just pressed on a controller.
  ListenToKeyboard();
  sim::SetPlayer(100, {0, 0, 0});
  sim::AddPed(7, {2, 0, 0});
  sim::SetAnswer(hash::kIsUsingKeyboardAndMouse, 0);
  sim::SetAnswer(hash::kIsControlJustPressed, 1);
  sim::SetAnswer(hash::kGetRandomIntInRange, 0);
  sim::SetTime(10000);
  sim::TapKey(38);
  sim::AdvanceTime(20);
  sim::TakeCalls();
  RunTick();
  std::set<std::uint64_t> asked;
  for (const NativeCall& call : TakeNativeCalls()) {
    const PublicNative* const native = FindPublic(call.hash);
    ASSERT_NE(native, nullptr) << std::hex << call.hash;
    EXPECT_EQ(call.args.size(), native->parameters) << native->name;
    asked.insert(call.hash);
  }
  EXPECT_EQ(asked.size(), std::size(kPublicNatives));
}

}  // namespace
}  // namespace scuffler::testing
