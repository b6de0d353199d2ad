#include <gtest/gtest.h>

#include "NativeNames.h"
#include "hook/NativeHashes.h"

namespace sandbox {
namespace {

TEST(NativeNamesTest, ByPublicNameWithOrWithoutNamespaceOrByHashInEitherCase) {
  EXPECT_EQ(FindAnswerableNative("IS_ENTITY_DEAD")->hash, scuffler::hash::kIsEntityDead);
  EXPECT_EQ(FindAnswerableNative("ENTITY::IS_ENTITY_DEAD")->hash, scuffler::hash::kIsEntityDead);
  EXPECT_EQ(FindAnswerableNative("0x7d5b1f88e7504bba")->hash, scuffler::hash::kIsEntityDead);
  EXPECT_EQ(FindAnswerableNative("0x96275889B8E0EE0")->hash, scuffler::hash::kPlayerPedId);
  EXPECT_EQ(FindAnswerableNative("IS_CONTROL_JUST_PRESSED")->scope, NativeScope::World);
  EXPECT_EQ(FindAnswerableNative("IS_PED_IN_COMBAT")->scope, NativeScope::PerPed);
  EXPECT_FALSE(FindAnswerableNative("is_entity_dead").has_value());
  EXPECT_FALSE(FindAnswerableNative("PED::IS_ENTITY_DEAD").has_value());  // the wrong namespace
  EXPECT_FALSE(FindAnswerableNative("::IS_ENTITY_DEAD").has_value());
  EXPECT_FALSE(FindAnswerableNative("0x").has_value());
  EXPECT_FALSE(FindAnswerableNative("0x 7D5B1F88E7504BBA").has_value());
  EXPECT_FALSE(
      FindAnswerableNative("0x1C6CD14A876FFE39").has_value());  // starts an action: no answer
}

TEST(NativeNamesTest, FailingAnswers) {
  EXPECT_EQ(FailingAnswer(scuffler::hash::kDoesEntityExist), 0);
  EXPECT_EQ(FailingAnswer(scuffler::hash::kIsPedHuman), 0);
  EXPECT_EQ(FailingAnswer(scuffler::hash::kIsEntityDead), 1);
  EXPECT_EQ(FailingAnswer(scuffler::hash::kGetPedConfigFlag), 1);
  EXPECT_EQ(FailingAnswer(scuffler::hash::kGetPedIsGrappling), 1);
  EXPECT_EQ(FailingAnswer(scuffler::hash::kIsPedInCombat), 1);
}

}  // namespace
}  // namespace sandbox
