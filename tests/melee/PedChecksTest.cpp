// The eligibility and readiness chains: which natives are asked, in what order, and where they
// stop.
#include <gtest/gtest.h>

#include "hook/NativeHashes.h"
#include "melee/PedChecks.h"
#include "melee/TestWorld.h"
#include "melee/TickState.h"

namespace scuffler::testing {
namespace {

constexpr std::int32_t kPlayer = 1;
constexpr std::int32_t kPed = 2;

class PedChecksTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    sim::SetPlayer(kPlayer, {});
    sim::AddPed(kPed, {1, 0, 0});
    gTickState.playerPed = kPlayer;
  }
};

TEST_F(PedChecksTest, EligiblePedAnswersAllElevenChecksInOrder) {
  EXPECT_TRUE(IsEligibleTarget(kPed));
  EXPECT_EQ(TakeNativeCalls(), EligibilityCalls(kPed));
}

// Each step failing, with a failing answer whose low byte is zero where the step passes on 0.
TEST_F(PedChecksTest, EligibilityStopsAtTheFirstFailingStep) {
  const struct {
    std::uint64_t hash;
    std::int32_t failing;
  } steps[] = {
      {hash::kDoesEntityExist, 0},  {hash::kIsPedHuman, 0},
      {hash::kIsEntityDead, 256},   {hash::kIsPedFatallyInjured, 1},
      {hash::kIsPedOnMount, -1},    {hash::kIsPedInAnyVehicle, 0x10000},
      {hash::kIsEntityInWater, 1},  {hash::kIsPedIncapacitated, 2},
      {hash::kIsPedRagdoll, 1},     {hash::kIsPauseMenuActive, 0x01000000},
      {hash::kGetPedConfigFlag, 1},
  };
  for (int step = 0; step < 11; ++step) {
    sim::Reset();
    sim::AddPed(kPed, {1, 0, 0});
    if (steps[step].hash == hash::kIsPauseMenuActive) {
      sim::SetAnswer(steps[step].hash, steps[step].failing);
    } else {
      sim::SetPedAnswer(kPed, steps[step].hash, steps[step].failing);
    }
    EXPECT_FALSE(IsEligibleTarget(kPed)) << "step " << step + 1;
    EXPECT_EQ(TakeNativeCalls(), EligibilityCalls(kPed, step)) << "step " << step + 1;
  }
}

TEST_F(PedChecksTest, HandleZeroIsAskedLikeAnyOther) {
  EXPECT_FALSE(IsEligibleTarget(0));
  EXPECT_EQ(TakeNativeCalls(), EligibilityCalls(0, 0));
}

TEST_F(PedChecksTest, HandleWithTopBitSetIsZeroExtended) {
  const auto ped = static_cast<std::int32_t>(0x80000010u);
  sim::AddPed(ped, {});
  EXPECT_TRUE(IsEligibleTarget(ped));
  const NativeSequence calls = TakeNativeCalls();
  ASSERT_EQ(calls.size(), 11u);
  EXPECT_EQ(calls[0].args, std::vector<std::uint64_t>{0x80000010u});
}

TEST_F(PedChecksTest, ReadyPlayerAnswersFourChecksInOrder) {
  EXPECT_TRUE(IsPlayerReady());
  EXPECT_EQ(TakeNativeCalls(), ReadinessCalls(kPlayer));
}

TEST_F(PedChecksTest, ReadinessStopsAtTheFirstFailingStep) {
  const std::uint64_t steps[] = {hash::kIsPedOnMount, hash::kIsPedInAnyVehicle,
                                 hash::kGetPedIsGrappling, hash::kIsPauseMenuActive};
  for (int step = 0; step < 4; ++step) {
    sim::Reset();
    sim::SetPlayer(kPlayer, {});
    if (steps[step] == hash::kIsPauseMenuActive) {
      sim::SetAnswer(steps[step], 512);
    } else {
      sim::SetPedAnswer(kPlayer, steps[step], 512);
    }
    EXPECT_FALSE(IsPlayerReady()) << "step " << step + 1;
    EXPECT_EQ(TakeNativeCalls(), ReadinessCalls(kPlayer, step)) << "step " << step + 1;
  }
}

TEST_F(PedChecksTest, ReadinessAsksAboutHandleZeroWhenThereIsNoPlayer) {
  gTickState.playerPed = 0;
  IsPlayerReady();
  EXPECT_EQ(TakeNativeCalls(), ReadinessCalls(0));
}

TEST_F(PedChecksTest, PauseMenuBlocksEveryPedAndThePlayer) {
  sim::AddPed(3, {2, 0, 0});
  sim::SetAnswer(hash::kIsPauseMenuActive, 1);
  EXPECT_FALSE(IsEligibleTarget(kPed));
  EXPECT_FALSE(IsEligibleTarget(3));
  EXPECT_FALSE(IsPlayerReady());
}

TEST_F(PedChecksTest, PedCheck11PassesHandleElevenAndOne) {
  sim::SetPedAnswer(kPed, hash::kGetPedConfigFlag, 77);
  EXPECT_EQ(PedCheck11(kPed), 77);
  EXPECT_EQ(TakeNativeCalls(), (NativeSequence{{hash::kGetPedConfigFlag, {kPed, 11, 1}}}));
}

// The tables the sandbox reads are the checks the plug-in makes: failing each row's native, by
// the row's own notion of a failing answer, stops the chain at that row and nowhere else.
TEST_F(PedChecksTest, EachTableRowIsTheCheckThatStopsTheChainWhenItsAnswerFails) {
  const auto fail = [](const PedCheck& check, std::int32_t ped) {
    const std::int32_t failing = check.failsWhenSet ? 4096 : 0;
    EXPECT_TRUE(Fails(check, failing));
    EXPECT_FALSE(Fails(check, check.failsWhenSet ? 0 : 4096));
    if (check.arguments == CheckArguments::None) {
      sim::SetAnswer(check.hash, failing);
    } else {
      sim::SetPedAnswer(ped, check.hash, failing);
    }
  };
  for (std::size_t row = 0; row < kEligibilityCheckCount; ++row) {
    sim::Reset();
    sim::AddPed(kPed, {1, 0, 0});
    fail(kEligibilityChecks[row], kPed);
    EXPECT_EQ(FirstFailingEligibilityCheck(kPed), row);
    EXPECT_EQ(TakeNativeCalls(), EligibilityCalls(kPed, static_cast<int>(row))) << row;
  }
  for (std::size_t row = 0; row < kReadinessCheckCount; ++row) {
    sim::Reset();
    sim::SetPlayer(kPlayer, {});
    fail(kReadinessChecks[row], kPlayer);
    EXPECT_EQ(FirstFailingReadinessCheck(), row);
    EXPECT_EQ(TakeNativeCalls(), ReadinessCalls(kPlayer, static_cast<int>(row))) << row;
  }
  sim::Reset();
  sim::AddPed(kPed, {1, 0, 0});
  EXPECT_EQ(FirstFailingEligibilityCheck(kPed), kEligibilityCheckCount);
}

}  // namespace
}  // namespace scuffler::testing
