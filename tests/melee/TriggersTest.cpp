// The six triggers: which action starts, against whom, and when nothing does.
#include <gtest/gtest.h>

#include <string>

#include "hook/NativeHashes.h"
#include "input/KeyStateTable.h"
#include "melee/ScriptLoop.h"
#include "melee/TestWorld.h"
#include "melee/TickState.h"
#include "melee/Triggers.h"
#include "settings/Settings.h"

namespace scuffler::testing {
namespace {

constexpr std::int32_t kPlayer = 100;
constexpr std::int32_t kNear = 7;
constexpr std::int32_t kEngaged = 9;

const char* const kChest = "AR_ATTACK_COUNTER_FROM_DODGELEFT_V1";

class TriggersTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ListenToKeyboard();
    sim::SetPlayer(kPlayer, {0, 0, 0});
    sim::AddPed(kNear, {2, 0, 0});
    sim::SetTime(10000);
  }

  // A tick that starts with `key` released 20 ms earlier.
  static void TickAfterTap(std::uint32_t key) {
    sim::TapKey(key);
    sim::AdvanceTime(20);
    RunTick();
    sim::AdvanceTime(16);
  }

  static void PressSpecialAbilityOnController(std::int32_t pick) {
    sim::SetAnswer(hash::kIsUsingKeyboardAndMouse, 0);
    sim::SetAnswer(hash::kIsControlJustPressed, 1);
    sim::SetAnswer(hash::kGetRandomIntInRange, pick);
  }

  // The actions started so far, as "target:name".
  static std::vector<std::string> Started() {
    std::vector<std::string> started;
    for (const sim::StartedAction& action : sim::TakeActions()) {
      EXPECT_EQ(action.actor, kPlayer);
      started.push_back(std::to_string(action.target) + ":" + sim::ActionName(action.actionHash));
    }
    return started;
  }
  static std::string On(std::int32_t target, const char* action) {
    return std::to_string(target) + ":" + action;
  }
};

using Strings = std::vector<std::string>;

TEST_F(TriggersTest, EachDefaultKeyStartsItsOwnActionOnTheNearestPed) {
  const struct {
    std::uint32_t key;
    const char* action;
  } bindings[] = {
      {71, "AR_ATT_COMBO_V2_PT3_LEFTSIDE"},
      {38, "AR_ATTACK_COUNTER_FROM_DODGELEFT_V1"},
      {40, "AR_ATTACK_COUNTER_FROM_DODGERIGHT_V2"},
      {39, "AR_KICK_MID_FAR_V01"},
      {37, "AR_KICK_LOW_FAR_V01"},
  };
  for (const auto& binding : bindings) {
    TickAfterTap(binding.key);
    EXPECT_EQ(Started(), Strings{On(kNear, binding.action)}) << binding.key;
  }
}

TEST_F(TriggersTest, KeyTriggerChoosesTargetThenHashesTheNameThenStarts) {
  RunTick();  // finds the target, starts nothing
  sim::TakeCalls();
  sim::TapKey(38);
  sim::AdvanceTime(5);
  RunKeyTrigger(kMeleeActions[1]);
  const std::uint64_t name = reinterpret_cast<std::uintptr_t>(kMeleeActions[1].name);
  const std::uint64_t chestHash = sim::NameHash(kChest);
  const NativeSequence expected =
      EligibilityCalls(kNear) + NativeSequence{{hash::kIsPedInCombat, {kPlayer, kNear}}} +
      ReadinessCalls(kPlayer) +
      NativeSequence{{hash::kGetHashKey, {name}},
                     {hash::kTaskPutPedDirectlyIntoMelee, {kPlayer, kNear, chestHash, 0, 0, 1, 0}}};
  EXPECT_EQ(TakeNativeCalls(), expected);
  EXPECT_EQ(Started(), Strings{On(kNear, kChest)});
}

TEST_F(TriggersTest, TargetRuleFallsBackToTheEngagedPed) {
  struct Case {
    const char* what;
    std::int32_t inCombat;  // IS_PED_IN_COMBAT(player, nearest ped)
    bool engagedEligible;
    bool playerReady;
    bool nearInRange;
    std::int32_t expectedTarget;  // 0: nothing starts
  };
  const Case cases[] = {
      {"nearest ped first", 0, true, true, true, kNear},
      {"in combat with the nearest ped", 1, true, true, true, kEngaged},
      {"in combat, engaged ped ineligible", 0x100, false, true, true, 0},
      {"no ped in range", 0, true, true, false, kEngaged},
      {"player not ready", 0, true, false, true, 0},
  };
  for (const Case& c : cases) {
    sim::Reset();
    ListenToKeyboard();
    sim::SetTime(10000);
    sim::SetPlayer(kPlayer, {0, 0, 0});
    sim::AddPed(kNear, {c.nearInRange ? 2.0f : 50.0f, 0, 0});
    sim::AddPed(kEngaged, {0, 40, 0}, false);
    sim::SetEngaged(kEngaged);
    sim::SetPedAnswer(kNear, hash::kIsPedInCombat, c.inCombat);
    if (!c.engagedEligible) sim::SetPedAnswer(kEngaged, hash::kIsPedHuman, 0);
    if (!c.playerReady) sim::SetPedAnswer(kPlayer, hash::kGetPedIsGrappling, 1);
    TickAfterTap(38);
    const Strings expected = c.expectedTarget ? Strings{On(c.expectedTarget, kChest)} : Strings{};
    EXPECT_EQ(Started(), expected) << c.what;
  }
}

TEST_F(TriggersTest, EngagedPedGetsNoCombatCheckAndReadinessIsAskedAgain) {
  sim::AddPed(kEngaged, {0, 40, 0}, false);
  sim::SetEngaged(kEngaged);
  gTickState = {kPlayer, kEngaged, kNear};
  sim::SetPedAnswer(kPlayer, hash::kGetPedIsGrappling, 1);
  EXPECT_EQ(ChooseActionTarget(), 0);
  const NativeSequence expected =
      EligibilityCalls(kNear) + NativeSequence{{hash::kIsPedInCombat, {kPlayer, kNear}}} +
      ReadinessCalls(kPlayer, 2) + EligibilityCalls(kEngaged) + ReadinessCalls(kPlayer, 2);
  EXPECT_EQ(TakeNativeCalls(), expected);
}

TEST_F(TriggersTest, ReleaseWithoutTargetIsUsedUpWithoutHashingTheName) {
  sim::AddPed(kNear, {50, 0, 0});
  TickAfterTap(38);
  for (const sim::Call& call : sim::TakeCalls()) EXPECT_NE(call.hash, hash::kGetHashKey);
  sim::AddPed(kNear, {2, 0, 0});
  RunTick();
  EXPECT_EQ(Started(), Strings{});
}

TEST_F(TriggersTest, StaleReleaseStartsNothingAndStaysInTheTable) {
  sim::TapKey(38);
  sim::AdvanceTime(100);
  RunTick();
  EXPECT_EQ(Started(), Strings{});
  EXPECT_NE(gKeyStateTable[38].releasedFlag, 0u);
}

TEST_F(TriggersTest, SharedKeyFiresOnlyTheFirstRowInTickOrder) {
  gSettings.iKickToLeg = 38;
  TickAfterTap(38);
  EXPECT_EQ(Started(), Strings{On(kNear, kChest)});
  gSettings.iKick1NoRagdoll = 38;
  TickAfterTap(38);
  EXPECT_EQ(Started(), Strings{On(kNear, "AR_ATT_COMBO_V2_PT3_LEFTSIDE")});
}

TEST_F(TriggersTest, UnboundKeyCodesAreInertWhileOthersWork) {
  gSettings.iKickToChest = -1;
  gSettings.iKickToLeg = 255;
  for (std::uint32_t key : {38u, 40u, 255u}) TickAfterTap(key);
  TickAfterTap(39);
  EXPECT_EQ(Started(), Strings{On(kNear, "AR_KICK_MID_FAR_V01")});
}

TEST_F(TriggersTest, SeveralKeysInOneTickStartInRowOrder) {
  sim::TapKey(37);
  sim::TapKey(40);
  sim::TapKey(71);
  RunTick();
  EXPECT_EQ(Started(), (Strings{On(kNear, "AR_ATT_COMBO_V2_PT3_LEFTSIDE"),
                                On(kNear, "AR_ATTACK_COUNTER_FROM_DODGERIGHT_V2"),
                                On(kNear, "AR_KICK_LOW_FAR_V01")}));
}

TEST_F(TriggersTest, RandomTriggerStaysShutUnlessOnAndJustPressedOnAController) {
  struct Case {
    bool on;  // iControllerRandomKick
    std::int32_t keyboardAndMouse;
    std::int32_t justPressed;
    std::size_t gatesAsked;
  };
  const NativeSequence gates = {{hash::kIsUsingKeyboardAndMouse, {0}},
                                {hash::kIsControlJustPressed, {0, 0x1ECA87D4}}};
  for (const Case c :
       {Case{true, 1, 1, 1}, Case{true, -256, 1, 1}, Case{true, 0, 0, 2}, Case{false, 0, 1, 0}}) {
    gSettings.iControllerRandomKick = c.on;
    sim::SetAnswer(hash::kIsUsingKeyboardAndMouse, c.keyboardAndMouse);
    sim::SetAnswer(hash::kIsControlJustPressed, c.justPressed);
    sim::TakeCalls();
    RunRandomTrigger();
    EXPECT_EQ(TakeNativeCalls(), NativeSequence(gates.begin(), gates.begin() + c.gatesAsked));
    EXPECT_EQ(Started(), Strings{});
  }
}

TEST_F(TriggersTest, RandomTriggerHashesAllFiveNamesThenDrawsThenStarts) {
  gTickState = {kPlayer, 0, kNear};
  PressSpecialAbilityOnController(3);
  RunRandomTrigger();
  NativeSequence expected = {{hash::kIsUsingKeyboardAndMouse, {0}},
                             {hash::kIsControlJustPressed, {0, 0x1ECA87D4}}};
  for (const MeleeAction& action : kMeleeActions) {
    expected.push_back({hash::kGetHashKey, {reinterpret_cast<std::uintptr_t>(action.name)}});
  }
  expected.push_back({hash::kGetRandomIntInRange, {0, 5}});
  expected = expected + EligibilityCalls(kNear) +
             NativeSequence{{hash::kIsPedInCombat, {kPlayer, kNear}}} + ReadinessCalls(kPlayer) +
             NativeSequence{{hash::kTaskPutPedDirectlyIntoMelee,
                             {kPlayer, kNear, sim::NameHash("AR_KICK_MID_FAR_V01"), 0, 0, 1, 0}}};
  EXPECT_EQ(TakeNativeCalls(), expected);
  EXPECT_EQ(Started(), Strings{On(kNear, "AR_KICK_MID_FAR_V01")});
}

TEST_F(TriggersTest, RandomPickOutsideTheListStartsNothingAfterTheDraw) {
  gTickState = {kPlayer, 0, kNear};
  for (std::int32_t pick : {5, -1, 1 << 30}) {
    PressSpecialAbilityOnController(pick);
    sim::TakeCalls();
    RunRandomTrigger();
    const NativeSequence calls = TakeNativeCalls();
    ASSERT_EQ(calls.size(), 8u) << pick;
    EXPECT_EQ(calls.back().hash, hash::kGetRandomIntInRange) << pick;
    EXPECT_EQ(Started(), Strings{}) << pick;
  }
}

TEST_F(TriggersTest, RandomDrawHappensEvenWithoutTarget) {
  PressSpecialAbilityOnController(0);
  RunRandomTrigger();
  const NativeSequence calls = TakeNativeCalls();
  ASSERT_EQ(calls.size(), 8u);
  EXPECT_EQ(calls.back().hash, hash::kGetRandomIntInRange);
  EXPECT_EQ(Started(), Strings{});
}

TEST_F(TriggersTest, RandomActionFollowsRowZeroAndPrecedesTheOtherRows) {
  PressSpecialAbilityOnController(4);
  sim::TapKey(38);
  sim::TapKey(71);
  RunTick();
  EXPECT_EQ(Started(), (Strings{On(kNear, "AR_ATT_COMBO_V2_PT3_LEFTSIDE"),
                                On(kNear, "AR_KICK_LOW_FAR_V01"), On(kNear, kChest)}));
  RunTick();
  EXPECT_EQ(Started(), Strings{On(kNear, "AR_KICK_LOW_FAR_V01")})
      << "fires on every tick the control is just pressed";
}

}  // namespace
}  // namespace scuffler::testing
