#include <gtest/gtest.h>

#include <cmath>

#include "Trace.h"
#include "hook/NativeHashes.h"

namespace sandbox {
namespace {

TEST(TraceTest, TickPrefixKeepsColumnsAligned) {
  EXPECT_EQ(TickPrefix(7), "tick    7  ");
  EXPECT_EQ(TickPrefix(12345), "tick 12345  ");
}

TEST(TraceTest, HeaderSaysWhatIsSetUp) {
  Scenario scenario;
  scenario.description = "Two peds.";
  scenario.player.handle = 1;
  scenario.player.position = {0.5f, -2, 0};
  scenario.peds.resize(1);
  scenario.ticks = 1;
  EXPECT_EQ(Header(scenario), "Two peds.\nplayer 1 at (0.5, -2, 0), 1 ped, 1 tick of 16 ms\n");
}

TEST(TraceTest, ScenarioChanges) {
  EXPECT_EQ(DescribeKey({KeyMotion::Tap, 71}, 0), "key G tapped");
  EXPECT_EQ(DescribeKey({KeyMotion::Release, 38}, 8), "key Up released 8 ms after the last tick");
  EXPECT_EQ(DescribeKey({KeyMotion::Press, 187}, 0), "key VK 187 pressed");

  PedChange change;
  change.handle = 12;
  EXPECT_EQ(DescribePedChange(change), "ped 12 unchanged");
  change.position = sim::Vec3{8, 0.25f, -1};
  change.listed = false;
  change.answers = {{"IS_PED_IN_COMBAT", scuffler::hash::kIsPedInCombat, 1, {}}};
  EXPECT_EQ(DescribePedChange(change),
            "ped 12 moves to (8, 0.25, -1), no longer listed, answers IS_PED_IN_COMBAT 1");

  WorldAnswers answers;
  answers.answers = {
      {"IS_USING_KEYBOARD_AND_MOUSE", scuffler::hash::kIsUsingKeyboardAndMouse, 0, {}},
      {"IS_PAUSE_MENU_ACTIVE", scuffler::hash::kIsPauseMenuActive, std::nullopt, {}},
      {"GET_RANDOM_INT_IN_RANGE", scuffler::hash::kGetRandomIntInRange, 4, {1, 2}}};
  EXPECT_EQ(DescribeWorldAnswers(answers),
            "natives answer IS_USING_KEYBOARD_AND_MOUSE 0, IS_PAUSE_MENU_ACTIVE as the game would, "
            "GET_RANDOM_INT_IN_RANGE 1 then 2 then 4");

  EXPECT_EQ(DescribeIniChange({std::nullopt}), "Scuffler.ini deleted");
  EXPECT_EQ(DescribeIniChange({std::string("[Scuffler]\n")}), "Scuffler.ini written, 1 line");
  EXPECT_EQ(DescribeIniChange({std::string("a\nb")}), "Scuffler.ini written, 2 lines");
  EXPECT_EQ(DescribeIniChange({std::string()}), "Scuffler.ini written, 0 lines");
  EXPECT_EQ(DescribeIniChange({std::nullopt, true, 0}),
            "Scuffler.ini made a file that opens but cannot be read");
  EXPECT_EQ(DescribeIniChange({std::string("a\n"), false, 2}), "Scuffler.ini written, 1 line");
  EXPECT_EQ(DescribeIniChange({std::string("a\n"), false, 3}),
            "Scuffler.ini written, 1 line, padded with comments to 3 bytes");
}

TEST(TraceTest, SettingsShowOnlyWhatChanged) {
  scuffler::Settings before;
  scuffler::Settings after;
  EXPECT_EQ(DescribeSettings(before, after), std::nullopt);
  after.iKickToChest = 72;
  after.iKick4Lowfar = -1;
  after.MAX_DISTANCE = 4.5f;
  after.iControllerRandomKick = false;
  EXPECT_EQ(DescribeSettings(before, after),
            "settings: iKickToChest 38 (Up) -> 72 (H), iKick4Lowfar 37 (Left) -> -1 (none), "
            "MAX_DISTANCE 10 -> 4.5, iControllerRandomKick on -> off");
  // A distance that is not a number never equals itself, yet is no change when it stays.
  before.MAX_DISTANCE = after.MAX_DISTANCE = std::nanf("");
  before.iKickToChest = 72;
  before.iKick4Lowfar = -1;
  before.iControllerRandomKick = false;
  EXPECT_EQ(DescribeSettings(before, after), std::nullopt);
  after.iControllerRandomKick = true;
  EXPECT_EQ(DescribeSettings(before, after), "settings: iControllerRandomKick off -> on");
}

TEST(TraceTest, NoTargetNamesEachListedPedsCheckOrDistanceTheFirstFive) {
  const struct {
    std::vector<ListedPed> peds;
    const char* text;
  } cases[] = {
      {{}, "no target [nobody listed]"},
      {{{10, "IS_PED_RAGDOLL", {}}}, "no target [ped 10: IS_PED_RAGDOLL]"},
      {{{10, "IS_PED_RAGDOLL", {}}, {11, kEligible, 30.0f}, {12, kNotAsked, {}}},
       "no target [ped 10: IS_PED_RAGDOLL, ped 11: 30.00 away, ped 12: not asked]"},
      {{{1, "a", {}}, {2, "b", {}}, {3, "c", {}}, {4, "d", {}}, {5, "e", {}}},
       "no target [ped 1: a, ped 2: b, ped 3: c, ped 4: d, ped 5: e]"},
      {{{1, "a", {}},
        {2, "b", {}},
        {3, "c", {}},
        {4, "d", {}},
        {5, "e", {}},
        {6, "f", {}},
        {7, "g", {}}},
       "no target [ped 1: a, ped 2: b, ped 3: c, ped 4: d, ped 5: e and 2 more]"},
  };
  for (const auto& c : cases) EXPECT_EQ(DescribeNoTarget(c.peds), c.text);
  EXPECT_EQ(DescribeAway(4.999f), "5.00 away");
  EXPECT_EQ(DescribeListedPed({10, "IS_PED_RAGDOLL", {}}), "ped 10: IS_PED_RAGDOLL");
  EXPECT_EQ(DescribeListedPed({11, kEligible, 30.0f}), "ped 11: eligible, 30.00 away");
  EXPECT_EQ(DescribeListedPed({12, kNotAsked, {}}), "ped 12: not asked");
}

TEST(TraceTest, EngagedAndTarget) {
  EXPECT_EQ(DescribeEngaged(13, 13), std::nullopt);
  EXPECT_EQ(DescribeEngaged(0, 13), "engaged ped 13");
  EXPECT_EQ(DescribeEngaged(13, 14), "engaged ped 14 (was ped 13)");
  EXPECT_EQ(DescribeEngaged(13, 0), "no engaged ped (was ped 13)");
  EXPECT_EQ(DescribeTarget(10, 10, 5), std::nullopt);
  EXPECT_EQ(DescribeTarget(0, 10, 5), "target ped 10, 5.00 away");
  EXPECT_EQ(DescribeTarget(10, 12, 9.999f), "target ped 12, 10.00 away (was ped 10)");
  EXPECT_EQ(DescribeTarget(10, 0, 0), "no target (was ped 10)");
}

TEST(TraceTest, Triggers) {
  EXPECT_EQ(DescribeTrigger({1, 72, 0, 60, "the target", ""}),
            "iKickToChest (H): AR_ATTACK_COUNTER_FROM_DODGELEFT_V1 on ped 60, the target");
  EXPECT_EQ(DescribeTrigger({4, 37, 0, 0, "", "the player is not ready: IS_PED_ON_MOUNT"}),
            "iKick4Lowfar (Left): no one to act on (the player is not ready: IS_PED_ON_MOUNT), "
            "the release is used up");
  const std::string pressed = "special-ability action pressed on a controller, the game picked ";
  EXPECT_EQ(DescribeTrigger({scuffler::kRandomTrigger, 0, 3, 13, "the engaged ped", ""}),
            pressed + "3: AR_KICK_MID_FAR_V01 on ped 13, the engaged ped");
  EXPECT_EQ(DescribeTrigger({scuffler::kRandomTrigger, 0, 0, 0, "", "no target, no engaged ped"}),
            pressed + "0: no one to act on (no target, no engaged ped)");
  EXPECT_EQ(DescribeTrigger({scuffler::kRandomTrigger, 0, 5, 0, "", ""}),
            pressed + "5: outside 0 to 4, nothing started");
  EXPECT_EQ(DescribeTrigger({scuffler::kRandomTrigger, 0, -1, 0, "", ""}),
            pressed + "-1: outside 0 to 4, nothing started");
  EXPECT_EQ(DescribeUnusedRelease(71, false, 16),
            "release of G not taken: no action is bound to it");
  EXPECT_EQ(DescribeUnusedRelease(71, true, 130),
            "release of G not taken: 130 ms old at the tick, past the 100 ms window");
  EXPECT_EQ(DescribeSaveKey(145),
            "iSaveRecordingKey (ScrollLock): the game saves a recording here (the sandbox writes "
            "none)");
}

TEST(TraceTest, SummaryCountsEveryActionByName) {
  RunTotals totals;
  totals.ticks = 40;
  totals.tickMs = 16;
  totals.started = {2, 0, 1, 0, 12};
  totals.releasesWithoutTarget = 1;
  EXPECT_EQ(Summary(totals),
            "summary: 40 ticks of 16 ms, 15 actions started\n"
            "     2  AR_ATT_COMBO_V2_PT3_LEFTSIDE\n"
            "     0  AR_ATTACK_COUNTER_FROM_DODGELEFT_V1\n"
            "     1  AR_ATTACK_COUNTER_FROM_DODGERIGHT_V2\n"
            "     0  AR_KICK_MID_FAR_V01\n"
            "    12  AR_KICK_LOW_FAR_V01\n"
            "  1 key release used up with no one to act on\n");
  // A replay's ticks took what the recording says, not a fixed length each.
  totals.spanMs = 5;
  EXPECT_EQ(Summary(totals).substr(0, Summary(totals).find('\n')),
            "summary: 40 ticks over 5 ms, 15 actions started");
}

}  // namespace
}  // namespace sandbox
