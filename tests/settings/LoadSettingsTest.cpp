// LoadSettings across ticks, and the conversions it applies to each value.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "SettingsFileFixture.h"
#include "settings/ConvertSetting.h"
#include "settings/SettingsTable.h"

namespace scuffler {
namespace {

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr float kInf = std::numeric_limits<float>::infinity();

constexpr Reading kWhole = Reading::Whole;
constexpr Reading kComment = Reading::WholeAndComment;
constexpr Reading kLeading = Reading::LeadingNumber;
constexpr Reading kEmpty = Reading::Empty;
constexpr Reading kNotWhole = Reading::NotWhole;
constexpr Reading kUnknown = Reading::UnknownWord;
constexpr Reading kNoValue = Reading::NoValue;
constexpr Reading kRange = Reading::OutOfRange;

template <typename T>
struct ConversionCase {
  std::string text;
  std::optional<T> expected;
  Reading reading;
};

template <typename T>
void ExpectConversions(Converted<T> (*convert)(const std::string&),
                       const std::vector<ConversionCase<T>>& cases) {
  for (const auto& c : cases) {
    const Converted<T> got = convert(c.text);
    EXPECT_EQ(got.value, c.expected) << '"' << c.text << '"';
    EXPECT_EQ(got.reading, c.reading) << '"' << c.text << '"';
  }
}

TEST(ConvertKeyCode, TakesTheLeadingDecimalNumberWithin32BitsElseAWholeKeyName) {
  ExpectConversions<std::int32_t>(
      ConvertKeyCode, {
                          {"38", 38, kWhole},
                          {" \t38", 38, kWhole},
                          {"+7", 7, kWhole},
                          {"-1", -1, kWhole},
                          {"300", 300, kWhole},
                          {"0x26", 0, kLeading},
                          {"0x74", 0, kLeading},
                          {"38abc", 38, kLeading},
                          {"38 ; up", 38, kComment},
                          {"38;up", 38, kComment},
                          {"007", 7, kWhole},
                          {"2147483647", kInt32Max, kWhole},
                          {"-2147483648", kInt32Min, kWhole},
                          {"2147483648", std::nullopt, kRange},
                          {"-2147483649", std::nullopt, kRange},
                          {"99999999999999999999", std::nullopt, kRange},
                          {"", std::nullopt, kEmpty},
                          {" \t", std::nullopt, kEmpty},
                          {"abc", std::nullopt, kUnknown},
                          {"-", std::nullopt, kNoValue},
                          {"x38", std::nullopt, kUnknown},
                          {"1.9", 1, kLeading},
                          // No number at all: a key name, and only when it is the whole value.
                          {"Up", 38, kWhole},
                          {"vk_up", 38, kWhole},
                          {"F5", 116, kWhole},
                          {"Numpad5", 101, kWhole},
                          {"Up ; arrow", 38, kComment},
                          {" \tD5 \t", 53, kWhole},
                          {"g", 71, kWhole},
                          {"VK_F24", 135, kWhole},
                          {"VK_NUMPAD5;", 101, kComment},
                          {"ScrollLock", 145, kWhole},
                          {"F25", std::nullopt, kUnknown},
                          {"Shift+F5", std::nullopt, kNotWhole},
                          {"Right Ctrl", std::nullopt, kNotWhole},
                          {"F 5", std::nullopt, kNotWhole},
                          {"Up-arrow", std::nullopt, kNotWhole},
                          {"Uparrow", std::nullopt, kUnknown},
                          {"-Up", std::nullopt, kNoValue},
                          {";Up", std::nullopt, kNoValue},
                          {"5Up", 5, kLeading},
                          {"F9", 120, kWhole},
                          {"D9", 57, kWhole},
                          {"VK_NUMPAD9", 105, kWhole},
                          {"F10", 121, kWhole},
                          {"D0", 48, kWhole},
                          {"\r38", 38, kWhole},  // CR, VT and FF lead like a space
                          {"\vD5", 53, kWhole},
                          {"\fUp", 38, kWhole},
                      });
}

TEST(ConvertDistance, TakesTheLeadingFloatUnlessItOverflows) {
  ExpectConversions<float>(ConvertDistance, {
                                                {"7.5", 7.5f, kWhole},
                                                {"10.0", 10.0f, kWhole},
                                                {" -3", -3.0f, kWhole},
                                                {".5m", 0.5f, kLeading},
                                                {"7,5", 7.0f, kLeading},
                                                {"10m", 10.0f, kLeading},
                                                {"0x26", 38.0f, kWhole},
                                                {"1e3", 1000.0f, kWhole},
                                                {"3.4e38", 3.4e38f, kWhole},
                                                {"inf", kInf, kWhole},
                                                {"-INF", -kInf, kWhole},
                                                {"1e-50", 0.0f, kWhole},
                                                {"7.5 ; m", 7.5f, kComment},
                                                {"1e39", std::nullopt, kRange},
                                                {"-1e39", std::nullopt, kRange},
                                                {"", std::nullopt, kEmpty},
                                                {"m", std::nullopt, kNoValue},
                                                {"-", std::nullopt, kNoValue},
                                            });
  const std::optional<float> nan = ConvertDistance("nan").value;
  ASSERT_TRUE(nan.has_value());
  EXPECT_TRUE(std::isnan(*nan));
}

TEST(ConvertSeconds, TakesALeadingWholeNumberFrom0To60) {
  ExpectConversions<std::int32_t>(ConvertSeconds, {
                                                      {"0", 0, kWhole},
                                                      {"30", 30, kWhole},
                                                      {" 60 ; s", 60, kComment},
                                                      {"1.9", 1, kLeading},
                                                      {"10s", 10, kLeading},
                                                      {"61", std::nullopt, kRange},
                                                      {"-1", std::nullopt, kRange},
                                                      {"2147483648", std::nullopt, kRange},
                                                      {"", std::nullopt, kEmpty},
                                                      {"thirty", std::nullopt, kUnknown},
                                                      {"-", std::nullopt, kNoValue},
                                                  });
}

TEST(ConvertSwitch, TakesTheSignOfALeadingNumberElseAWholeOnOrOffWord) {
  ExpectConversions<bool>(ConvertSwitch, {
                                             {"1", true, kWhole},
                                             {" +7 ; on", true, kComment},
                                             {"99999999999999999999", true, kWhole},
                                             {"0", false, kWhole},
                                             {"-1", false, kWhole},
                                             {"-99999999999999999999", false, kWhole},
                                             {"0.9", false, kLeading},
                                             {"0x1", false, kLeading},
                                             // No number at all: the whole word.
                                             {"on", true, kWhole},
                                             {"TRUE", true, kWhole},
                                             {" \tYes ; a controller", true, kComment},
                                             {"off", false, kWhole},
                                             {"False", false, kWhole},
                                             {"NO", false, kWhole},
                                             {"no-thanks", std::nullopt, kNotWhole},
                                             {"on please", std::nullopt, kNotWhole},
                                             {"", std::nullopt, kEmpty},
                                             {"-", std::nullopt, kNoValue},
                                             {"maybe", std::nullopt, kUnknown},
                                             {"onward", std::nullopt, kUnknown},
                                             {"-on", std::nullopt, kNoValue},
                                             {";on", std::nullopt, kNoValue},
                                         });
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
  EXPECT_EQ(gSettings.iRecordSeconds, expected.iRecordSeconds);
  EXPECT_EQ(gSettings.iSaveRecordingKey, expected.iSaveRecordingKey);
}

constexpr bool kOn = true;
constexpr bool kOff = false;

const char kEveryKey[] =
    "[Scuffler]\n"
    "iSaveRecordingKey = F9\n"
    "iRecordSeconds = 20\n"
    "iControllerRandomKick = off\n"
    "MAX_DISTANCE = 7.5\n"
    "iKick4Lowfar = 5\n"
    "iKick2MidFar = 4\n"
    "iKick1NoRagdoll = 3\n"
    "iKickToLeg = 2\n"
    "iKickToChest = 1\n";
const Settings kEveryValue{3, 1, 2, 4, 5, 7.5f, kOff, 20, 120};

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
      {"[Scuffler]\niKickToChest=\niKickToLeg=12\n", {3, 1, 12, 4, 5, 7.5f, kOff, 20, 120}},
      {"[Scuffler]\niKickToChest=arrow\niKick4Lowfar=9\n", {3, 1, 2, 4, 9, 7.5f, kOff, 20, 120}},
      {"[Scuffler]\niKickToLeg=2147483648\niKick1NoRagdoll=-2147483648\n",
       {kInt32Min, 1, 2, 4, 5, 7.5f, kOff, 20, 120}},
      {"[Scuffler]\niKick2MidFar=-2147483649\nMAX_DISTANCE=1e39\niKickToChest=0x26\n",
       {3, 0, 2, 4, 5, 7.5f, kOff, 20, 120}},
      {"[Scuffler]\nMAX_DISTANCE=far\niKickToChest=-1\niKickToLeg=300\n",
       {3, -1, 300, 4, 5, 7.5f, kOff, 20, 120}},
      {"[Scuffler]\niControllerRandomKick=maybe\n", kEveryValue},
      {"[Scuffler]\niRecordSeconds=61\n", kEveryValue},
      {"[Scuffler]\niRecordSeconds=0\niSaveRecordingKey=Pause\n",
       {3, 1, 2, 4, 5, 7.5f, kOff, 0, 19}},
      {"[Scuffler]\niKickToChest=Shift+F5\niKickToLeg=Right Ctrl\niKick2MidFar=F 5\n", kEveryValue},
      {"[Scuffler]\niControllerRandomKick=\n", kEveryValue},
      {"[Scuffler]\niControllerRandomKick=Yes ; a controller\n",
       {3, 1, 2, 4, 5, 7.5f, kOn, 20, 120}},
      {"[scuffler]\niKickToChest=8\niControllerRandomKick=1\n", kEveryValue},    // section case
      {"[Scuffler]\nikicktochest=8\nmax_distance=1\nicontrollerrandomkick=1\n",  // key case
       kEveryValue},
      {"", kEveryValue},  // opens, holds nothing
      {"[Scuffler]\nMAX_DISTANCE=nan\n", {3, 1, 2, 4, 5, std::nanf(""), kOff, 20, 120}},
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

namespace scuffler {
namespace {

// The document's sections and every setting's text in it: what a load leaves there.
std::string DocumentState(const IniDocument& document) {
  std::string state = std::to_string(EntryCount(document)) + " sections;";
  const IniSection section = Lookup(document, kSettingsSection);
  for (const SettingField& field : kSettingFields) {
    state += " " + std::string(field.name) + "=" + Lookup(section, field.name);
  }
  return state;
}

// Random edits, deletions, unreadable files and Settings changed from outside: a load that skips
// the parse of bytes it parsed last leaves exactly what a load that always parses leaves.
TEST_F(LoadSettingsTest, SkippingAnUnchangedFileGivesWhatAParseGives) {
  const std::string big = std::string(70 * 1024, ';') + "\n[Scuffler]\niKickToChest = 9\n";
  const std::vector<std::string> files = {
      kEveryKey,
      std::string(kEveryKey).substr(0, 40),  // a prefix: the same start, fewer keys
      "[Scuffler]\niKickToChest = x\nMAX_DISTANCE = 3\n",
      "[Scuffler]\niKickToChest = 7\n",
      "",
      big,
  };
  std::uint32_t seed = 12345;
  const auto next = [&seed](std::uint32_t below) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % below;
  };
  IniDocument reference;
  Settings referenceSettings;
  for (int step = 0; step < 400; ++step) {
    const std::uint32_t what = next(10);
    if (what < 6) {
      RemoveSettingsFile();
      WriteSettingsFile(files[next(static_cast<std::uint32_t>(files.size()))]);
    } else if (what == 6) {
      RemoveSettingsFile();
    } else if (what == 7) {
      RemoveSettingsFile();
      std::filesystem::create_directory("Scuffler.ini");
    } else if (what == 8) {
      gSettings.iKickToChest = static_cast<std::int32_t>(next(300));
      referenceSettings.iKickToChest = gSettings.iKickToChest;
    }  // else the file stays as it is
    LoadSettings();
    if (Found(Read(IniSource{"Scuffler.ini"}, reference))) {
      AssignSettings(reference, referenceSettings);
    }
    ASSERT_EQ(DocumentState(SettingsDocument), DocumentState(reference)) << "step " << step;
    ASSERT_TRUE(SameSettings(gSettings, referenceSettings))
        << "step " << step << ", change " << what;
  }
}

TEST_F(LoadSettingsTest, TheBytesOfTheLastLoadAreNotParsedAgainTillTheyChange) {
  WriteSettingsFile(kEveryKey);
  LoadSettings();
  // Written behind the load's back: only a parse would undo it.
  GetOrCreate(GetOrCreate(SettingsDocument, "Scuffler"), "iKickToChest") = "99";
  LoadSettings();
  EXPECT_EQ(Lookup(Lookup(SettingsDocument, "Scuffler"), "iKickToChest"), "99");
  ExpectSettings(kEveryValue);
  // Settings changed from outside are loaded again from the document, as they stand.
  gSettings.iKickToLeg = 77;
  LoadSettings();
  EXPECT_EQ(gSettings.iKickToLeg, 2);
  EXPECT_EQ(gSettings.iKickToChest, 99);
  // Other bytes are parsed.
  WriteSettingsFile(std::string(kEveryKey) + "\n");
  LoadSettings();
  EXPECT_EQ(gSettings.iKickToChest, 1);
}

}  // namespace
}  // namespace scuffler
