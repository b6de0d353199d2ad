// The settings checker's findings: a file's text in, what it tells the player out, one row per
// way a player mistypes Scuffler.ini.
#include "SettingsCheck.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/SettingsFileFixture.h"

namespace scuffler {
namespace {

using namespace std::string_literals;

// What Notepad's "Unicode" writes: UTF-16 little-endian behind its mark.
std::string Utf16(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (const char c : ascii) bytes += {c, '\0'};
  return bytes;
}

struct CheckCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> findings;  // "<line>: <problem>" or "<line> note: <note>"
};

void PrintTo(const CheckCase& row, std::ostream* out) { *out << row.name; }

std::vector<std::string> Findings(const SettingsCheck& check) {
  std::vector<std::string> out;
  for (const Finding& finding : check.findings) {
    out.push_back(std::to_string(finding.line) + (finding.problem ? ": " : " note: ") +
                  finding.text);
  }
  return out;
}

const CheckCase kCases[] = {
    {"section_case",
     "[scuffler]\niKickToChest = F5\n"s,
     {"1: the plug-in reads only the section [Scuffler], spelled exactly, capitals included: write "
      "[Scuffler].",
      "2: this line is under [scuffler] (line 1), and the plug-in reads only the lines under "
      "[Scuffler]."}},
    {"name_case",
     "[Scuffler]\nikicktochest = F5\n"s,
     {"2: Scuffler has no setting named \"ikicktochest\"; setting names are spelled exactly, "
      "capitals included. Did you mean iKickToChest?"}},
    {"no_section",
     "iKickToChest = F5\n"s,
     {"1: this line stands before any section header, and the plug-in reads only the lines under "
      "[Scuffler]: put a [Scuffler] line above it."}},
    {"bom_header",
     "\xEF\xBB\xBF[Scuffler]\niKickToChest = F5\n"s,
     {"1: an invisible byte-order mark stands at the start of the file, so the plug-in does not "
      "read this line as it looks. Save the file as UTF-8 without BOM or as ANSI (Notepad: File, "
      "Save as, Encoding), or put a comment line (starting with ;) first.",
      "2: this line stands before any section header, and the plug-in reads only the lines under "
      "[Scuffler] (the one on line 1 is not read: see there)."}},
    {"bom_comment",
     "\xEF\xBB\xBF; settings\n[Scuffler]\n"s,
     {"1 note: the file starts with an invisible byte-order mark; here it is harmless, as the "
      "first line is no section or setting."}},
    {"utf16",
     Utf16("[Scuffler]\r\niKickToChest = F5\r\n"),
     {"1: the file is saved as UTF-16 (Notepad calls it \"Unicode\"): the plug-in reads bytes and "
      "does not see its first line as it looks. Save it as UTF-8 or ANSI (Notepad: File, Save as, "
      "Encoding).",
      "2: this line stands before any section header, and the plug-in reads only the lines under "
      "[Scuffler] (the one on line 1 is not read: see there)."}},
    {"cr_only",
     "[Scuffler]\riKickToChest = F5\r"s,
     {"1: this line holds line ends without a line feed (a carriage return alone, as some editors "
      "save): the plug-in reads all of it as one line, \"[Scuffler]iKickToChest = F5\". Save the "
      "file with Windows line ends (CR LF)."}},
    {"nul",
     "[Scuffler]\niKickTo\0Chest = F5\n"s,
     {"2 note: the plug-in drops the NUL bytes in this line and reads \"iKickToChest = F5\"."}},
    {"plus",
     "[Scuffler]\niKickToChest = Shift+F5\n"s,
     {"2: \"Shift+F5\" is not one key name, so it binds nothing. The plug-in keeps iKickToChest as "
      "it was: when the game starts, the default, Up (38); while it runs, the value read before. A "
      "setting takes one key: write F5."}},
    {"two_words",
     "[Scuffler]\niKick2MidFar = Right Ctrl\n"s,
     {"2: \"Right Ctrl\" is not one key name, so it binds nothing. The plug-in keeps iKick2MidFar "
      "as it was: when the game starts, the default, Right (39); while it runs, the value read "
      "before. The keyboard messages carry Ctrl for either side: write Ctrl."}},
    {"spaced",
     "[Scuffler]\niKickToChest = F 5\n"s,
     {"2: \"F 5\" is not one key name, so it binds nothing. The plug-in keeps iKickToChest as it "
      "was: when the game starts, the default, Up (38); while it runs, the value read before. "
      "Write F5, without spaces."}},
    {"hex",
     "[Scuffler]\niKickToChest = 0x74\n"s,
     {"2: \"0x74\" is read as 0 (no key): the plug-in takes the number it starts with and ignores "
      "the rest. "
      "Key codes are decimal numbers: write 116 or F5 for 0x74."}},
    {"unknown_word",
     "[Scuffler]\niKickToChest = Uo\n"s,
     {"2: \"Uo\" is no key name. The plug-in keeps iKickToChest as it was: when the game starts, "
      "the default, Up (38); while it runs, the value read before. Did you mean Up?"}},
    {"codes",
     "[Scuffler]\niKick1NoRagdoll = 300\niKickToChest = -5\niKickToLeg = 0\niKick2MidFar = 1\niKick4Lowfar = -1\n"s,
     {"2: no key has the code 300 (codes go up to 254), so the move has no key. Write -1 to unbind "
      "it, or a key name.",
      "3: -5 binds no key. Write -1 to unbind a move.",
      "4: 0 is no key's code, so the move has no key. Write -1 to unbind it, or a key name.",
      "5: MouseLeft (1) is a mouse button: the script hook passes on keyboard messages only, so it "
      "never starts the move. Choose a key."}},
    {"sided",
     "[Scuffler]\niKickToChest = RCtrl\niKickToLeg = LShift\n"s,
     {"2: RCtrl (163) never fires: the keyboard messages carry Ctrl (17) for either side. Write "
      "Ctrl.",
      "3: LShift (160) never fires: the keyboard messages carry Shift (16) for either side. Shift "
      "is a key the game itself uses: choose another key."}},
    {"game_key",
     "[Scuffler]\niKickToChest = W\n"s,
     {"2: W is a key the game itself uses (Tab, Shift, Alt, Escape, Space, A, D, S, W): every press "
      "would do both. Choose another key."}},
    {"collision",
     "[Scuffler]\niKickToChest = G\n"s,
     {"2: iKickToChest and iKick1NoRagdoll are both on G (71): a release starts iKick1NoRagdoll's "
      "move, which comes first in the tick, so iKickToChest's never starts. Give each its own "
      "key."}},
    {"save_key_collision",
     "[Scuffler]\niSaveRecordingKey = Up\n"s,
     {"2: iSaveRecordingKey and iKickToChest are both on Up (38): a release starts iKickToChest's "
      "move, which comes first in the tick, so a recording is never saved. Give each its own "
      "key."}},
    {"save_key_code",
     "[Scuffler]\niSaveRecordingKey = 300\n"s,
     {"2: no key has the code 300 (codes go up to 254), so no key saves a recording. Write -1 to "
      "unbind it, or a key name."}},
    {"seconds_out_of_range",
     "[Scuffler]\niRecordSeconds = 90\n"s,
     {"2: \"90\" is outside 0 to 60. The plug-in keeps iRecordSeconds as it was: when the game "
      "starts, the default, 0 (no recording); while it runs, the value read before. Write a whole "
      "number of seconds from 1 to 60, or 0 for no recording."}},
    {"seconds_word",
     "[Scuffler]\niRecordSeconds = thirty\n"s,
     {"2: \"thirty\" is no number of seconds. The plug-in keeps iRecordSeconds as it was: when the "
      "game starts, the default, 0 (no recording); while it runs, the value read before. Write a "
      "whole number of seconds from 1 to 60, or 0 for no recording."}},
    {"twice",
     "[Scuffler]\niKickToLeg = Up\niKickToLeg = Down\n"s,
     {"2: iKickToLeg is set again on line 3, and the last line wins: the plug-in does not use this "
      "one."}},
    {"distances",
     "[Scuffler]\nMAX_DISTANCE = 7,5\n"s,
     {"2: \"7,5\" is read as 7: the plug-in takes the number it starts with and ignores the rest. "
      "Write 7.5: a decimal point, not a comma."}},
    {"negative",
     "[Scuffler]\nMAX_DISTANCE = -5\n"s,
     {"2: a negative distance works as its positive value (5). Write 5."}},
    {"zero",
     "[Scuffler]\nMAX_DISTANCE = 0\n"s,
     {"2: 0: no ped is ever in reach. Write a number above 0, such as 10.0."}},
    {"infinite",
     "[Scuffler]\nMAX_DISTANCE = inf\n"s,
     {"2: infinite: every ped in the world is in reach. Write a number such as 10.0."}},
    {"units",
     "[Scuffler]\nMAX_DISTANCE = 10m\n"s,
     {"2: \"10m\" is read as 10: the plug-in takes the number it starts with and ignores the rest. "
      "Write the number alone: 10."}},
    {"comment_after",
     "[Scuffler]\niKickToChest = 38 ; up\n"s,
     {"2 note: read as Up (38): the text from ; on is a comment."}},
    {"empty",
     "[Scuffler]\niKickToChest =\n"s,
     {"2: no value. The plug-in keeps iKickToChest as it was: when the game starts, the default, "
      "Up (38); while it runs, the value read before."}},
    {"switch",
     "[Scuffler]\niControllerRandomKick = maybe\n"s,
     {"2: \"maybe\" is no on or off word. The plug-in keeps iControllerRandomKick as it was: when "
      "the game starts, the default, on; while it runs, the value read before. Write on or off."}},
    {"hash",
     "[Scuffler]\n# x\niKickToChest: F5\n[Scuffler\n"s,
     {"2: the plug-in ignores this line: only ; starts a comment. Write ; instead of #.",
      "3: the plug-in ignores this line: a setting is name = value, with =, not :.",
      "4: the plug-in ignores this line: a section header is [Name], its closing ] before any ;."}},
    {"other_section",
     "[Other]\niKickToChest = F5\n"s,
     {"1 note: the plug-in reads only the section [Scuffler]: it ignores this one and every line "
      "under it.",
      "2: this line is under [Other] (line 1), and the plug-in reads only the lines under "
      "[Scuffler]."}},
    {"no_setting",
     "[Scuffler]\niKickToHead = F5\niKickToLag = F5\n"s,
     {"2: Scuffler has no setting named \"iKickToHead\": the plug-in ignores this line.",
      "3: Scuffler has no setting named \"iKickToLag\"; setting names are spelled exactly, "
      "capitals included. Did you mean iKickToLeg?"}},
    {"control",
     "[Scuffler]\niKickToChest = F5\x1b[2J\n"s,
     {"2: \"F5\\x1B[2J\" is not one key name, so it binds nothing. The plug-in keeps iKickToChest "
      "as it was: when the game starts, the default, Up (38); while it runs, the value read "
      "before. A setting takes one key: write F5."}},
};

class CheckFindings : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckFindings, NameEachLineAndWhy) {
  const SettingsCheck check = CheckSettingsText(GetParam().bytes);
  EXPECT_THAT(Findings(check), testing::ElementsAreArray(GetParam().findings));
  std::size_t problems = 0;
  for (const std::string& finding : GetParam().findings) {
    problems += finding.find(" note: ") == std::string::npos ? 1 : 0;
  }
  EXPECT_EQ(check.problems, problems);
}

INSTANTIATE_TEST_SUITE_P(Mistyped, CheckFindings, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CheckCase>& row) {
                           return row.param.name;
                         });

TEST(SettingsCheck, ListsWhatThePluginUsesAndWhere) {
  const SettingsCheck check = CheckSettingsText(
      "[Scuffler]\niKickToChest = F5\nMAX_DISTANCE = 7.5\niKickToLeg = Shift+F5\n"
      "iRecordSeconds = 30\n");
  std::vector<std::string> listed;
  for (const CheckedSetting& setting : check.settings) {
    listed.push_back(setting.name + " = " + setting.value + " @" + std::to_string(setting.line) +
                     (setting.kept ? " kept" : ""));
  }
  EXPECT_THAT(listed, testing::ElementsAre(
                          "iKick1NoRagdoll = G (71) @0", "iKickToChest = F5 (116) @2",
                          "iKickToLeg = Down (40) @4 kept", "iKick2MidFar = Right (39) @0",
                          "iKick4Lowfar = Left (37) @0", "MAX_DISTANCE = 7.5 @3",
                          "iControllerRandomKick = on @0", "iRecordSeconds = 30 seconds @5",
                          "iSaveRecordingKey = ScrollLock (145) @0"));
}

using SettingsCheckOfShippedFile = SettingsFileFixture;

TEST_F(SettingsCheckOfShippedFile, FindsNothing) {
  std::ifstream file(ShippedSettingsFile(), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(bytes.empty());
  const SettingsCheck check = CheckSettingsText(bytes);
  EXPECT_THAT(Findings(check), testing::IsEmpty());
  EXPECT_THAT(FormatReport(check, "Scuffler.ini"),
              testing::EndsWith("\nNo problems: Scuffler reads every line as it looks.\n"));
}

TEST(SettingsCheck, ReportShowsNoControlByteOfTheFile) {
  const std::string report =
      FormatReport(CheckSettingsText("[Scuffler]\niKickToChest = F5\x1b[2J\n"),
                   "\xC3\x9C"
                   "ber\x07.ini");
  EXPECT_THAT(report, testing::HasSubstr("line 2: iKickToChest = F5\\x1B[2J\n"));
  EXPECT_THAT(report, testing::HasSubstr("Read \xC3\x9C"
                                         "ber\\x07.ini\n"));
  EXPECT_EQ(report.find('\x1b'), std::string::npos);
}

}  // namespace
}  // namespace scuffler
