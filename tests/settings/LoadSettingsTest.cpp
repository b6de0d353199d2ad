// LoadSettings across ticks, and the conversions it applies to each value.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

#include "SettingsFileFixture.h"
#include "settings/ConvertSetting.h"

namespace scuffler {
namespace {

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(ConvertKeyCode, TakesTheLeadingDecimalNumberWithin32BitsElseAKeyName) {
  const struct {
    std::string text;
    std::optional<std::int32_t> expected;
  } cases[] = {
      {"38", 38},
      {" \t38", 38},
      {"+7", 7},
      {"-1", -1},
      {"300", 300},
      {"0x26", 0},
      {"38abc", 38},
      {"38 ; up", 38},
      {"007", 7},
      {"2147483647", kInt32Max},
      {"-2147483648", kInt32Min},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"-", std::nullopt},
      {"x38", std::nullopt},
      {"1.9", 1},
      // No number at all: the first word, by key name.
      {"Up", 38},
      {"vk_up", 38},
      {"F5", 116},
      {"Numpad5", 101},
      {"Up ; arrow", 38},
      {" \tD5", 53},
      {"g", 71},
      {"VK_F24", 135},
      {"VK_NUMPAD5;", 101},
      {"F25", std::nullopt},
      {"Up-arrow", 38},
      {"Uparrow", std::nullopt},
      {"-Up", std::nullopt},
      {";Up", std::nullopt},
      {"5Up", 5},
      {"F9", 120},
      {"D9", 57},
      {"VK_NUMPAD9", 105},
      {"F10", 121},
      {"D0", 48},
      {"\r38", 38},  // CR, VT and FF lead like a space
      {"\vD5", 53},
      {"\fUp", 38},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertKeyCode(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ConvertDistance, TakesTheLeadingFloatUnlessItOverflows) {
  const struct {
    std::string text;
    std::optional<float> expected;
  } cases[] = {
      {"7.5", 7.5f},      {"10.0", 10.0f},     {" -3", -3.0f},         {".5m", 0.5f},
      {"0x26", 38.0f},    {"1e3", 1000.0f},    {"3.4e38", 3.4e38f},    {"inf", kInf},
      {"-INF", -kInf},    {"1e-50", 0.0f},     {"1e39", std::nullopt}, {"-1e39", std::nullopt},
      {"", std::nullopt}, {"m", std::nullopt}, {"-", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertDistance(c.text), c.expected) << '"' << c.text << '"';
  }
  const std::optional<float> nan = ConvertDistance("nan");
  ASSERT_TRUE(nan.has_value());
  EXPECT_TRUE(std::isnan(*nan));
}

TEST(ConvertSwitch, TakesTheSignOfALeadingNumberElseAnOnOrOffWord) {
  const struct {
    std::string text;
    std::optional<bool> expected;
  } cases[] = {
      {"1", true},
      {" +7 ; on", true},
      {"99999999999999999999", true},
      {"0", false},
      {"-1", false},
      {"-99999999999999999999", false},
      {"0.9", false},
      {"0x1", false},
      // No number at all: the first word.
      {"on", true},
      {"TRUE", true},
      {" 	Yes ; a controller", true},
      {"off", false},
      {"False", false},
      {"NO", false},
      {"no-thanks", false},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"maybe", std::nullopt},
      {"onward", std::nullopt},
      {"-on", std::nullopt},
      {";on", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertSwitch(c.text), c.expected) << '"' << c.text << '"';
  }
}

using LoadSettingsTest = SettingsFileFixture;

void ExpectSettings(const Settings& expected) {
  EXPECT_EQ(gSettings.iKick1NoRagdoll, expected.iKick1NoRagdoll);
  EXPECT_EQ(gSettings.iKickToChest, expected.iKickToChest);
  EXPECT_EQ(gSettings.iKickToLeg, expected.iKickToLeg);
  EXPECT_EQ(gSettings.iKick2MidFar, expected.iKick2MidFar);
  EXPECT_EQ(gSettings.iKick4Lowfar, expected.iKick4Lowfar);
  if (std::isnan(expected.MAX_DISTANCE)) {
    EXPECT_TRUE(std::isnan(gSettings.MAX_DISTANCE));
  } else {
    EXPECT_EQ(gSettings.MAX_DISTANCE, expected.MAX_DISTANCE);
  }
  EXPECT_EQ(gSettings.iControllerRandomKick, expected.iControllerRandomKick);
}

constexpr bool kOn = true;
constexpr bool kOff = false;

const char kEveryKey[] =
    "[Scuffler]\n"
    "iControllerRandomKick = off\n"
    "MAX_DISTANCE = 7.5\n"
    "iKick4Lowfar = 5\n"
    "iKick2MidFar = 4\n"
    "iKick1NoRagdoll = 3\n"
    "iKickToLeg = 2\n"
    "iKickToChest = 1\n";
const Settings kEveryValue{3, 1, 2, 4, 5, 7.5f, kOff};

TEST_F(LoadSettingsTest, WithoutAFileKeepsTheInitialValuesAndTheDocument) {
  GetOrCreate(SettingsDocument, "earlier");
  LoadSettings();
  ExpectSettings(Settings{71, 38, 40, 39, 37, 10.0f, kOn});
  EXPECT_EQ(EntryCount(SettingsDocument), 1u);
}

TEST_F(LoadSettingsTest, AssignsEachKeyToItsOwnFieldWhateverTheLineOrder) {
  WriteSettingsFile(kEveryKey);
  LoadSettings();
  ExpectSettings(kEveryValue);
}

TEST_F(LoadSettingsTest, AnEditAppliesOnTheNextTick) {
  WriteSettingsFile("[Scuffler]\niKickToChest=50\nMAX_DISTANCE=3\n");
  LoadSettings();
  EXPECT_EQ(gSettings.iKickToChest, 50);
  WriteSettingsFile("[Scuffler]\niKickToChest=51\nMAX_DISTANCE=4\n");
  LoadSettings();
  EXPECT_EQ(gSettings.iKickToChest, 51);
  EXPECT_EQ(gSettings.MAX_DISTANCE, 4.0f);
}

TEST_F(LoadSettingsTest, DeletingTheFileKeepsTheLastLoadedValues) {
  WriteSettingsFile(kEveryKey);
  LoadSettings();
  RemoveSettingsFile();
  LoadSettings();
  ExpectSettings(kEveryValue);
  EXPECT_EQ(Lookup(Lookup(SettingsDocument, "Scuffler"), "iKickToChest"), "1");
}

TEST_F(LoadSettingsTest, AValueThatFailsKeepsItsFieldAndTheOtherKeysStillLoad) {
  const struct {
    const char* file;
    Settings expected;  // starting from kEveryValue
  } cases[] = {
      {"[Scuffler]\niKickToChest=\niKickToLeg=12\n", {3, 1, 12, 4, 5, 7.5f, kOff}},
      {"[Scuffler]\niKickToChest=arrow\niKick4Lowfar=9\n", {3, 1, 2, 4, 9, 7.5f, kOff}},
      {"[Scuffler]\niKickToLeg=2147483648\niKick1NoRagdoll=-2147483648\n",
       {kInt32Min, 1, 2, 4, 5, 7.5f, kOff}},
      {"[Scuffler]\niKick2MidFar=-2147483649\nMAX_DISTANCE=1e39\niKickToChest=0x26\n",
       {3, 0, 2, 4, 5, 7.5f, kOff}},
      {"[Scuffler]\nMAX_DISTANCE=far\niKickToChest=-1\niKickToLeg=300\n",
       {3, -1, 300, 4, 5, 7.5f, kOff}},
      {"[Scuffler]\niControllerRandomKick=maybe\n", kEveryValue},
      {"[Scuffler]\niControllerRandomKick=\n", kEveryValue},
      {"[Scuffler]\niControllerRandomKick=Yes ; a controller\n", {3, 1, 2, 4, 5, 7.5f, kOn}},
      {"[scuffler]\niKickToChest=8\niControllerRandomKick=1\n", kEveryValue},    // section case
      {"[Scuffler]\nikicktochest=8\nmax_distance=1\nicontrollerrandomkick=1\n",  // key case
       kEveryValue},
      {"", kEveryValue},  // opens, holds nothing
      {"[Scuffler]\nMAX_DISTANCE=nan\n", {3, 1, 2, 4, 5, std::nanf(""), kOff}},
  };
  for (const auto& c : cases) {
    gSettings = kEveryValue;
    WriteSettingsFile(c.file);
    LoadSettings();
    SCOPED_TRACE(c.file);
    ExpectSettings(c.expected);
  }
}

TEST_F(LoadSettingsTest, OtherSectionsAndKeysAreHeldButIgnored) {
  WriteSettingsFile("[Other]\niKickToChest=1\n[Scuffler]\niKickToLeg=2\nunused=3\n");
  LoadSettings();
  ExpectSettings(Settings{71, 38, 2, 39, 37, 10.0f, kOn});
  EXPECT_EQ(EntryCount(SettingsDocument), 2u);
  EXPECT_EQ(Lookup(Lookup(SettingsDocument, "Scuffler"), "unused"), "3");
}

TEST_F(LoadSettingsTest, ADirectoryNamedLikeTheFileChangesNoValue) {
  WriteSettingsFile(kEveryKey);
  LoadSettings();
  RemoveSettingsFile();
  std::filesystem::create_directory("Scuffler.ini");
  LoadSettings();
  ExpectSettings(kEveryValue);
}

}  // namespace
}  // namespace scuffler
