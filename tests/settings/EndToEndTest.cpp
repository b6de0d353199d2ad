// Editing Scuffler.ini while the game runs, seen through whole ticks against the simulated hook.
#include <gtest/gtest.h>

#include <vector>

#include "SettingsFileFixture.h"
#include "SimHook.h"
#include "input/KeyStateTable.h"
#include "melee/ScriptLoop.h"
#include "melee/TestWorld.h"
#include "melee/TickState.h"

namespace scuffler {
namespace {

class LiveSettings : public SettingsFileFixture {
 protected:
  void SetUp() override {
    SettingsFileFixture::SetUp();
    testing::ResetWorldAndPlugIn();
    keyboardHandlerRegister(&RecordKeyMessage);
    sim::SetTime(1000);
  }
  void TearDown() override {
    keyboardHandlerUnregister(&RecordKeyMessage);
    SettingsFileFixture::TearDown();
  }
};

TEST_F(LiveSettings, RewritingTheFileBetweenTicksRebindsAKeyAndWidensTheSearch) {
  constexpr std::int32_t kPlayer = 1;
  constexpr std::int32_t kPed = 2;
  sim::SetPlayer(kPlayer, {0, 0, 0});
  sim::AddPed(kPed, {12, 0, 0});

  WriteSettingsFile("[Scuffler]\niKickToChest = 38\nMAX_DISTANCE = 10\n");
  RunTick();
  EXPECT_EQ(gTickState.targetPed, 0);  // 12 units away, beyond 10
  sim::TapKey(38);
  RunTick();
  EXPECT_TRUE(sim::TakeActions().empty());  // no one in range and no engaged ped

  WriteSettingsFile("[Scuffler]\niKickToChest = 72\nMAX_DISTANCE = 15\n");
  sim::TapKey(38);
  RunTick();
  EXPECT_EQ(gTickState.targetPed, kPed);
  EXPECT_TRUE(sim::TakeActions().empty());  // 38 no longer starts the chest kick

  sim::TapKey(72);
  RunTick();
  const std::vector<sim::StartedAction> actions = sim::TakeActions();
  ASSERT_EQ(actions.size(), 1u);
  EXPECT_EQ(actions[0].actor, kPlayer);
  EXPECT_EQ(actions[0].target, kPed);
  EXPECT_EQ(actions[0].actionHash, sim::NameHash("AR_ATTACK_COUNTER_FROM_DODGELEFT_V1"));
}

}  // namespace
}  // namespace scuffler
