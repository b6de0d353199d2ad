// The Scuffler.ini shipped to players, as the zip holds it (CR LF line ends), must load to exactly
// the plug-in's initial values.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "SettingsFileFixture.h"

namespace scuffler {
namespace {

using DefaultIni = SettingsFileFixture;

TEST_F(DefaultIni, LoadsToExactlyTheInitialValues) {
  std::filesystem::copy_file(ShippedSettingsFile(), "Scuffler.ini");
  gSettings =
      Settings{-5, -5, -5, -5, -5, 1.0f, false, 7, -5};  // every field must be set by the file
  LoadSettings();

  const Settings initial;
  EXPECT_EQ(gSettings.iKick1NoRagdoll, initial.iKick1NoRagdoll);
  EXPECT_EQ(gSettings.iKickToChest, initial.iKickToChest);
  EXPECT_EQ(gSettings.iKickToLeg, initial.iKickToLeg);
  EXPECT_EQ(gSettings.iKick2MidFar, initial.iKick2MidFar);
  EXPECT_EQ(gSettings.iKick4Lowfar, initial.iKick4Lowfar);
  EXPECT_EQ(gSettings.MAX_DISTANCE, initial.MAX_DISTANCE);
  EXPECT_EQ(gSettings.iControllerRandomKick, initial.iControllerRandomKick);
  EXPECT_EQ(gSettings.iRecordSeconds, initial.iRecordSeconds);
  EXPECT_EQ(gSettings.iSaveRecordingKey, initial.iSaveRecordingKey);
}

TEST_F(DefaultIni, HoldsOnlyTheNineKeysWithBareValues) {
  std::filesystem::copy_file(ShippedSettingsFile(), "Scuffler.ini");
  LoadSettings();
  // Exactly the documented values, and no comment after a value (it would become part of it).
  ASSERT_EQ(EntryCount(SettingsDocument), 1u);
  const IniSection section = Lookup(SettingsDocument, "Scuffler");
  const std::pair<std::string, std::string> expected[] = {
      {"iKick1NoRagdoll", "G"},       {"iKickToChest", "Up"},   {"iKickToLeg", "Down"},
      {"iKick2MidFar", "Right"},      {"iKick4Lowfar", "Left"}, {"MAX_DISTANCE", "10.0"},
      {"iControllerRandomKick", "1"}, {"iRecordSeconds", "0"},  {"iSaveRecordingKey", "ScrollLock"},
  };
  ASSERT_EQ(EntryCount(section), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(section.entries[i], expected[i]);
  }
}

}  // namespace
}  // namespace scuffler
