#include <gtest/gtest.h>

#include "KeyNames.h"
#include "NativeNames.h"
#include "hook/NativeHashes.h"

namespace sandbox {
namespace {

TEST(KeyNamesTest, NamesGiveTheirCodesWhateverTheCase) {
  EXPECT_EQ(KeyCodeByName("G"), 71u);
  EXPECT_EQ(KeyCodeByName("g"), 71u);
  EXPECT_EQ(KeyCodeByName("0"), 48u);
  EXPECT_EQ(KeyCodeByName("Left"), 37u);
  EXPECT_EQ(KeyCodeByName("UP"), 38u);
  EXPECT_EQ(KeyCodeByName("right"), 39u);
  EXPECT_EQ(KeyCodeByName("Down"), 40u);
  EXPECT_EQ(KeyCodeByName("F1"), 112u);
  EXPECT_EQ(KeyCodeByName("f24"), 135u);
  EXPECT_EQ(KeyCodeByName("Numpad0"), 96u);
  EXPECT_EQ(KeyCodeByName("numpad9"), 105u);
  EXPECT_EQ(KeyCodeByName("Space"), 32u);
}

TEST(KeyNamesTest, UnknownNamesHaveNoCode) {
  EXPECT_EQ(KeyCodeByName(""), std::nullopt);
  EXPECT_EQ(KeyCodeByName("Gee"), std::nullopt);
  EXPECT_EQ(KeyCodeByName("F0"), std::nullopt);
  EXPECT_EQ(KeyCodeByName("F25"), std::nullopt);
  EXPECT_EQ(KeyCodeByName("F123"), std::nullopt);
  EXPECT_EQ(KeyCodeByName("Numpad10"), std::nullopt);
  EXPECT_EQ(KeyCodeByName("71"), std::nullopt);
}

TEST(KeyNamesTest, CodesPrintUnderTheNamesTheyAreGivenBy) {
  EXPECT_EQ(KeyName(71), "G");
  EXPECT_EQ(KeyName(57), "9");
  EXPECT_EQ(KeyName(38), "Up");
  EXPECT_EQ(KeyName(123), "F12");
  EXPECT_EQ(KeyName(100), "Numpad4");
  EXPECT_EQ(KeyName(187), "VK 187");
  EXPECT_EQ(KeyName(0), "VK 0");
  EXPECT_EQ(KeyName(254), "VK 254");
  // The codes the plug-in takes as binding no key.
  EXPECT_EQ(KeyName(255), "none");
  EXPECT_EQ(KeyName(-1), "none");
  for (std::int32_t code = 0; code <= 254; ++code) {
    const std::string name = KeyName(code);
    if (name.rfind("VK ", 0) == 0) continue;
    EXPECT_EQ(KeyCodeByName(name), static_cast<std::uint32_t>(code)) << name;
  }
}

TEST(NativeNamesTest, ByPublicNameWithOrWithoutNamespaceOrByHashInEitherCase) {
  EXPECT_EQ(FindNative("IS_ENTITY_DEAD")->hash, scuffler::hash::kIsEntityDead);
  EXPECT_EQ(FindNative("ENTITY::IS_ENTITY_DEAD")->hash, scuffler::hash::kIsEntityDead);
  EXPECT_EQ(FindNative("0x7d5b1f88e7504bba")->hash, scuffler::hash::kIsEntityDead);
  EXPECT_EQ(FindNative("0x96275889B8E0EE0")->hash, scuffler::hash::kPlayerPedId);
  EXPECT_EQ(FindNative("IS_CONTROL_JUST_PRESSED")->scope, NativeScope::World);
  EXPECT_EQ(FindNative("IS_PED_IN_COMBAT")->scope, NativeScope::PerPed);
  EXPECT_FALSE(FindNative("is_entity_dead").has_value());
  EXPECT_FALSE(FindNative("PED::IS_ENTITY_DEAD").has_value());  // the wrong namespace
  EXPECT_FALSE(FindNative("::IS_ENTITY_DEAD").has_value());
  EXPECT_FALSE(FindNative("0x").has_value());
  EXPECT_FALSE(FindNative("0x 7D5B1F88E7504BBA").has_value());
  EXPECT_FALSE(FindNative("0x1C6CD14A876FFE39").has_value());  // starts an action: no answer
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
