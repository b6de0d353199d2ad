// One tick of the script: the state refresh, the nearest-target search and the loop around them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "hook/NativeHashes.h"
#include "melee/ScriptLoop.h"
#include "melee/TestWorld.h"
#include "melee/TickState.h"
#include "plugin/DllMain.h"
#include "settings/Settings.h"

namespace scuffler::testing {
namespace {

constexpr std::int32_t kPlayer = 100;
constexpr std::int32_t kEngaged = 200;

class ScriptLoopTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    sim::SetPlayer(kPlayer, {10, 20, 30});
  }

  // The target the search picks among the world as set up.
  static std::int32_t Search() {
    FindNearestTarget();
    return gTickState.targetPed;
  }

  static NativeSequence SearchPrologue() {
    return {{hash::kPlayerPedId, {}}, {hash::kGetEntityCoords, {kPlayer, 0, 0}}};
  }
  static NativeSequence PlayerQuery() { return {{hash::kPlayerPedId, {}}}; }
};

TEST_F(ScriptLoopTest, TickWithNoPedsAsksForStateThenSearchesNothing) {
  sim::SetEngaged(kEngaged);
  gTickState.targetPed = 55;
  RunTick();
  const NativeSequence expected = {
      {hash::kPlayerPedId, {}},
      {hash::kGetMeleeTargetForPed, {kPlayer}},
      {hash::kPlayerPedId, {}},
      {hash::kGetEntityCoords, {kPlayer, 0, 0}},
      {hash::kIsUsingKeyboardAndMouse, {0}},
  };
  EXPECT_EQ(TakeNativeCalls(), expected);
  EXPECT_EQ(gTickState.playerPed, kPlayer);
  EXPECT_EQ(gTickState.engagedPed, kEngaged);
  EXPECT_EQ(gTickState.targetPed, 0);
}

TEST_F(ScriptLoopTest, ScriptTickIsOneWorldQueryAndOneYield) {
  HINSTANCE module = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x1000});
  DllMain(module, 1, nullptr);
  sim::TakeCalls();
  ASSERT_TRUE(sim::RunScriptTicks(2));
  std::vector<sim::Op> ops;
  for (const sim::Call& call : sim::TakeCalls()) {
    if (call.op != sim::Op::Native) ops.push_back(call.op);
    if (call.op == sim::Op::WorldGetAllPeds) {
      EXPECT_EQ(call.args, std::vector<std::uint64_t>{kPedBufferSize});
    }
    if (call.op == sim::Op::ScriptWait) {
      EXPECT_EQ(call.args, std::vector<std::uint64_t>{0});
    }
  }
  const std::vector<sim::Op> expected = {sim::Op::WorldGetAllPeds, sim::Op::ScriptWait,
                                         sim::Op::WorldGetAllPeds, sim::Op::ScriptWait};
  EXPECT_EQ(ops, expected);
  DllMain(module, 0, nullptr);
  EXPECT_FALSE(sim::ScriptRunning());
}

TEST_F(ScriptLoopTest, PlayerIsNeverACandidate) {
  sim::AddPed(kPlayer, {10, 20, 30});
  EXPECT_EQ(Search(), 0);
  EXPECT_EQ(TakeNativeCalls(), SearchPrologue() + PlayerQuery());
}

TEST_F(ScriptLoopTest, PedFailingTheFirstCheckCostsOneNative) {
  sim::AddPed(7, {10, 20, 31});
  sim::SetPedAnswer(7, hash::kDoesEntityExist, 0);
  EXPECT_EQ(Search(), 0);
  EXPECT_EQ(TakeNativeCalls(), SearchPrologue() + PlayerQuery() + EligibilityCalls(7, 0));
}

TEST_F(ScriptLoopTest, EligiblePedIsMeasuredFromThePlayer) {
  sim::AddPed(7, {13, 24, 30});
  EXPECT_EQ(Search(), 7);
  const NativeSequence measure = {
      {hash::kGetEntityCoords, {7, 0, 0}},
      {hash::kVdist2,
       {FloatSlot(10), FloatSlot(20), FloatSlot(30), FloatSlot(13), FloatSlot(24), FloatSlot(30)}},
  };
  EXPECT_EQ(TakeNativeCalls(), SearchPrologue() + PlayerQuery() + EligibilityCalls(7) + measure);
}

TEST_F(ScriptLoopTest, NearestEligiblePedWithinTheLimitWins) {
  struct Ped {
    std::int32_t handle;
    sim::Vec3 offset;
    bool eligible;
  };
  const Ped peds[] = {
      {1, {6, 0, 0}, true}, {2, {0, 2, 0}, false}, {3, {0, 0, -4}, true}, {4, {0, 5, 0}, true}};
  for (const Ped& ped : peds) {
    sim::AddPed(ped.handle, {10 + ped.offset.x, 20 + ped.offset.y, 30 + ped.offset.z});
    if (!ped.eligible) sim::SetPedAnswer(ped.handle, hash::kIsEntityInWater, 1);
  }
  EXPECT_EQ(Search(), 3);
}

TEST_F(ScriptLoopTest, LimitIsInclusiveAndTiesGoToTheLaterPed) {
  struct Case {
    const char* what;
    float limit;
    std::vector<std::pair<std::int32_t, float>> pedsAlongX;  // handle, distance from the player
    std::int32_t target;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {
      {"exactly at the limit", 10, {{1, 10}}, 1},
      {"just beyond the limit", 10, {{1, 10.001f}}, 0},
      {"two at the same distance", 10, {{1, 3}, {2, 3}}, 2},
      {"tie after a nearer ped", 10, {{1, 2}, {2, 3}, {3, 3}}, 1},
      {"negative limit acts as its size", -10, {{1, 9.5f}}, 1},
      {"negative limit still limits", -10, {{1, 10.5f}}, 0},
      {"zero limit", 0, {{1, 0.5f}}, 0},
      {"zero limit, ped on the player", 0, {{1, 0}}, 1},
      {"limit not a number takes the first, then the nearest",
       nan,
       {{1, 500}, {2, 900}, {3, 40}},
       3},
  };
  for (const Case& c : cases) {
    sim::Reset();
    sim::SetPlayer(kPlayer, {10, 20, 30});
    gSettings.MAX_DISTANCE = c.limit;
    for (const auto& [handle, distance] : c.pedsAlongX)
      sim::AddPed(handle, {10 + distance, 20, 30});
    EXPECT_EQ(Search(), c.target) << c.what;
  }
}

TEST_F(ScriptLoopTest, TargetDoesNotCarryOverToTheNextTick) {
  sim::AddPed(7, {11, 20, 30});
  EXPECT_EQ(Search(), 7);
  sim::AddPed(7, {50, 20, 30});
  EXPECT_EQ(Search(), 0);
}

TEST_F(ScriptLoopTest, ReportedCountBeyondTheBufferVisitsOnlyTheBuffer) {
  sim::AddPed(kPlayer, {10, 20, 30});
  sim::SetReportedPedCount(5000);
  EXPECT_EQ(Search(), 0);
  const NativeSequence calls = TakeNativeCalls();
  EXPECT_EQ(calls.size(), 2u + kPedBufferSize) << "one player query per buffer entry";
}

TEST_F(ScriptLoopTest, ReportedZeroVisitsNothing) {
  sim::AddPed(7, {11, 20, 30});
  sim::SetReportedPedCount(0);
  EXPECT_EQ(Search(), 0);
  EXPECT_EQ(TakeNativeCalls(), SearchPrologue());
}

}  // namespace
}  // namespace scuffler::testing
