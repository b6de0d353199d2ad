// The settings checker's findings: a file's text in, what it tells the player out, one row per
// way a player mistypes Scuffler.ini.
#include "SettingsCheck.h"

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Wording.h"
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
  // "<line>: <misread line>", "<line> never: <key that never fires>", "<line> clash: <key taken
  // first>" or "<line> note: <note>"
  std::vector<std::string> findings;
};

void PrintTo(const CheckCase& row, std::ostream* out) { *out << row.name; }

std::vector<std::string> Findings(const SettingsCheck& check) {
  std::vector<std::string> out;
  for (const Finding& finding : check.findings) {
    const char* const kinds[] = {": ", " never: ", " clash: ", " note: "};
    out.push_back(std::to_string(finding.line) + kinds[static_cast<int>(finding.kind)] +
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
     Utf16("[Scuffler]\r\niKickToChest = F5\r\niKickToLeg = W\r\n"),
     {"0: the file is saved as UTF-16 (Notepad calls it \"Unicode\"): the plug-in reads it byte "
      "by byte and finds no section or setting in it, so the defaults apply. Save it as UTF-8 or "
      "ANSI (Notepad: File, Save as, Encoding) and check it again."}},
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
      "Key codes are decimal numbers: 0x74 is 116 in decimal, the key F5: write F5."}},
    {"hex_capital_x",
     "[Scuffler]\niKickToChest = 0X74\n"s,
     {"2: \"0X74\" is read as 0 (no key): the plug-in takes the number it starts with and ignores "
      "the rest. Key codes are decimal numbers: 0X74 is 116 in decimal, the key F5: write F5."}},
    {"hex_game_key",
     "[Scuffler]\niKickToChest = 0x10\n"s,
     {"2: \"0x10\" is read as 0 (no key): the plug-in takes the number it starts with and ignores "
      "the rest. Key codes are decimal numbers: 0x10 is 16 in decimal, the key Shift, which "
      "iKickToChest cannot use well: Shift is a key the game itself uses: choose another key."}},
    {"unknown_word",
     "[Scuffler]\niKickToChest = Uo\n"s,
     {"2: \"Uo\" is no key name. The plug-in keeps iKickToChest as it was: when the game starts, "
      "the default, Up (38); while it runs, the value read before. Did you mean Up?"}},
    {"codes",
     "[Scuffler]\niKick1NoRagdoll = 300\niKickToChest = -5\niKickToLeg = 0\niKick2MidFar = 1\niKick4Lowfar = -1\n"s,
     {"2 never: no key has the code 300 (codes go up to 254), so the move has no key. Write -1 to "
      "unbind it, or a key name.",
      "3: -5 binds no key. Write -1 to unbind a move.",
      "4 never: 0 is no key's code, so the move has no key. Write -1 to unbind it, or a key name.",
      "5 never: MouseLeft (1) is a mouse button: the script hook passes on keyboard messages only, "
      "so it never starts the move. Choose a key."}},
    {"code_255",
     "[Scuffler]\niKickToChest = 255\n"s,
     {"2 never: no key has the code 255 (codes go up to 254), so the move has no key. Write -1 to "
      "unbind it, or a key name."}},
    {"mouse_alias",
     "[Scuffler]\niKickToChest = Mouse4\niKickToLeg = XButton2\n"s,
     {"2 never: MouseX1 (5) is a mouse button: the script hook passes on keyboard messages only, "
      "so "
      "it never starts the move. Choose a key.",
      "3 never: MouseX2 (6) is a mouse button: the script hook passes on keyboard messages only, "
      "so "
      "it never starts the move. Choose a key."}},
    {"print_screen",
     "[Scuffler]\niKickToChest = PrtSc\n"s,
     {"2 never: PrintScreen (44) cannot be bound: Windows takes it for a screenshot, and no "
      "keyboard message is known to carry its release, so it never starts the move. Choose "
      "another key."}},
    {"aliases",
     "[Scuffler]\niKickToChest = num5\niKickToLeg = Return\niKick2MidFar = Esc\n"s,
     {"4 clash: Escape is a key the game itself uses (Tab, Shift, Alt, Escape, Space, A, D, S, W): "
      "every press would do both. Choose another key."}},
    {"spaced_numpad",
     "[Scuffler]\niKickToChest = NumPad 5\n"s,
     {"2: \"NumPad 5\" is not one key name, so it binds nothing. The plug-in keeps iKickToChest as "
      "it was: when the game starts, the default, Up (38); while it runs, the value read before. "
      "Write Numpad5, without spaces."}},
    {"left_shift",
     "[Scuffler]\niKickToChest = Left Shift\n"s,
     {"2: \"Left Shift\" is not one key name, so it binds nothing. The plug-in keeps iKickToChest "
      "as it was: when the game starts, the default, Up (38); while it runs, the value read "
      "before. The keyboard messages carry Shift for either side, and Shift is a key the game "
      "itself uses: choose another key."}},
    {"quotes",
     "[Scuffler]\niKickToChest = \"F5\"\niKickToLeg = 'F6'\n"s,
     {"2: the value holds quotes which the plug-in reads as part of it, so it binds nothing. The "
      "plug-in keeps iKickToChest as it was: when the game starts, the default, Up (38); while it "
      "runs, the value read before. Write F5 without them.",
      "3: the value holds quotes which the plug-in reads as part of it, so it binds nothing. The "
      "plug-in keeps iKickToLeg as it was: when the game starts, the default, Down (40); while it "
      "runs, the value read before. Write F6 without them."}},
    {"curly_quotes",
     "[Scuffler]\niKickToChest = \x93"
     "F5\x94\nMAX_DISTANCE = \xE2\x80\x9C"
     "7.5\xE2\x80\x9D\n"s,
     {"2: the value holds curly quotes (\xE2\x80\x9C \xE2\x80\x9D), as word processors and web "
      "pages write them, which the plug-in reads as part of it, so it binds nothing. The plug-in "
      "keeps iKickToChest as it was: when the game starts, the default, Up (38); while it runs, "
      "the value read before. Write F5 without them.",
      "3: the value holds curly quotes (\xE2\x80\x9C \xE2\x80\x9D), as word processors and web "
      "pages write them, which the plug-in reads as part of it, so it binds nothing. The plug-in "
      "keeps MAX_DISTANCE as it was: when the game starts, the default, 10; while it runs, the "
      "value read before. Write 7.5 without them."}},
    {"no_break_space",
     "[Scuffler]\niKickToChest = \xC2\xA0"
     "F5\n"s,
     {"2: the value holds a no-break space, an invisible character that web pages use for a "
      "space, which the plug-in reads as part of it, so it binds nothing. The plug-in keeps "
      "iKickToChest as it was: when the game starts, the default, Up (38); while it runs, the "
      "value read before. Write F5 without it."}},
    {"sided",
     "[Scuffler]\niKickToChest = RCtrl\niKickToLeg = LShift\n"s,
     {"2 never: RCtrl (163) never fires: the keyboard messages carry Ctrl (17) for either side. "
      "Write Ctrl.",
      "3 never: LShift (160) never fires: the keyboard messages carry Shift (16) for either side, "
      "and Shift is a key the game itself uses: choose another key."}},
    {"game_key",
     "[Scuffler]\niKickToChest = W\n"s,
     {"2 clash: W is a key the game itself uses (Tab, Shift, Alt, Escape, Space, A, D, S, W): "
      "every press "
      "would do both. Choose another key."}},
    {"collision",
     "[Scuffler]\niKickToChest = G\n"s,
     {"2 clash: iKickToChest and iKick1NoRagdoll are both on G (71): a release starts "
      "iKick1NoRagdoll's move, which the tick tests first, so iKickToChest's never starts. Give "
      "each its own key."}},
    {"save_key_collision",
     "[Scuffler]\niRecordSeconds = 30\niSaveRecordingKey = Up\n"s,
     {"3 clash: iSaveRecordingKey and iKickToChest are both on Up (38): a release starts "
      "iKickToChest's move, which the tick tests first, so a recording is never saved. Give each "
      "its own key."}},
    {"save_key_collision_not_recording",
     "[Scuffler]\niSaveRecordingKey = Up\niKickToChest = ScrollLock\n"s,
     {}},
    {"move_on_save_key",
     "[Scuffler]\niRecordSeconds = 30\niKickToChest = ScrollLock\n"s,
     {"3 clash: iSaveRecordingKey and iKickToChest are both on ScrollLock (145): a release starts "
      "iKickToChest's move, which the tick tests first, so a recording is never saved. Give each "
      "its own key."}},
    {"save_key_code",
     "[Scuffler]\niRecordSeconds = 5\niSaveRecordingKey = 300\n"s,
     {"3 never: no key has the code 300 (codes go up to 254), so no key saves a recording. Write "
      "-1 to unbind it, or a key name."}},
    {"save_key_code_not_recording", "[Scuffler]\niSaveRecordingKey = MouseLeft\n"s, {}},
    {"seconds_out_of_range",
     "[Scuffler]\niRecordSeconds = 90\n"s,
     {"2: \"90\" is outside 0 to 60. The plug-in keeps iRecordSeconds as it was: when the game "
      "starts, the default, 0 (no recording); while it runs, the value read before. Write 60 (the "
      "most it keeps), fewer seconds, or 0 for no recording."}},
    {"seconds_unit",
     "[Scuffler]\niRecordSeconds = 30s\n"s,
     {"2: \"30s\" is read as 30 seconds: the plug-in takes the number it starts with and ignores "
      "the rest. Write the number alone: 30."}},
    {"seconds_exponent",
     "[Scuffler]\niRecordSeconds = 1e3\n"s,
     {"2: \"1e3\" is read as 1 second: the plug-in takes the number it starts with and ignores "
      "the rest. Write the number alone: 1."}},
    {"switch_leading_number",
     "[Scuffler]\niControllerRandomKick = 0 please\n"s,
     {"2: \"0 please\" is read as off: the plug-in takes the number it starts with and ignores "
      "the rest. Write off."}},
    {"seconds_word",
     "[Scuffler]\niRecordSeconds = thirty\n"s,
     {"2: \"thirty\" is no number of seconds. The plug-in keeps iRecordSeconds as it was: when the "
      "game starts, the default, 0 (no recording); while it runs, the value read before. Write a "
      "whole number of seconds from 1 to 60, or 0 for no recording."}},
    {"twice",
     "[Scuffler]\niKickToLeg = Up\niKickToLeg = Down\n"s,
     {"2: iKickToLeg is set again on line 3, whose value takes this one's place: the plug-in does "
      "not use this line. Delete the line you do not want."}},
    {"twice_in_other_sections",
     "[Scuffler]\niKickToLeg = F6\n[Other]\niKickToLeg = Down\n"s,
     {"3 note: the plug-in reads only the section [Scuffler]: it ignores this one and every line "
      "under it.",
      "4: this line is under [Other] (line 3), and the plug-in reads only the lines under "
      "[Scuffler]."}},
    {"distances",
     "[Scuffler]\nMAX_DISTANCE = 7,5\n"s,
     {"2: \"7,5\" is read as 7: the plug-in takes the number it starts with and ignores the rest. "
      "Write 7.5: a decimal point, not a comma."}},
    {"negative",
     "[Scuffler]\nMAX_DISTANCE = -5\n"s,
     {"2: a negative distance reaches as far as its positive value (5). Write 5."}},
    {"zero",
     "[Scuffler]\nMAX_DISTANCE = 0\n"s,
     {"2: 0: no ped is ever in reach. Write a number above 0, such as 10."}},
    {"infinite",
     "[Scuffler]\nMAX_DISTANCE = inf\n"s,
     {"2: infinite: every ped in the world is in reach. Write a number such as 10."}},
    {"units",
     "[Scuffler]\nMAX_DISTANCE = 10m\n"s,
     {"2: \"10m\" is read as 10: the plug-in takes the number it starts with and ignores the rest. "
      "Write the number alone: 10."}},
    {"comment_after",
     "[Scuffler]\niKickToChest = 38 ; up\n"s,
     {"2 note: read as Up (38): the text from ; on is a comment."}},
    {"empty",
     "[Scuffler]\niKickToChest =\n"s,
     {"2: no value after the =, so the plug-in keeps iKickToChest as it was (when the game "
      "starts, the default, Up (38)). Write one key name or a decimal key code; the file's "
      "comments list the names. The default is Up."}},
    {"unknown_mouse_like",
     "[Scuffler]\niKickToChest = Mouse6\n"s,
     {"2: \"Mouse6\" is no key name. The plug-in keeps iKickToChest as it was: when the game "
      "starts, the default, Up (38); while it runs, the value read before. Write one key name or "
      "a decimal key code; the file's comments list the names."}},
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

// `bytes` with line `number` (from 1) replaced by `text`, its line end kept.
std::string WithLine(const std::string& bytes, std::size_t number, const std::string& text) {
  std::size_t begin = 0;
  for (std::size_t line = 1; line < number; ++line) begin = bytes.find('\n', begin) + 1;
  std::size_t end = bytes.find('\n', begin);
  if (end == std::string::npos) end = bytes.size();
  if (end > begin && bytes[end - 1] == '\r') --end;
  return bytes.substr(0, begin) + text + bytes.substr(end);
}

// Every suggested line, written in place of the line it is about, leaves no finding there: advice
// that works when followed, and that never names a key the checker would itself find fault with.
TEST(SettingsCheck, EverySuggestionFollowedLeavesItsLineWithoutFinding) {
  std::size_t suggestions = 0;
  for (const CheckCase& row : kCases) {
    for (const Finding& finding : CheckSettingsText(row.bytes).findings) {
      if (!finding.replacement) continue;
      ++suggestions;
      ASSERT_NE(finding.line, 0u) << row.name;
      const std::string followed = WithLine(row.bytes, finding.line, *finding.replacement);
      const std::size_t lines =
          1 + static_cast<std::size_t>(
                  std::count(finding.replacement->begin(), finding.replacement->end(), '\n'));
      for (const Finding& after : CheckSettingsText(followed).findings) {
        EXPECT_FALSE(after.line >= finding.line && after.line < finding.line + lines)
            << row.name << ": " << *finding.replacement << " still gets: " << after.text;
      }
    }
  }
  EXPECT_GE(suggestions, 25u);
}

TEST(SettingsCheck, ListsWhatThePluginUsesAndWhere) {
  const SettingsCheck check = CheckSettingsText(
      "[Scuffler]\niKickToChest = F5\nMAX_DISTANCE = 7.5 m\niKickToLeg = Shift+F5\n"
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

// A console of 80 columns shows every line of the report whole, whatever the file and its path.
TEST(SettingsCheck, ReportFitsAConsole) {
  const std::string longValue(5000, 'x');
  const std::string path =
      "C:\\Program Files (x86)\\Steam\\steamapps\\common\\Red Dead "
      "Redemption 2\\a folder with a long name of its own\\Scuffler.ini";
  std::vector<std::string> files = {"[Scuffler]\niKickToChest = " + longValue + "\n",
                                    Utf16("[Scuffler]\r\niKickToChest = F5\r\n")};
  for (const CheckCase& row : kCases) files.push_back(row.bytes);
  for (const std::string& bytes : files) {
    const std::string report = FormatReport(CheckSettingsText(bytes), path);
    std::size_t begin = 0;
    while (begin < report.size()) {
      const std::size_t end = report.find('\n', begin);
      const std::string line = report.substr(begin, end - begin);
      EXPECT_LE(Columns(line), kConsoleColumns) << line;
      begin = end + 1;
    }
  }
  // A UTF-16 file: one finding for the whole file, and none of its bytes shown line by line.
  EXPECT_EQ(FormatReport(CheckSettingsText(files[1]), path).find("\\x00"), std::string::npos);
  const std::string report = FormatReport(CheckSettingsText(files[0]), path);
  EXPECT_EQ(report.find(std::string(100, 'x')), std::string::npos);
  EXPECT_THAT(report, testing::HasSubstr("xxx..."));
  EXPECT_THAT(report,
              testing::StartsWith("Read C:\\Program Files (x86)\\Steam\\steamapps\\common\\Red "
                                  "Dead Redemption 2\\\n  a folder with a long name of its "
                                  "own\\Scuffler.ini\n"));
}

TEST(SettingsCheck, TheGameReadsOnlyScufflerIni) {
  for (const char* name : {"Scuffler.ini", "scuffler.INI", "SCUFFLER.ini"}) {
    SettingsCheck check = CheckSettingsText("[Scuffler]\n");
    JudgeFileName(check, name);
    EXPECT_EQ(check.problems, 0u) << name;
    EXPECT_THAT(FormatReport(check, name),
                testing::HasSubstr("When the game starts with this file"));
  }
  for (const char* name : {"Scuffler.ini.txt", "Scuffler - Copy.ini", "Scuffler.ini "}) {
    SettingsCheck check = CheckSettingsText("[Scuffler]\n");
    JudgeFileName(check, name);
    EXPECT_EQ(check.problems, 1u) << name;
    ASSERT_FALSE(check.findings.empty());
    EXPECT_EQ(check.findings[0].line, 0u);
    EXPECT_THAT(check.findings[0].text, testing::HasSubstr("Rename it to Scuffler.ini"));
    EXPECT_THAT(FormatReport(check, name),
                testing::HasSubstr("Were this file named Scuffler.ini, Scuffler would use:"));
  }
}

TEST(SettingsCheck, ReportShowsTheLastLineWithoutALineFeed) {
  EXPECT_THAT(FormatReport(CheckSettingsText("[Scuffler]\niKickToChest = W"), "Scuffler.ini"),
              testing::HasSubstr("\n  line 2: iKickToChest = W\n"));
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
