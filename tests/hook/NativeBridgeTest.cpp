// How arguments reach their 64-bit slots and how results are read back.
#include <gtest/gtest.h>

#include "hook/NativeBridge.h"
#include "hook/NativeHashes.h"
#include "melee/PedChecks.h"
#include "melee/TestWorld.h"

namespace scuffler::testing {
namespace {

using NativeBridgeTest = WorldTest;

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

}  // namespace
}  // namespace scuffler::testing
